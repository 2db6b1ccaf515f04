#pragma once
// Renders a whole picture, as the document holds it, onto a white image or a
// one-page PDF at the picture's aspect ratio: picture units are mapped onto the
// target with an anisotropic mapping and every graphic draws itself between
// BeginDrawing and EndDrawing, as when the picture is written as a metafile.
//
// Both need a QGuiApplication (fonts); without one they fail.

#include "platform/framework/TkPair.h"
#include "platform/gdi/GdiTypes.h"

#include <QImage>
#include <QString>

class CTkDC;
class CVxGraphic;

class CVxPictureRenderer {
public:
    // Neither side of an image may exceed this, nor its area kMaxImagePixels
    // (256 MiB of RGB32).
    static constexpr int kMaxImageSide = 16384;
    static constexpr long long kMaxImagePixels = 64LL * 1024 * 1024;
    // PDF readers refuse pages with a side beyond 200 inches; larger pictures
    // are scaled down onto such a page.
    static constexpr double kMaxPdfSideMm = 5080.0;
    // The PDF is painted as a printer of this resolution would print: cosmetic
    // pens, dashes and hatches are device pixels, and at the writer's default
    // 1200 dpi hatches and dashes shrink to a grey blur.
    static constexpr int kPdfDpi = 300;

    // sizePicture is the picture's size in its own units. The image is RGB32,
    // nPixelWidth wide and as high as the aspect ratio gives (rounded, at least
    // 1). A null image for an empty picture size, a width below 1, or an image
    // beyond the limits above.
    static QImage RenderToImage(CVxGraphic& picture, SIZE sizePicture, int nPixelWidth);

    // One page of the picture's size (picture units at unitsPerCm, the
    // document's default 1000 per centimetre: hundredths of a millimetre),
    // written to strPath. A file that was there is replaced only when the
    // whole PDF was written. False for an empty picture size, bad units, or a
    // file that cannot be written.
    static bool RenderToPdf(CVxGraphic& picture, SIZE sizePicture, const QString& strPath,
                            CTkPair<double> unitsPerCm = {1000.0, 1000.0});

    // The height of a render nPixelWidth wide, or 0 when RenderToImage would
    // refuse it.
    static int GetPixelHeight(SIZE sizePicture, int nPixelWidth);

private:
    // Maps the picture onto the device extent and draws it.
    static void Draw(CVxGraphic& picture, CTkDC& dc, SIZE sizePicture, SIZE sizeDevice);
    static bool HasGuiApplication();
};
