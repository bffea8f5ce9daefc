#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
class Listener : public CCObject
{
public:
    void onEvent(CCObject* object)
    {
        received.push_back(object);
        if (removeOnCall)
        {
            CCNotificationCenter::sharedNotificationCenter()->removeObserver(removeOnCall, "event");
        }
        if (addOnCall)
        {
            CCNotificationCenter::sharedNotificationCenter()->addObserver(
                addOnCall, callfuncO_selector(Listener::onEvent), "event", NULL);
        }
    }

    std::vector<CCObject*> received;
    Listener* removeOnCall = NULL;
    Listener* addOnCall = NULL;
};

class NotificationTest : public ::testing::Test
{
protected:
    void TearDown() override { CCNotificationCenter::purgeNotificationCenter(); }
    CCNotificationCenter* center() { return CCNotificationCenter::sharedNotificationCenter(); }
    void listen(Listener& l, const char* name, CCObject* filter = NULL)
    {
        center()->addObserver(&l, callfuncO_selector(Listener::onEvent), name, filter);
    }
};
} // namespace

TEST_F(NotificationTest, PostsReachObserversByNameAndObject)
{
    Listener any, filtered, other;
    CCObject sender, stranger;
    listen(any, "event");
    listen(any, "event");  // a second registration is ignored
    listen(filtered, "event", &sender);
    listen(other, "event_windowed");

    center()->postNotification("event");
    center()->postNotification("event", &sender);
    center()->postNotification("event", &stranger);
    center()->postNotification("unheard");

    EXPECT_EQ((std::vector<CCObject*>{ NULL, &sender, &stranger }), any.received);
    // An object filter passes its own object, and posts that carry none.
    EXPECT_EQ((std::vector<CCObject*>{ NULL, &sender }), filtered.received);
    EXPECT_TRUE(other.received.empty());

    center()->removeObserver(&any, "event");
    center()->postNotification("event", &sender);
    EXPECT_EQ(3u, any.received.size());
    EXPECT_EQ(3u, filtered.received.size());

    listen(filtered, "event_windowed");
    EXPECT_EQ(2, center()->removeAllObservers(&filtered));
    center()->postNotification("event");
    center()->postNotification("event_windowed");
    EXPECT_EQ(3u, filtered.received.size());
    EXPECT_EQ(1u, other.received.size());
}

TEST_F(NotificationTest, ObserversChangedDuringAPost)
{
    Listener first, second, self, late;
    first.removeOnCall = &second;  // removed before its turn: not called
    self.removeOnCall = &self;     // removes itself while being called
    first.addOnCall = &late;       // added during the post: heard from the next post on
    listen(first, "event");
    listen(second, "event");
    listen(self, "event");

    center()->postNotification("event");
    EXPECT_EQ(1u, first.received.size());
    EXPECT_TRUE(second.received.empty());
    EXPECT_EQ(1u, self.received.size());
    EXPECT_TRUE(late.received.empty());

    first.removeOnCall = NULL;
    first.addOnCall = NULL;
    center()->postNotification("event");
    EXPECT_EQ(2u, first.received.size());
    EXPECT_EQ(1u, self.received.size());
    EXPECT_EQ(1u, late.received.size());
}
