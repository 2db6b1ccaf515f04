#pragma once
// Device contexts that paint with Qt: the memory DC over an image that the view
// paints into, and DCs over any other paint device (a widget in its paint event,
// a printer, a PDF writer).

#include "platform/gdi/TkDC.h"

#include <memory>

class QImage;
class QPaintDevice;

// A memory DC (OBJ_MEMDC) painting on image, which must outlive it: its surface
// is the image, and it answers device questions as the reference display does,
// since memory DCs take their capabilities from the display.
std::unique_ptr<CTkDC> TkCreateImageDC(QImage& image);

// A DC (OBJ_DC) painting on pDevice, whose surface is the device. Printers and
// PDF writers report their own capabilities and are printing DCs; other devices
// stand for the screen and answer as the reference display.
std::unique_ptr<CTkDC> TkCreatePaintDC(QPaintDevice* pDevice);

// The capabilities of a paged device (printer, PDF writer): its resolution, its
// printable area in pixels and millimetres, and where that area starts on the
// paper.
TkDeviceCaps TkQtPrinterCaps(const QPaintDevice& device);
