#include "graphics/VxPath.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxCloseFigure.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"

TK_IMPLEMENT_SERIAL(CVxPath, CVxPicture, 0)

namespace {
constexpr unsigned kTypeNameId = 5026;  // "Path"
}

CVxPath::CVxPath()
{
    AddPathProperties();
}

CVxPath::CVxPath(const RECT& rect) : CVxPicture(rect)
{
    AddPathProperties();
}

void CVxPath::AddPathProperties()
{
    m_children.m_bOwnsGraphics = TRUE;
    m_properties.SetOwner(this);
    m_properties.SetAt(std::make_unique<CVxPenGraphicProperty>());
    m_properties.SetAt(std::make_unique<CVxBrushGraphicProperty>());
    m_properties.SetAt(std::make_unique<CVxFontGraphicProperty>());
}

void CVxPath::Serialize(CTkArchive& ar)
{
    CVxPicture::Serialize(ar);
    if (ar.IsStoring()) {
        ar << std::int32_t(m_nPathMode);
    } else {
        std::int32_t nPathMode = 0;
        ar >> nPathMode;
        m_nPathMode = nPathMode;
    }
}

BOOL CVxPath::HasProperty(const std::string& name)
{
    return CVxGraphic::HasProperty(name);
}

CVxPath::PROPERTY_POSITION CVxPath::GetFirstPropertyPosition()
{
    return CVxGraphic::GetFirstPropertyPosition();
}

std::string CVxPath::GetNextPropertyName(PROPERTY_POSITION& pos)
{
    return CVxGraphic::GetNextPropertyName(pos);
}

CVxGraphicProperty* CVxPath::LookupProperty(const std::string& name)
{
    return CVxGraphic::LookupProperty(name);
}

std::unique_ptr<CVxGraphicProperty> CVxPath::CopyProperty(const std::string& name)
{
    return CVxGraphic::CopyProperty(name);
}

BOOL CVxPath::ApplyProperty(const CVxGraphicProperty& property)
{
    return CVxGraphic::ApplyProperty(property);
}

std::string CVxPath::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

void CVxPath::Scale(int nw, int nh, int ow, int oh)
{
    // The children's pens are never drawn; the path's own are.
    if (s_bScaleAttributes && (nw != ow || nh != oh))
        ScaleAttributes(nw, nh, ow, oh);
    CVxPicture::Scale(nw, nh, ow, oh);
}

void CVxPath::DrawShape(CTkDC* pDC, BOOL /*bContinue*/)
{
    pDC->BeginPath();
    // Whether a figure is open: the next child then goes on from the current
    // position instead of starting with a move.
    BOOL bOpen = FALSE;
    for (POSITION pos = m_children.GetHeadPosition(); pos;) {
        CVxGraphic* pChild = m_children.GetNextGraphic(pos);
        const BOOL bExtent = pChild->HasExtent();
        if (!bOpen && bExtent) {
            const POINT start = pChild->GetStartPoint();
            pDC->MoveTo(start.x, start.y);
        }
        pChild->DrawShape(pDC, bOpen);
        if (bExtent)
            bOpen = !pChild->IsKindOf(TK_RUNTIME_CLASS(CVxCloseFigure));
    }
    pDC->EndPath();
    switch (m_nPathMode) {
    case Stroke: pDC->StrokePath(); break;
    case Fill: pDC->FillPath(); break;
    case StrokeAndFill: pDC->StrokeAndFillPath(); break;
    default: break;
    }
}

void CVxPath::CopyFrom(CVxGraphic& source)
{
    CVxPicture::CopyFrom(source);
    if (const auto* pPath = dynamic_cast<const CVxPath*>(&source))
        m_nPathMode = pPath->m_nPathMode;
}

void CVxPath::Draw(CTkDC* pDC, BOOL bContinue)
{
    CVxGraphic::Draw(pDC, bContinue);
}

void CVxPath::DrawOutline(CTkDC* pDC, BOOL bContinue)
{
    CVxGraphic::DrawOutline(pDC, bContinue);
}

int CVxPath::GetHandleCount() const
{
    return VX_HANDLE_FIRST_POINT;
}

std::unique_ptr<CVxGraphic> CVxPath::Clone()
{
    return CloneAs<CVxPath>();
}

void CVxPath::GatherProperties()
{
    m_bPropertiesDirty = FALSE;
}

void CVxPath::SetPathMode(int nPathMode)
{
    if (nPathMode == m_nPathMode)
        return;
    m_nPathMode = nPathMode;
    SetModified(TRUE);
}
