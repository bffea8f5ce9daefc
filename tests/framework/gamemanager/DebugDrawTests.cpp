#include "CollisionManager.h"
#include "DebugDraw.h"
#include "GameManager.h"
#include "RestartManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

TEST(DebugDraw, RectanglesExpireByTheirLifetime)
{
    CCScopedAutoreleasePool pool;
    DebugDraw* overlay = new DebugDraw();
    overlay->init();
    overlay->addRect(CCRect(0, 0, 10, 10), 0.0f);
    overlay->addRect(CCRect(0, 0, 10, 10), 1.0f);
    overlay->addRect(CCRect(5, 5, 0, 0), 2.0f);
    EXPECT_EQ(3u, overlay->getChildrenCount());
    overlay->visit();  // drawing a zero-size rectangle is harmless

    overlay->update(0.016f);
    EXPECT_EQ(2u, overlay->getRects().size());
    overlay->update(0.984f);
    EXPECT_EQ(1u, overlay->getRects().size());
    EXPECT_EQ(1u, overlay->getChildrenCount());

    // One taken off by other means is dropped without touching freed memory.
    overlay->removeAllChildrenWithCleanup(true);
    overlay->update(0.016f);
    EXPECT_TRUE(overlay->getRects().empty());
    overlay->release();
}

TEST(DebugDraw, CornersGoRoundTheRectangle)
{
    CCPoint corners[4];
    debugRectCorners(CCRect(1, 2, 3, 4), corners);
    EXPECT_EQ(CCPoint(1, 2), corners[0]);
    EXPECT_EQ(CCPoint(1, 6), corners[1]);
    EXPECT_EQ(CCPoint(4, 6), corners[2]);
    EXPECT_EQ(CCPoint(4, 2), corners[3]);
}

namespace
{
struct ContactCounter
{
    void onContact(ActorComponent*, ActorComponent*) { ++count; }
    int count = 0;
};
}

// The game manager makes the three managers; a paused game still expires rectangles but runs no
// collision tests.
TEST(GameManagerWithManagers, PausedFramesExpireRectanglesButSkipCollisions)
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    GameManager* manager = new GameManager();
    {
        CCScopedAutoreleasePool pool;
        ASSERT_TRUE(manager->init(NULL));
    }
    ASSERT_NE(nullptr, manager->getCollisionManager());
    ASSERT_NE(nullptr, manager->getRestartManager());
    ASSERT_NE(nullptr, manager->getDebugDraw());
    EXPECT_EQ(manager, manager->getDebugDraw()->getParent());
    EXPECT_EQ(100, manager->getDebugDraw()->getZOrder());
    CCDirector::sharedDirector()->runWithScene(manager);

    ContactCounter counter;
    CollisionSignal signal;
    signal.connect(&counter, &ContactCounter::onContact);
    CollisionList* lists[2];
    for (int i = 0; i < 2; ++i)
    {
        CCScopedAutoreleasePool pool;
        lists[i] = new CollisionList();
        lists[i]->initWithName(i == 0 ? "player" : "trigger", i == 0 ? 1 : 32);
        CCNode* node = CCNode::create();
        node->setContentSize(CCSize(10, 10));
        manager->getGameLayer()->addChild(node);
        lists[i]->addObject(ActorComponent::create(node));
        manager->getCollisionManager()->getCollisionLists()->addObject(lists[i]);
        lists[i]->release();
    }
    lists[0]->getRules().push_back(tCollisionRule{32, false, &signal});

    manager->setPaused(true);
    manager->getDebugDraw()->addRect(CCRect(0, 0, 4, 4), 0.25f);
    CCDirector::sharedDirector()->step(0.1f);
    CCDirector::sharedDirector()->step(0.1f);
    EXPECT_EQ(1u, manager->getDebugDraw()->getRects().size());
    CCDirector::sharedDirector()->step(0.1f);
    EXPECT_TRUE(manager->getDebugDraw()->getRects().empty());
    EXPECT_EQ(0, counter.count);

    manager->setPaused(false);
    CCDirector::sharedDirector()->step(0.1f);
    EXPECT_EQ(1, counter.count);

    // The managers go with the game manager.
    manager->release();
    CCDirector::purgeSharedDirector();
    EXPECT_EQ(nullptr, GameManager::getInstance());
}
