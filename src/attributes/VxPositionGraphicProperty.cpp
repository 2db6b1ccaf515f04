#include "attributes/VxPositionGraphicProperty.h"

#include "attributes/VxPropertyOwner.h"
#include "resources/VxResourceIds.h"

TK_IMPLEMENT_SERIAL(CVxPositionGraphicProperty, CVxGraphicProperty, 0)

CVxPositionGraphicProperty::CVxPositionGraphicProperty(BOOL bGathering)
    : CVxGraphicProperty("Position", bGathering)
{
    SetDefaults();
}

BOOL CVxPositionGraphicProperty::Apply(const CVxGraphicProperty& source)
{
    const auto* pSource = dynamic_cast<const CVxPositionGraphicProperty*>(&source);
    if (pSource == nullptr)
        return FALSE;
    const BOOL bMoved = SetOffset(pSource->m_ptOffset.x, pSource->m_ptOffset.y);
    const BOOL bScaled = SetScale(pSource->m_sizeScale.cx, pSource->m_sizeScale.cy);
    return bMoved || bScaled ? TRUE : FALSE;
}

void CVxPositionGraphicProperty::SetDefaults()
{
    m_ptOffset = POINT{0, 0};
    m_sizeScale = SIZE{100, 100};
}

void CVxPositionGraphicProperty::Merge(const CVxGraphicProperty&) {}

std::unique_ptr<CVxGraphicProperty> CVxPositionGraphicProperty::Clone() const
{
    auto pClone = std::make_unique<CVxPositionGraphicProperty>(IsGathering());
    CopyBaseTo(*pClone);
    pClone->m_ptOffset = m_ptOffset;
    pClone->m_sizeScale = m_sizeScale;
    return pClone;
}

BOOL CVxPositionGraphicProperty::SetOffset(int x, int y)
{
    if (x == 0 && y == 0)
        return FALSE;
    if (IVxPropertyOwner* pOwner = GetOwner())
        pOwner->OwnerOffset(x, y);
    else
        m_ptOffset = POINT{x, y};
    return TRUE;
}

BOOL CVxPositionGraphicProperty::SetScale(int x, int y)
{
    if (x == 100 && y == 100)
        return FALSE;
    if (IVxPropertyOwner* pOwner = GetOwner())
        pOwner->OwnerScale(x, y, 100, 100);
    else
        m_sizeScale = SIZE{x, y};
    return TRUE;
}

unsigned CVxPositionGraphicProperty::GetPageId() const { return IDD_POSITION_PAGE; }
