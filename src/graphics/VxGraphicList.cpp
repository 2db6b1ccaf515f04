#include "graphics/VxGraphicList.h"

#include "graphics/VxGraphic.h"
#include "platform/framework/TkArchive.h"

#include <memory>

CVxGraphicList::CVxGraphicList() : CTkObList(10) {}

CVxGraphicList::~CVxGraphicList()
{
    RemoveAllGraphics();
}

CVxGraphicList::CVxGraphicList(const CVxGraphicList& other) : CVxGraphicList()
{
    *this = other;
}

CVxGraphicList& CVxGraphicList::operator=(const CVxGraphicList& other)
{
    if (&other == this)
        return *this;
    RemoveAllGraphics();
    m_bOwnsGraphics = other.m_bOwnsGraphics;
    for (POSITION pos = other.GetHeadPosition(); pos;) {
        CVxGraphic* pGraphic = other.GetNextGraphic(pos);
        if (!m_bOwnsGraphics) {
            AddTail(pGraphic);
            continue;
        }
        std::unique_ptr<CVxGraphic> pClone = pGraphic->Clone();
        AddTail(pClone.get());
        pClone.release();
    }
    return *this;
}

void CVxGraphicList::RemoveAllGraphics()
{
    if (m_bOwnsGraphics) {
        for (POSITION pos = GetHeadPosition(); pos;)
            delete GetNextGraphic(pos);
    }
    RemoveAll();
}

void CVxGraphicList::Serialize(CTkArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(std::uint64_t(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos;)
            ar.WriteObject(GetNextGraphic(pos));
        return;
    }
    RemoveAllGraphics();
    // What this call read is deleted again when the rest cannot be read, also
    // when the list would not own it.
    CVxGraphicList loaded;
    loaded.m_bOwnsGraphics = TRUE;
    const std::uint64_t count = ar.ReadCount();
    for (std::uint64_t i = 0; i < count; ++i) {
        std::unique_ptr<CTkObject> pObject = ar.ReadObject(TK_RUNTIME_CLASS(CVxGraphic));
        if (!pObject)
            throw CTkArchiveException(CTkArchiveException::badClass);
        loaded.AddTail(pObject.get());
        pObject.release();
    }
    try {
        AddTail(loaded);
    } catch (...) {
        RemoveAll();
        throw;
    }
    loaded.RemoveAll();
}

CVxGraphic* CVxGraphicList::GetNextGraphic(POSITION& pos) const
{
    return static_cast<CVxGraphic*>(GetNext(pos));
}

CVxGraphic* CVxGraphicList::GetPrevGraphic(POSITION& pos) const
{
    return static_cast<CVxGraphic*>(GetPrev(pos));
}

CVxGraphic* CVxGraphicList::GetGraphicAt(POSITION pos) const
{
    return static_cast<CVxGraphic*>(GetAt(pos));
}
