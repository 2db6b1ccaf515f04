#pragma once
// What the renderer tests share: the Qt font engine installed for a test, a
// picture that owns its graphics, and the comparison of a render with a
// reference image.

#include "graphics/VxPicture.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkGlobalBlock.h"
#include "platform/qt/TkQtFontEngine.h"

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

// Installs a Qt font engine for as long as it lives (a QGuiApplication must
// exist), so that texts are measured and painted with the same faces.
class CQtFontEngineScope {
public:
    CQtFontEngineScope();
    ~CQtFontEngineScope();
    CQtFontEngineScope(const CQtFontEngineScope&) = delete;
    CQtFontEngineScope& operator=(const CQtFontEngineScope&) = delete;

private:
    CTkQtFontEngine m_engine;
    ITkFontEngine* m_pPrevious;
};

// A picture that deletes its graphics, and the DIBs its brushes use.
class CPictureOwner {
public:
    CPictureOwner() = default;
    ~CPictureOwner();
    CPictureOwner(const CPictureOwner&) = delete;
    CPictureOwner& operator=(const CPictureOwner&) = delete;

    CVxPicture& Picture() { return m_picture; }
    // Adds a graphic the picture then owns; returns it.
    template <typename T>
    T& Add(std::unique_ptr<T> pGraphic)
    {
        T& graphic = *pGraphic;
        m_picture.AddChildTail(pGraphic.release());
        return graphic;
    }

    std::vector<CTkGlobalBlock> m_globals;

private:
    CVxPicture m_picture;
};

// How far two images of the same size are apart.
struct ImageDifference {
    bool sameSize = false;
    int maxChannel = 0;     // the largest difference of one colour channel
    long long beyond = 0;   // pixels with a channel more than the tolerance off
    long long pixels = 0;
};
ImageDifference CompareImages(const QImage& a, const QImage& b, int channelTolerance);

// Pixels of colour inside the image.
int Count(const QImage& image, QRgb colour);
// A file's bytes, empty when it cannot be read.
QByteArray ReadAll(const QString& path);
// A PDF's first page's width and height in points, and its number of pages.
QSizeF MediaBox(const QByteArray& pdf);
int PageCount(const QByteArray& pdf);
