#include "graphics/VxPie.h"

#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"

TK_IMPLEMENT_SERIAL(CVxPie, CVxClosedArc, 0)

namespace {
constexpr unsigned kTypeNameId = 5063;  // "Pie"
}

std::string CVxPie::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

std::unique_ptr<CVxGraphic> CVxPie::Clone()
{
    return CloneAs<CVxPie>();
}

CVxPie::DrawCall CVxPie::GetDrawCall() const
{
    return &CTkDC::Pie;
}
