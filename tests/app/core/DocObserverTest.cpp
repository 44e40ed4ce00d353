// Observers follow documents' hints and detach themselves, whichever side goes first.
#include "app/core/DocObserver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class RecordingObserver : public CDocObserver
{
public:
    RecordingObserver(char name, std::string& log) : m_name(name), m_log(log) {}
    int OnDocumentNotify(long hint, CObject*) override
    {
        m_log += m_name;
        m_lastHint = hint;
        return 0;
    }
    long m_lastHint = 0;

private:
    char m_name;
    std::string& m_log;
};

TEST(DocObserver, LastAttachedIsNotifiedFirstAndInactiveOnesAreSkipped)
{
    std::string log;
    CDocObserverList list;
    RecordingObserver a('A', log), b('B', log), c('C', log);
    list.Attach(&a);
    list.Attach(&b);
    list.Attach(&c);
    list.Notify(0x8101, nullptr);
    EXPECT_EQ("CBA", log);
    EXPECT_EQ(0x8101, a.m_lastHint);

    log.clear();
    b.SetActive(false);
    list.Notify(1, nullptr);
    EXPECT_EQ("CA", log);

    log.clear();
    list.EnableNotifications(false);
    list.Notify(1, nullptr);
    EXPECT_EQ("", log);
}

TEST(DocObserver, AttachingTwiceKeepsOneEntryAndDestroyedObserversLeaveTheList)
{
    std::string log;
    CDocObserverList list;
    auto observer = std::make_unique<RecordingObserver>('A', log);
    list.Attach(observer.get());
    list.Attach(observer.get());
    EXPECT_EQ(1, list.GetObserverCount());
    EXPECT_EQ(1, observer->GetListCount());

    observer.reset();
    EXPECT_EQ(0, list.GetObserverCount());
    list.Notify(1, nullptr); // would touch freed memory if the observer were still listed
    EXPECT_EQ("", log);
}

TEST(DocObserver, DestroyedListLeavesItsObserversWithOneListFewer)
{
    std::string log;
    RecordingObserver observer('A', log);
    CDocObserverList kept;
    kept.Attach(&observer);
    {
        CDocObserverList gone;
        gone.Attach(&observer);
        EXPECT_EQ(2, observer.GetListCount());
    }
    EXPECT_EQ(1, observer.GetListCount());
    kept.Notify(1, nullptr);
    EXPECT_EQ("A", log);
}

// An observer that detaches itself while being told of a change.
class SelfDetachingObserver : public CDocObserver
{
public:
    explicit SelfDetachingObserver(CDocObserverList& list) : m_list(list) {}
    int OnDocumentNotify(long, CObject*) override
    {
        m_list.Detach(this);
        ++m_calls;
        return 0;
    }
    int m_calls = 0;

private:
    CDocObserverList& m_list;
};

TEST(DocObserver, DetachingDuringNotifyStillNotifiesTheOthersOnce)
{
    std::string log;
    CDocObserverList list;
    RecordingObserver first('A', log);
    SelfDetachingObserver leaving(list);
    RecordingObserver last('C', log);
    list.Attach(&first);
    list.Attach(&leaving);
    list.Attach(&last);
    list.Notify(1, nullptr);
    EXPECT_EQ("CA", log);
    EXPECT_EQ(1, leaving.m_calls);
    EXPECT_EQ(2, list.GetObserverCount());
    EXPECT_EQ(0, leaving.GetListCount());
}

} // namespace
