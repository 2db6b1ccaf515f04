#include "platform/framework/TkDocumentBase.h"
#include "platform/framework/TkObject.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct Update {
    ITkDocumentView* pView;
    ITkDocumentView* pSender;
    long lHint;
    CTkObject* pHint;
    friend bool operator==(const Update&, const Update&) = default;
};

class CRecordingView : public ITkDocumentView {
public:
    explicit CRecordingView(std::vector<Update>& log) : m_log(log) {}
    void OnUpdate(ITkDocumentView* pSender, long lHint, CTkObject* pHint) override
    {
        m_log.push_back({this, pSender, lHint, pHint});
        if (m_onUpdate) m_onUpdate();
    }
    std::function<void()> m_onUpdate;

private:
    std::vector<Update>& m_log;
};

class TkDocumentBaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.AddView(&v1);
        doc.AddView(&v2);
        doc.AddView(&v3);
    }
    std::vector<Update> log;
    CRecordingView v1{log}, v2{log}, v3{log};
    CTkDocumentBase doc;
};

}  // namespace

TEST_F(TkDocumentBaseTest, UpdatesEveryViewButTheSender)
{
    doc.AddView(&v2);  // already there
    EXPECT_EQ(doc.GetViews().size(), 3u);
    CTkObject hint;
    doc.UpdateAllViews(&v2, 1, &hint);
    EXPECT_EQ(log, (std::vector<Update>{{&v1, &v2, 1, &hint}, {&v3, &v2, 1, &hint}}));
    log.clear();
    doc.UpdateAllViews(nullptr, 3);
    EXPECT_EQ(log.size(), 3u);
    doc.RemoveView(&v1);
    log.clear();
    doc.UpdateAllViews(nullptr);
    EXPECT_EQ(log, (std::vector<Update>{{&v2, nullptr, 0, nullptr}, {&v3, nullptr, 0, nullptr}}));
}

TEST_F(TkDocumentBaseTest, ViewsMayRemoveViewsDuringAnUpdate)
{
    v1.m_onUpdate = [&] { doc.RemoveView(&v1); };  // itself
    v2.m_onUpdate = [&] { doc.RemoveView(&v3); };  // one not yet told
    doc.UpdateAllViews(nullptr, 4);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].pView, &v1);
    EXPECT_EQ(log[1].pView, &v2);
    EXPECT_EQ(doc.GetViews(), (std::vector<ITkDocumentView*>{&v2}));
}
