#pragma once
// The base of every page of a property sheet (attribute pages, the Picture
// page, the option pages): a widget known by its dialog template id, whose
// caption is the string of that id.

#include <QWidget>

class CVxPropertySheet;

class CVxPropertyPage : public QWidget {
public:
    explicit CVxPropertyPage(unsigned nIdTemplate);

    unsigned GetTemplateId() const { return m_nIdTemplate; }
    QString GetCaption() const;
    // The sheet the page is on; null before it is added.
    CVxPropertySheet* GetSheet() const;

    // Checks the page's fields before the sheet closes with OK. False keeps
    // the sheet open on this page; the page has told the user why.
    virtual bool OnKillActive() { return true; }

private:
    unsigned m_nIdTemplate;
};
