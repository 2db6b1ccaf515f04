#include "platform/framework/TkDocumentBase.h"
#include "platform/framework/TkObject.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Logs which view was told, and may act while being told.
class CRecordingView : public ITkDocumentView {
public:
    explicit CRecordingView(std::vector<ITkDocumentView*>& log) : m_log(log) {}
    void OnUpdate(ITkDocumentView*, long, CTkObject*) override
    {
        m_log.push_back(this);
        if (m_onUpdate) m_onUpdate();
    }
    std::function<void()> m_onUpdate;

private:
    std::vector<ITkDocumentView*>& m_log;
};

}  // namespace

TEST(TkDocumentBase, UpdatesEveryViewButTheSenderWhileViewsComeAndGo)
{
    std::vector<ITkDocumentView*> log;
    CRecordingView v1{log}, v2{log}, v3{log};
    CTkDocumentBase doc;
    for (ITkDocumentView* pView : {&v1, &v2, &v3, &v2})  // the second v2 is not added
        doc.AddView(pView);
    doc.UpdateAllViews(&v2, 1);
    EXPECT_EQ(log, (std::vector<ITkDocumentView*>{&v1, &v3}));
    log.clear();
    v1.m_onUpdate = [&] { doc.RemoveView(&v1); };  // itself
    v2.m_onUpdate = [&] { doc.RemoveView(&v3); };  // one not yet told
    doc.UpdateAllViews(nullptr, 4);
    EXPECT_EQ(log, (std::vector<ITkDocumentView*>{&v1, &v2}));
    EXPECT_EQ(doc.GetViews(), (std::vector<ITkDocumentView*>{&v2}));
}
