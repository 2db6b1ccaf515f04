#include "platform/framework/TkDocumentBase.h"

#include <algorithm>

void CTkDocumentBase::AddView(ITkDocumentView* pView)
{
    if (pView && std::find(m_views.begin(), m_views.end(), pView) == m_views.end()) {
        m_views.push_back(pView);
    }
}

void CTkDocumentBase::RemoveView(ITkDocumentView* pView)
{
    std::erase(m_views, pView);
}

void CTkDocumentBase::UpdateAllViews(ITkDocumentView* pSender, long lHint, CTkObject* pHint)
{
    // A view may add or remove views while it updates: walk a copy and skip the
    // ones that are gone meanwhile.
    const std::vector<ITkDocumentView*> views = m_views;
    for (ITkDocumentView* pView : views) {
        if (pView == pSender) continue;
        if (std::find(m_views.begin(), m_views.end(), pView) == m_views.end()) continue;
        pView->OnUpdate(pSender, lHint, pHint);
    }
}
