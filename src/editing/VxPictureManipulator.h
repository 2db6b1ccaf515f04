#pragma once
// The handles of a picture or a selection of several graphics: one box with
// eight handles. A drag's outline shows each member while they are few and
// only the picture's box when they are many, so a large group stays quick.

#include "editing/VxGraphicManipulator.h"

class CVxPicture;

class CVxPictureManipulator : public CVxGraphicManipulator {
public:
    CVxPictureManipulator(CVxPicture& picture, IVxToolView& view);

    // An empty picture has no handles.
    int GetFirstHandle() const override;
    int GetLastHandle() const override;
    bool IsValidHandle(int nHandle) const override;
    // The handles past the box are the members', not points to edit.
    int GetPointCount() const override { return 0; }

protected:
    void DrawDragFeedback(CTkDC& dc) override;

private:
    CVxPicture* m_pPicture;
};
