#pragma once
// An arc closed into a filled figure, a pie or a chord: the arc's geometry,
// handles and point editing, with a brush. It is never connected to the
// current position.

#include "graphics/VxArc.h"

class CVxClosedArc : public CVxArc {
    TK_DECLARE_DYNAMIC(CVxClosedArc)
public:
    // For creation on load: the properties come from the archive.
    CVxClosedArc() = default;
    // Adds "Brush" after "Pen".
    explicit CVxClosedArc(const RECT& rect);
    CVxClosedArc(const RECT& rect, POINT ptStart, POINT ptEnd);

    // A stored connection to the current position is refused.
    void Serialize(CTkArchive& ar) override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;

protected:
    using DrawCall = BOOL (CTkDC::*)(int, int, int, int, int, int, int, int);
    virtual DrawCall GetDrawCall() const = 0;

private:
    void AddFill();
};
