// Renders a picture holding one large bitmap repeatedly and prints the median,
// fastest and slowest time, with the decoded image kept between renders and,
// for comparison, decoded again each time.
//
// usage: glyphar_bitmap_bench [width-of-bitmap [runs]]

#include "editing/VxPictureRenderer.h"
#include "graphics/VxBitmap.h"
#include "graphics/VxPicture.h"
#include "platform/qt/TkQtDibImageCache.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr SIZE kPage{29700, 21000};

// A bottom-up 24-bit DIB of width x height with a gradient in it.
std::vector<BYTE> MakeDib(int width, int height)
{
    const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
    std::vector<BYTE> dib(40 + stride * std::size_t(height));
    const auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            dib[at + std::size_t(i)] = BYTE(v >> (8 * i));
    };
    put(0, 40), put(4, std::uint32_t(width)), put(8, std::uint32_t(height));
    put(12, 1 | 24 << 16);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                dib[40 + std::size_t(y) * stride + std::size_t(x) * 3 + std::size_t(c)] =
                    BYTE((x + y) * (c + 1));
    return dib;
}

void Report(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%s: median %.1f ms, min %.1f ms, max %.1f ms\n", what, times[times.size() / 2],
                times.front(), times.back());
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int width = argc > 1 ? std::atoi(argv[1]) : 3000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 15;
    const int height = width * 3 / 4;
    CVxPicture picture(RECT{0, 0, kPage.cx, kPage.cy});
    picture.AddChildTail(new CVxBitmap({0, 0, kPage.cx, kPage.cy},
                                  std::make_shared<const std::vector<BYTE>>(MakeDib(width, height)),
                                  DIB_RGB_COLORS, {0, 0, width, height}, SRCCOPY));
    for (const bool bKeep : {false, true}) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            if (!bKeep)
                CTkQtDibImageCache::Instance().Clear();
            const auto begin = std::chrono::steady_clock::now();
            const QImage image = CVxPictureRenderer::RenderToImage(picture, kPage, 1000);
            times.push_back(std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - begin).count());
            if (image.isNull())
                return 1;
        }
        std::printf("%d x %d bitmap rendered at 1000 px, ", width, height);
        Report(bKeep ? "decoded once" : "decoded every time", times);
    }
    return 0;
}
