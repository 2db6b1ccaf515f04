#pragma once
// The view's dialogs as Qt shows them, over a parent window.

#include "editing/VxEditDialogs.h"

class QWidget;

class CVxQtEditDialogs : public IVxEditDialogs {
public:
    void SetParent(QWidget* pParent) { m_pParent = pParent; }

    bool RunGridSettings(VxGridSettingsData& data) override;
    bool RunCustomZoom(int& nPercent) override;
    bool ChoosePrinter(QPrinter& printer, const std::string& strName) override;
    bool RunPrintDialog(QPrinter& printer) override;
    bool RunPrintSetup(QPrinter& printer) override;
    void RunPrintPreview(QPrinter& printer, const PaintPages& paint) override;
    bool RunSelectSimilar(VxSelectSimilarData& data) override;
    bool RunColor(COLORREF& color) override;

private:
    QWidget* m_pParent = nullptr;  // not owned
};
