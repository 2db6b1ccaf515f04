#include "editing/VxPictureRenderer.h"

#include "attributes/VxGraphicProperty.h"
#include "graphics/VxGraphic.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"
#include "platform/qt/TkQtDC.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

bool IsEmpty(SIZE size) { return size.cx <= 0 || size.cy <= 0; }

// The page in millimetres, scaled down to the largest page readers accept.
QPageSize PdfPageSize(SIZE sizePicture, CTkPair<double> unitsPerCm)
{
    double width = sizePicture.cx * 10.0 / unitsPerCm.x;
    double height = sizePicture.cy * 10.0 / unitsPerCm.y;
    const double scale =
        std::min(1.0, CVxPictureRenderer::kMaxPdfSideMm / std::max(width, height));
    width *= scale;
    height *= scale;
    // ExactMatch: a size close to a standard paper must not snap to it.
    return QPageSize(QSizeF(width, height), QPageSize::Millimeter, QString(),
                     QPageSize::ExactMatch);
}

bool IsUsableUnits(CTkPair<double> unitsPerCm)
{
    return std::isfinite(unitsPerCm.x) && std::isfinite(unitsPerCm.y) && unitsPerCm.x > 0 &&
           unitsPerCm.y > 0;
}

}  // namespace

int CVxPictureRenderer::GetPixelHeight(SIZE sizePicture, int nPixelWidth)
{
    if (IsEmpty(sizePicture) || nPixelWidth < 1 || nPixelWidth > kMaxImageSide)
        return 0;
    // Both factors are bounded, so the quotient always fits.
    const int height = std::max(1, MulDiv(nPixelWidth, sizePicture.cy, sizePicture.cx));
    if (height > kMaxImageSide || static_cast<long long>(height) * nPixelWidth > kMaxImagePixels)
        return 0;
    return height;
}

QImage CVxPictureRenderer::RenderToImage(CVxGraphic& picture, SIZE sizePicture, int nPixelWidth)
{
    const int height = GetPixelHeight(sizePicture, nPixelWidth);
    if (height == 0 || !HasGuiApplication())
        return {};
    QImage image(nPixelWidth, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};  // out of memory
    image.fill(Qt::white);
    {
        // The DC's painter must end before the image is handed out.
        const std::unique_ptr<CTkDC> dc = TkCreateImageDC(image);
        Draw(picture, *dc, sizePicture, SIZE{nPixelWidth, height});
    }
    return image;
}

bool CVxPictureRenderer::RenderToPdf(CVxGraphic& picture, SIZE sizePicture,
                                     const QString& strPath, CTkPair<double> unitsPerCm)
{
    if (IsEmpty(sizePicture) || !IsUsableUnits(unitsPerCm) || !HasGuiApplication())
        return false;
    const QPageSize pageSize = PdfPageSize(sizePicture, unitsPerCm);
    if (!pageSize.isValid())
        return false;
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Glyphar"));
        writer.setResolution(kPdfDpi);
        writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
        const std::unique_ptr<CTkDC> dc = TkCreatePaintDC(&writer);
        Draw(picture, *dc, sizePicture, SIZE{writer.width(), writer.height()});
    }
    return file.commit();
}

void CVxPictureRenderer::Draw(CVxGraphic& picture, CTkDC& dc, SIZE sizePicture,
                              SIZE sizeDevice)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(sizePicture.cx, sizePicture.cy);
    dc.SetViewportOrg(0, 0);
    dc.SetViewportExt(sizeDevice.cx, sizeDevice.cy);
    CVxGraphicProperty::BeginDrawing(&dc);
    picture.Draw(&dc, FALSE);
    CVxGraphicProperty::EndDrawing(&dc);
}

bool CVxPictureRenderer::HasGuiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}
