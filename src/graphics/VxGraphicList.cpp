#include "graphics/VxGraphicList.h"

#include "graphics/VxGraphic.h"

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
