// Printing and print preview: one page, the picture fitted to it in full page
// mode or at the view's zoom otherwise, centred on the printable area.

#include "editing/VxView.h"

#include "editing/VxEditDialogs.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"
#include "platform/qt/TkQtDC.h"

#include <QPrinter>

void CVxView::PrintPage(QPaintDevice* pDevice)
{
    const std::unique_ptr<CTkDC> dc = TkCreatePaintDC(pDevice);
    // The picture at actual size in this device's pixels.
    m_doc.PrepareMetafileDC(*dc);
    const SIZE actual = dc->GetViewportExt();
    const SIZE client{dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES)};
    const int nZoom = m_bFullPage ? FullPageZoom(client, actual) : m_nZoom;
    const SIZE page{MulDiv(actual.cx, nZoom, kActualSize), MulDiv(actual.cy, nZoom, kActualSize)};
    MapPicture(*dc, page,
               {client.cx > page.cx ? (client.cx - page.cx) / 2 : 0,
                client.cy > page.cy ? (client.cy - page.cy) / 2 : 0});
    DrawPage(*dc, {0, 0, client.cx, client.cy});
}

void CVxView::PrintDirect(QPrinter& printer)
{
    printer.setFromTo(1, 1);
    printer.setDocName(QString::fromStdString(m_doc.m_strTitle));
    PrintPage(&printer);
}

QPrinter& CVxView::GetPrinter()
{
    if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

void CVxView::OnFilePrint()
{
    QPrinter& printer = GetPrinter();
    printer.setFromTo(1, 1);
    if (!VxGetEditDialogs().RunPrintDialog(printer)) return;
    PrintDirect(printer);
}

void CVxView::OnFilePrintSetup() { VxGetEditDialogs().RunPrintSetup(GetPrinter()); }

void CVxView::OnFilePrintPreview()
{
    VxGetEditDialogs().RunPrintPreview(GetPrinter(),
                                       [this](QPrinter& printer) { PrintDirect(printer); });
}
