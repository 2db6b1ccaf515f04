#pragma once
// Graphics in drawing order, first drawn first. An owning list deletes its
// graphics and copies them deeply; a referring list only shares pointers.

#include "platform/framework/TkObList.h"
#include "platform/gdi/GdiTypes.h"

class CVxGraphic;

class CVxGraphicList : public CTkObList {
public:
    CVxGraphicList();
    ~CVxGraphicList() override;
    // Both copy as assignment does.
    CVxGraphicList(const CVxGraphicList& other);
    CVxGraphicList& operator=(const CVxGraphicList& other);

    // Deletes the graphics when owning them, then empties the list.
    void RemoveAllGraphics();

    CVxGraphic* GetNextGraphic(POSITION& pos) const;
    CVxGraphic* GetPrevGraphic(POSITION& pos) const;
    CVxGraphic* GetGraphicAt(POSITION pos) const;

    BOOL m_bOwnsGraphics = FALSE;
};
