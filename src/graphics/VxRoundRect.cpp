#include "graphics/VxRoundRect.h"

#include "graphics/VxShapeDrawing.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

TK_IMPLEMENT_SERIAL(CVxRoundRect, CVxGraphicWithOutlineAndFill, 0)

namespace {

constexpr unsigned kTypeNameId = 5062;  // "Rounded Rectangle"

int Magnitude(int value)
{
    return value == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max()
                                                    : std::abs(value);
}

// The corner's extent scaled by the size of the box, whatever the signs.
int ScaledCorner(int corner, int newSize, int oldSize)
{
    if (oldSize == 0 || newSize == oldSize)
        return corner;
    const int scaled = MulDiv(corner, Magnitude(newSize), Magnitude(oldSize));
    return scaled < 0 ? corner : scaled;  // MulDiv's -1 is an overflow
}

}  // namespace

CVxRoundRect::CVxRoundRect(const RECT& rect) : CVxGraphicWithOutlineAndFill(rect) {}

CVxRoundRect::CVxRoundRect(const RECT& rect, SIZE sizeCorner)
    : CVxGraphicWithOutlineAndFill(rect),
      m_sizeCorner{Magnitude(sizeCorner.cx), Magnitude(sizeCorner.cy)}
{
}

void CVxRoundRect::Serialize(CTkArchive& ar)
{
    CVxGraphicWithOutlineAndFill::Serialize(ar);
    if (ar.IsStoring()) {
        ar << std::int32_t(m_sizeCorner.cx) << std::int32_t(m_sizeCorner.cy);
        return;
    }
    std::int32_t cx = 0, cy = 0;
    ar >> cx >> cy;
    m_sizeCorner = {Magnitude(cx), Magnitude(cy)};
}

std::string CVxRoundRect::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

void CVxRoundRect::Scale(int nw, int nh, int ow, int oh)
{
    CVxGraphicWithOutlineAndFill::Scale(nw, nh, ow, oh);
    m_sizeCorner = {ScaledCorner(m_sizeCorner.cx, nw, ow), ScaledCorner(m_sizeCorner.cy, nh, oh)};
}

void CVxRoundRect::DrawShape(CTkDC* pDC, BOOL /*bContinue*/)
{
    const RECT b = VxBoxForContext(pDC, GetNormalizedRect());
    pDC->RoundRect(b.left, b.top, b.right, b.bottom, m_sizeCorner.cx, m_sizeCorner.cy);
}

void CVxRoundRect::CopyFrom(CVxGraphic& source)
{
    CVxGraphicWithOutlineAndFill::CopyFrom(source);
    if (const auto* pRoundRect = dynamic_cast<const CVxRoundRect*>(&source))
        m_sizeCorner = pRoundRect->m_sizeCorner;
}

std::unique_ptr<CVxGraphic> CVxRoundRect::Clone()
{
    return CloneAs<CVxRoundRect>();
}
