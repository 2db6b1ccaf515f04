#include "platform/qt/TkQtDC.h"

#include "platform/qt/TkQtPaintBackend.h"

#include <QImage>
#include <QPagedPaintDevice>

namespace {

std::unique_ptr<CTkDC> MakeDC(std::unique_ptr<CTkQtPaintBackend> backend, DWORD objectType,
                              const TkDeviceCaps& caps)
{
    const RECT surface = backend->GetDeviceRect();
    auto dc = std::make_unique<CTkDC>(std::move(backend), objectType, caps);
    dc->SetDeviceRect(surface);
    return dc;
}

}  // namespace

std::unique_ptr<CTkDC> TkCreateImageDC(QImage& image)
{
    return MakeDC(std::make_unique<CTkQtPaintBackend>(image), OBJ_MEMDC,
                  TkDeviceCaps::ReferenceDevice());
}

std::unique_ptr<CTkDC> TkCreatePaintDC(QPaintDevice* pDevice)
{
    const bool paged = dynamic_cast<QPagedPaintDevice*>(pDevice) != nullptr;
    const TkDeviceCaps caps = paged ? TkQtPrinterCaps(*pDevice) : TkDeviceCaps::ReferenceDevice();
    auto dc = MakeDC(std::make_unique<CTkQtPaintBackend>(pDevice), OBJ_DC, caps);
    dc->SetPrinting(paged ? TRUE : FALSE);
    return dc;
}

TkDeviceCaps TkQtPrinterCaps(const QPaintDevice& device)
{
    TkDeviceCaps caps;
    caps.technology = DT_RASPRINTER;
    caps.horzRes = device.width();
    caps.vertRes = device.height();
    caps.horzSizeMm = device.widthMM();
    caps.vertSizeMm = device.heightMM();
    caps.logPixelsX = device.logicalDpiX();
    caps.logPixelsY = device.logicalDpiY();
    caps.bitsPixel = device.depth();
    if (const auto* pPaged = dynamic_cast<const QPagedPaintDevice*>(&device)) {
        const QRect printable = pPaged->pageLayout().paintRectPixels(caps.logPixelsX);
        caps.physicalOffsetX = printable.left();
        caps.physicalOffsetY = printable.top();
    }
    return caps;
}
