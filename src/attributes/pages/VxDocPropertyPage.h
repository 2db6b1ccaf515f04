#pragma once
// The "Picture" page of the Properties sheet: the picture's width and height in
// the chosen units, and whether the graphics are resized with the picture.

#include "attributes/pages/VxPropertyPage.h"
#include "platform/framework/TkPair.h"
#include "platform/gdi/GdiTypes.h"

class CVxDoc;
class CVxPropertySheet;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CVxDocPropertyPage : public CVxPropertyPage {
public:
    explicit CVxDocPropertyPage(CVxDoc& doc);

    // The document's share of the Properties sheet: the page added after the
    // selection's pages, and read when the sheet closes with OK.
    static void AddPage(CVxPropertySheet& sheet, CVxDoc& doc);
    static void ReadPage(CVxPropertySheet& sheet, CVxDoc& doc);

    // Refuses sizes outside 100 .. the safe bounds, with the range message.
    bool OnKillActive() override;

    SIZE GetPictureSize() const { return m_size; }
    int GetUnits() const { return m_nUnits; }
    bool GetResizeObjects() const;

private:
    // Picture units per shown unit, x and y, for m_nUnits.
    CTkPair<double> GetUnitScale() const;
    void ShowSize();
    // Reads both fields into m_size; false after telling the user which
    // field is wrong (m_size is then unchanged).
    bool ReadSize();
    bool ReadField(QLineEdit* pField, double dScale, LONG nMax, LONG& nValue);
    void OnUnitsChanged(int nUnits);

    CVxDoc& m_doc;
    SIZE m_size;
    int m_nUnits;
    QLineEdit* m_pWidth;
    QLineEdit* m_pHeight;
    QComboBox* m_pUnits;
    QCheckBox* m_pResize;
};
