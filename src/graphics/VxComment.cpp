#include "graphics/VxComment.h"

#include "platform/framework/TkArchive.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"

#include <algorithm>
#include <new>

TK_IMPLEMENT_SERIAL(CVxComment, CVxGraphic, 0)

namespace {
constexpr unsigned kTypeNameId = 5024;  // "Comment"
}

CVxComment::CVxComment()
{
    m_rect = {0, 0, 0, 0};
}

CVxComment::CVxComment(const BYTE* pData, std::uint32_t nDataSize) : CVxComment()
{
    try {
        SetData(pData, nDataSize);
    } catch (const std::bad_alloc&) {
        SetData(nullptr, 0);
    }
}

void CVxComment::SetData(const BYTE* pData, std::uint32_t nDataSize)
{
    if (!pData)
        nDataSize = 0;
    std::unique_ptr<BYTE[]> pCopy;
    if (nDataSize != 0) {
        pCopy = std::make_unique<BYTE[]>(nDataSize);  // zero-filled
        std::copy_n(pData, nDataSize, pCopy.get());
    }
    m_pData = std::move(pCopy);
    m_nDataSize = nDataSize;
}

void CVxComment::Serialize(CTkArchive& ar)
{
    CVxGraphic::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nDataSize;
        if (m_nDataSize != 0)
            ar.Write(m_pData.get(), m_nDataSize);
        return;
    }
    std::uint32_t nDataSize = 0;
    ar >> nDataSize;
    // No buffer larger than what is left to read.
    if (nDataSize > ar.BytesLeft())
        throw CTkArchiveException(CTkArchiveException::endOfFile);
    auto pData = std::make_unique<BYTE[]>(nDataSize);
    ar.ReadExact(pData.get(), nDataSize);
    m_pData = std::move(pData);
    m_nDataSize = nDataSize;
    m_rect = {0, 0, 0, 0};
}

BOOL CVxComment::HasExtent() const
{
    return FALSE;
}

std::string CVxComment::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

void CVxComment::DrawShape(CTkDC* pDC, BOOL /*bContinue*/)
{
    pDC->GdiComment(m_nDataSize, m_pData.get());
}

void CVxComment::CopyFrom(CVxGraphic& source)
{
    if (&source == this)
        return;
    CVxGraphic::CopyFrom(source);
    if (const auto* pComment = dynamic_cast<const CVxComment*>(&source))
        SetData(pComment->m_pData.get(), pComment->m_nDataSize);
}

void CVxComment::Draw(CTkDC* pDC, BOOL bContinue)
{
    SelectAttributes(pDC);
    DrawShape(pDC, bContinue);
    RestoreAttributes(pDC);
}

std::unique_ptr<CVxGraphic> CVxComment::Clone()
{
    return CompleteClone(std::make_unique<CVxComment>());
}
