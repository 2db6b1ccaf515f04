#include "attributes/VxGraphicProperty.h"

#include "attributes/IVxPropertySheet.h"
#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "attributes/VxPropertyMap.h"
#include "platform/framework/TkArchive.h"

#include <cstring>
#include <utility>

TK_IMPLEMENT_DYNAMIC(CVxGraphicProperty, CTkObject)

namespace {
CTkDC* s_pDrawingDC = nullptr;
// Passes opened on s_pDrawingDC; an inner pair leaves the outer pass open.
int s_nDrawingDepth = 0;
}

CVxGraphicProperty::CVxGraphicProperty(std::string name, BOOL bGathering)
    : m_strName(std::move(name)), m_strName2(m_strName), m_bGathering(bGathering)
{
}

void CVxGraphicProperty::Serialize(CTkArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strName << m_strName2;
        return;
    }
    std::string name;
    std::string name2;
    ar >> name >> name2;
    if (name != m_strName)
        throw CTkArchiveException(CTkArchiveException::badClass);
    m_strName2 = std::move(name2);
}

void CVxGraphicProperty::SelectIntoDC(CTkDC*) {}
void CVxGraphicProperty::RestoreFromDC(CTkDC*) {}
void CVxGraphicProperty::SelectOutlineIntoDC(CTkDC*) {}
void CVxGraphicProperty::RestoreOutlineFromDC(CTkDC*) {}
void CVxGraphicProperty::Scale(int, int, int, int) {}
unsigned CVxGraphicProperty::GetPageId() const { return 0; }

void CVxGraphicProperty::AddPage(IVxPropertySheet* pSheet)
{
    if (pSheet && GetPageId() != 0)
        pSheet->AddPropertyPage(GetPageId(), *this);
}

void CVxGraphicProperty::ReadPage(IVxPropertySheet* pSheet)
{
    const CVxGraphicProperty* pValues =
        pSheet && GetPageId() != 0 ? pSheet->GetPageValues(GetPageId()) : nullptr;
    if (!pValues)
        return;
    // Set, not gathered: a gathering property would only mark changed values mixed.
    const BOOL bGathering = m_bGathering;
    m_bGathering = FALSE;
    pSheet->SaveUndoStateOnce();
    Apply(*pValues);
    m_bGathering = bGathering;
}

void CVxGraphicProperty::RemovePage(IVxPropertySheet* pSheet)
{
    if (pSheet && GetPageId() != 0)
        pSheet->RemovePage(GetPageId());
}

IVxPropertyOwner* CVxGraphicProperty::GetOwner() const
{
    return m_pOwnerMap ? m_pOwnerMap->GetOwner() : nullptr;
}

int CVxGraphicProperty::MergeValue(void* pField, const void* pNewValue, std::size_t width,
                                   std::uint32_t& state)
{
    const bool equal = std::memcmp(pField, pNewValue, width) == 0;
    if (!m_bGathering) {
        state = VX_STATE_DEFINED;
        if (equal)
            return 0;
        std::memmove(pField, pNewValue, width);
        return 1;
    }
    if (state == VX_STATE_NONE) {
        state = VX_STATE_DEFINED;
        std::memmove(pField, pNewValue, width);
        return 1;
    }
    if (state == VX_STATE_DEFINED && !equal)
        state = VX_STATE_MIXED;
    return 0;
}

void CVxGraphicProperty::CopyBaseTo(CVxGraphicProperty& clone) const
{
    clone.m_strName = m_strName;
    clone.m_strName2 = m_strName2;
    clone.m_bGathering = m_bGathering;
}

void CVxGraphicProperty::BeginDrawing(CTkDC* pDC)
{
    if (pDC == nullptr || (s_pDrawingDC != nullptr && pDC != s_pDrawingDC))
        return;
    s_pDrawingDC = pDC;
    if (++s_nDrawingDepth > 1)
        return;
    CVxPenGraphicProperty::OpenCache(pDC);
    CVxBrushGraphicProperty::OpenCache(pDC);
    CVxFontGraphicProperty::OpenCache(pDC);
}

void CVxGraphicProperty::EndDrawing(CTkDC* pDC)
{
    if (pDC == nullptr || pDC != s_pDrawingDC || --s_nDrawingDepth > 0)
        return;
    s_pDrawingDC = nullptr;
    CVxPenGraphicProperty::CloseCache(pDC);
    CVxBrushGraphicProperty::CloseCache(pDC);
    CVxFontGraphicProperty::CloseCache(pDC);
}

CTkDC* CVxGraphicProperty::GetDrawingDC() { return s_pDrawingDC; }

void CVxGraphicProperty::BeginOutlineDrawing(CTkDC* pDC)
{
    if (pDC == nullptr)
        return;
    CVxGlobalGraphicProperty::BeginOutlineDrawing(pDC);
    CVxPenGraphicProperty::BeginOutlineDrawing(pDC);
    CVxBrushGraphicProperty::BeginOutlineDrawing(pDC);
}

void CVxGraphicProperty::EndOutlineDrawing(CTkDC* pDC)
{
    if (pDC == nullptr)
        return;
    CVxPenGraphicProperty::EndOutlineDrawing(pDC);
    CVxBrushGraphicProperty::EndOutlineDrawing(pDC);
}
