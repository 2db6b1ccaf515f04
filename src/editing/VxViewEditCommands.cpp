// The edit commands that change what is selected or remove it.

#include "editing/VxView.h"

#include "editing/IVxInputHandler.h"
#include "editing/VxGraphicManipulator.h"
#include "graphics/VxGraphic.h"
#include "graphics/VxPicture.h"
#include "platform/framework/TkWaitCursor.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>


std::unordered_set<const CVxGraphic*> CVxView::GetSelectedSet() const
{
    std::unordered_set<const CVxGraphic*> members;
    members.reserve(std::size_t(m_selection.GetChildCount()));
    for (auto pos = m_selection.GetFirstChildPosition(); pos;)
        members.insert(m_selection.GetNextChild(pos));
    return members;
}

void CVxView::OnUpdateNeedsSelection(CTkCmdUI& cmdUI)
{
    cmdUI.Enable(!m_selection.HasNoChildren());
}

void CVxView::OnUpdateNeedsGraphics(CTkCmdUI& cmdUI)
{
    cmdUI.Enable(!m_doc.GetPicture().HasNoChildren());
}

void CVxView::OnEditDelete()
{
    // A gesture in progress owns the key (a poly being built takes back a
    // point); a tool that answers Delete with this command comes back here.
    if (m_bCapture) {
        if (!std::exchange(m_bRoutingDelete, true)) {
            OnKeyDown(VK_DELETE, 1, 0);
            m_bRoutingDelete = false;
        }
        return;
    }
    if (IVxInputHandler* pManipulator = GetActiveManipulator();
        pManipulator && !m_bCapture && pManipulator->OnKeyDown(*this, VK_DELETE, 1, 0))
        return;
    DeleteSelection();
}

void CVxView::DeleteSelection()
{
    if (m_selection.HasNoChildren()) return;
    m_doc.SaveUndoState();
    InvalidateHandles();
    // A sorted array, not a hash set: on a large picture the set's nodes cost
    // more to make and free than the graphics' own deletion.
    std::vector<const CVxGraphic*> doomed;
    doomed.reserve(std::size_t(m_selection.GetChildCount()));
    for (auto pos = m_selection.GetFirstChildPosition(); pos;) doomed.push_back(m_selection.GetNextChild(pos));
    std::sort(doomed.begin(), doomed.end());
    // The manipulator refers to what is about to go.
    m_pSelectionManipulator.reset();
    m_bManipulatorStale = true;
    m_selection.RemoveAllChildren();
    // One walk and one change of the list, not a repaint per graphic: their
    // area is invalid already.
    CVxPicture& picture = m_doc.GetPicture();
    CVxGraphicList kept;
    std::vector<std::unique_ptr<CVxGraphic>> gone;
    for (auto pos = picture.GetFirstChildPosition(); pos;) {
        CVxGraphic* pGraphic = picture.GetNextChild(pos);
        if (std::binary_search(doomed.begin(), doomed.end(), pGraphic))
            gone.emplace_back(pGraphic);
        else
            kept.AddTail(pGraphic);
    }
    picture.RemoveAllChildren();
    picture.AddChildrenTail(kept);
}

void CVxView::OnEditSelectAll()
{
    const CTkWaitCursor wait;
    const std::unordered_set<const CVxGraphic*> selected = GetSelectedSet();
    CVxGraphicList added;
    CVxPicture& picture = m_doc.GetPicture();
    for (auto pos = picture.GetFirstChildPosition(); pos;) {
        CVxGraphic* pGraphic = picture.GetNextChild(pos);
        if (!selected.contains(pGraphic)) added.AddTail(pGraphic);
    }
    AddToSelection(added);
}

void CVxView::AddToSelection(const CVxGraphicList& graphics)
{
    if (graphics.IsEmpty()) return;
    Regroup([&] { m_selection.AddChildrenTail(graphics); });
}
