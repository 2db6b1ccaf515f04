#pragma once
// The text tool: every press makes a text, whose "Text" dialog opens when the
// button goes up. Typing it and making it are one undo step; an empty or
// cancelled dialog leaves nothing behind.

#include "editing/VxShapeTool.h"

class CVxTextTool : public CVxShapeTool {
public:
    CVxTextTool();

    bool OnLButtonDown(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnSetCursor(IVxToolView& view) override;
    bool Cancel(IVxToolView& view) override;

private:
    bool m_bInDialog = false;
};
