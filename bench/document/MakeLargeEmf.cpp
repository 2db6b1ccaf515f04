// Writes a large enhanced metafile for the document benchmarks: 150000 shapes,
// each drawn with its own pen and brush that are created, selected, replaced by
// the stock objects and deleted, as many drawing programs write them. The shapes
// cycle through rectangles, ellipses, 16-bit polygons and polylines of 3 to 12
// points, move-plus-line pairs and short texts with advance arrays. A fixed seed
// makes every run write the same bytes.
//
//     glyphar-make-large-emf OUT.emf [SHAPES]

#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "platform/gdi/TkGdiObjects.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kDefaultShapes = 150000;
// Logical units are hundredths of a millimetre, mapped onto the reference
// device as the document maps a picture; every point stays in 16 bits and the
// page is small enough for a WMF.
constexpr int kWidth = 30000;
constexpr int kHeight = 20000;
constexpr RECT kFrame{0, 0, kWidth, kHeight};
constexpr std::u16string_view kDescription{u"Glyphar\0large\0", 14};

// splitmix64: small, and the same sequence on every platform.
class CRandom {
public:
    explicit CRandom(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Between(int low, int high) { return low + int(Next() % std::uint64_t(high - low + 1)); }
    COLORREF Colour() { return COLORREF(Next() & 0xFFFFFF); }

private:
    std::uint64_t m_state;
};

class CLargeEmfWriter {
public:
    CLargeEmfWriter() : m_pDC(CreateEnhMetaFileW(nullptr, &kFrame, kDescription))
    {
        // 96 pixels per inch: 1920 pixels on 508 mm, 1080 on 286 mm.
        m_pDC->SetMapMode(MM_ANISOTROPIC);
        m_pDC->SetWindowExt(kWidth, kHeight);
        m_pDC->SetViewportExt(MulDiv(kWidth, 1920, 50800), MulDiv(kHeight, 1080, 28600));
    }

    void DrawShape(int nShape);
    std::unique_ptr<CTkEnhMetaFile> Close() { return CloseEnhMetaFile(m_pDC.get()); }

private:
    POINT Point() { return {m_random.Between(0, kWidth), m_random.Between(0, kHeight)}; }
    RECT Box();
    std::vector<POINT> Points();
    void Text();

    std::unique_ptr<CTkDC> m_pDC;
    CRandom m_random{20261207};
};

RECT CLargeEmfWriter::Box()
{
    const POINT p = Point();
    return {p.x, p.y, p.x + m_random.Between(2, 400), p.y + m_random.Between(2, 400)};
}

std::vector<POINT> CLargeEmfWriter::Points()
{
    const POINT start = Point();
    std::vector<POINT> points(std::size_t(m_random.Between(3, 12)));
    for (POINT& p : points)
        p = {start.x + m_random.Between(-300, 300), start.y + m_random.Between(-300, 300)};
    return points;
}

void CLargeEmfWriter::Text()
{
    static constexpr std::array<std::u16string_view, 4> kWords = {u"Glyphar", u"shape",
                                                                   u"metafile", u"A1"};
    const std::u16string_view word = kWords[m_random.Next() % kWords.size()];
    std::vector<INT> advances(word.size());
    for (INT& dx : advances)
        dx = m_random.Between(150, 320);
    const POINT at = Point();
    m_pDC->ExtTextOutW(at.x, at.y, 0, nullptr, reinterpret_cast<const WCHAR*>(word.data()),
                       UINT(word.size()), advances.data());
}

void CLargeEmfWriter::DrawShape(int nShape)
{
    const HPEN hPen = CreatePen(PS_SOLID, m_random.Between(0, 3), m_random.Colour());
    const HBRUSH hBrush = CreateSolidBrush(m_random.Colour());
    m_pDC->SelectObject(hPen);
    m_pDC->SelectObject(hBrush);
    switch (nShape % 6) {
    case 0: {
        const RECT b = Box();
        m_pDC->Rectangle(b.left, b.top, b.right, b.bottom);
        break;
    }
    case 1: {
        const RECT b = Box();
        m_pDC->Ellipse(b.left, b.top, b.right, b.bottom);
        break;
    }
    case 2: {
        const std::vector<POINT> points = Points();
        m_pDC->Polygon(points.data(), int(points.size()));
        break;
    }
    case 3: {
        const std::vector<POINT> points = Points();
        m_pDC->Polyline(points.data(), int(points.size()));
        break;
    }
    case 4: {
        const POINT from = Point();
        m_pDC->MoveTo(from.x, from.y);
        m_pDC->LineTo(from.x + m_random.Between(-500, 500), from.y + m_random.Between(-500, 500));
        break;
    }
    default: Text(); break;
    }
    m_pDC->SelectObject(GetStockObject(BLACK_PEN));
    m_pDC->SelectObject(GetStockObject(WHITE_BRUSH));
    DeleteObject(hPen);
    DeleteObject(hBrush);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: glyphar-make-large-emf OUT.emf [SHAPES]\n";
        return 1;
    }
    const int nShapes = argc == 3 ? std::atoi(argv[2]) : kDefaultShapes;
    CLargeEmfWriter writer;
    for (int i = 0; i < nShapes; ++i)
        writer.DrawShape(i);
    const std::unique_ptr<CTkEnhMetaFile> pEmf = writer.Close();
    std::ofstream out(argv[1], std::ios::binary);
    if (!pEmf || !out) {
        std::cerr << "glyphar-make-large-emf: cannot write " << argv[1] << '\n';
        return 2;
    }
    const auto bits = pEmf->GetBits();
    out.write(reinterpret_cast<const char*>(bits.data()), std::streamsize(bits.size()));
    return out ? 0 : 2;
}
