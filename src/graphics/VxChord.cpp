#include "graphics/VxChord.h"

#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"

TK_IMPLEMENT_SERIAL(CVxChord, CVxClosedArc, 0)

namespace {
constexpr unsigned kTypeNameId = 5064;  // "Chord"
}

std::string CVxChord::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

std::unique_ptr<CVxGraphic> CVxChord::Clone()
{
    return CloneAs<CVxChord>();
}

CVxChord::DrawCall CVxChord::GetDrawCall() const
{
    return &CTkDC::Chord;
}
