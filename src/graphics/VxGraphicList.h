#pragma once
// Graphics in drawing order, first drawn first. An owning list deletes its
// graphics and copies them deeply; a referring list only shares pointers.

#include "platform/framework/TkObList.h"
#include "platform/gdi/GdiTypes.h"

class CTkArchive;
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

    // The count, then each graphic tagged with its run-time class. Loading
    // empties the list first; what it reads belongs to the list when it owns
    // its graphics, else to whoever owns the list's graphics (the document).
    void Serialize(CTkArchive& ar);

    CVxGraphic* GetNextGraphic(POSITION& pos) const;
    CVxGraphic* GetPrevGraphic(POSITION& pos) const;
    CVxGraphic* GetGraphicAt(POSITION pos) const;

    BOOL m_bOwnsGraphics = FALSE;
};
