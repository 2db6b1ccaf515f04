#include "editing/VxQtEditDialogs.h"

#include "editing/TkSelectSimilarDialog.h"
#include "editing/VxGridSettingsDialog.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QColorDialog>
#include <QInputDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

bool CVxQtEditDialogs::RunGridSettings(VxGridSettingsData& data)
{
    CVxGridSettingsDialog dialog(data, m_pParent);
    if (dialog.exec() != QDialog::Accepted) return false;
    data = dialog.GetData();
    return true;
}

bool CVxQtEditDialogs::RunCustomZoom(int& nPercent)
{
    bool bOk = false;
    const int nValue = QInputDialog::getInt(
        m_pParent, QString::fromStdString(TkLoadString(IDD_CUSTOM_ZOOM)),
        QStringLiteral("Percentage of actual size:"), nPercent, 1, 10000, 1, &bOk);
    if (bOk) nPercent = nValue;
    return bOk;
}

bool CVxQtEditDialogs::ChoosePrinter(QPrinter& printer, const std::string& strName)
{
    if (!strName.empty()) printer.setPrinterName(QString::fromStdString(strName));
    return printer.isValid() && printer.outputFormat() == QPrinter::NativeFormat;
}

bool CVxQtEditDialogs::RunPrintDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer, m_pParent);
    dialog.setMinMax(1, 1);
    return dialog.exec() == QDialog::Accepted;
}

bool CVxQtEditDialogs::RunPrintSetup(QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, m_pParent);
    return dialog.exec() == QDialog::Accepted;
}

void CVxQtEditDialogs::RunPrintPreview(QPrinter& printer, const PaintPages& paint)
{
    QPrintPreviewDialog dialog(&printer, m_pParent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* pPrinter) { paint(*pPrinter); });
    dialog.exec();
}

bool CVxQtEditDialogs::RunSelectSimilar(VxSelectSimilarData& data)
{
    CTkSelectSimilarDialog dialog(data, m_pParent);
    if (dialog.exec() != QDialog::Accepted) return false;
    data = dialog.GetData();
    return true;
}

bool CVxQtEditDialogs::RunColor(COLORREF& color)
{
    // COLORREF keeps red in its low byte.
    const QColor initial(GetRValue(color), GetGValue(color), GetBValue(color));
    const QColor chosen = QColorDialog::getColor(initial, m_pParent);
    if (!chosen.isValid()) return false;
    color = RGB(chosen.red(), chosen.green(), chosen.blue());
    return true;
}
