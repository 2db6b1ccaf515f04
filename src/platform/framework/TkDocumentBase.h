#pragma once
// The framework's document: the modified flag, the views it keeps informed,
// and the commands it owns.

#include "platform/framework/TkCmdTarget.h"

#include <string>
#include <vector>

class CTkObject;

// A view registered with a document receives its update hints.
class ITkDocumentView {
public:
    virtual ~ITkDocumentView() = default;
    virtual void OnUpdate(ITkDocumentView* pSender, long lHint, CTkObject* pHint) = 0;
};

class CTkDocumentBase : public CTkCmdTarget {
public:

    virtual void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }
    bool IsModified() const { return m_bModified; }

    void AddView(ITkDocumentView* pView);
    void RemoveView(ITkDocumentView* pView);
    const std::vector<ITkDocumentView*>& GetViews() const { return m_views; }
    // Tells every view but the sender.
    virtual void UpdateAllViews(ITkDocumentView* pSender, long lHint = 0,
                                CTkObject* pHint = nullptr);

    std::string m_strTitle;
    std::string m_strPathName;

private:
    bool m_bModified = false;
    std::vector<ITkDocumentView*> m_views;
};
