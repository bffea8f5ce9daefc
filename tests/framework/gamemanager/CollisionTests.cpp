#include "CollisionManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include "CCNode.h"

USING_NS_CC;

namespace
{
// A component that remembers where its owner stood last frame, as a moving actor's does.
class MovingComponent : public ActorComponent
{
public:
    static MovingComponent* create(CCNode* owner)
    {
        MovingComponent* component = new MovingComponent();
        component->setOwner(owner);
        component->autorelease();
        return component;
    }
    void moveTo(const CCPoint& from, const CCPoint& to)
    {
        m_last = from;
        m_pOwner->setPosition(to);
    }
    virtual CCPoint getLastPosition() { return m_last; }

private:
    CCPoint m_last;
};

CCNode* makeBox(CCNode* parent, float x, float y, float w, float h)
{
    CCNode* node = CCNode::create();
    node->setContentSize(CCSize(w, h));
    node->setPosition(CCPoint(x, y));
    parent->addChild(node);
    return node;
}

struct ContactCounter
{
    void onContact(ActorComponent*, ActorComponent*) { ++count; }
    int count = 0;
};

// A "player" list (id 1) tested against a "wall" list (id 8), both inside a moved parent so the
// node-space transforms matter.
class CollisionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Drained at the end: from then on the lists and the world hold the only references.
        CCScopedAutoreleasePool setupPool;
        manager = new CollisionManager();
        world = CCNode::create();
        world->retain();
        world->setPosition(CCPoint(100.0f, 50.0f));
        mover = MovingComponent::create(makeBox(world, 15.0f, 50.0f, 4.0f, 4.0f));
        wall = ActorComponent::create(makeBox(world, 20.0f, 0.0f, 10.0f, 100.0f));
        player = addList("player", 1);
        walls = addList("backdrop", 8);
        player->addObject(mover);
        walls->addObject(wall);
    }
    void TearDown() override
    {
        manager->release();
        world->release();
    }

    CollisionList* addList(const char* name, int id)
    {
        CollisionList* list = new CollisionList();
        list->initWithName(name, id);
        if (manager->getCollisionLists() == NULL)
        {
            CCArray* lists = new CCArray();
            lists->init();
            manager->setCollisionLists(lists);
            lists->release();
        }
        manager->getCollisionLists()->addObject(list);
        list->release();
        return list;
    }

    CCScopedAutoreleasePool pool;
    CollisionManager* manager = nullptr;
    CCNode* world = nullptr;
    MovingComponent* mover = nullptr;
    ActorComponent* wall = nullptr;
    CollisionList* player = nullptr;
    CollisionList* walls = nullptr;
    ContactCounter counter;
};
}

TEST_F(CollisionTest, MoverThroughAnEdgeStopsJustInFrontOfIt)
{
    player->getRules().push_back(tCollisionRule{8, true, NULL});
    mover->moveTo(CCPoint(15.0f, 50.0f), CCPoint(22.0f, 50.0f));
    manager->update();
    EXPECT_NEAR(19.999f, mover->getOwner()->getPositionX(), 1e-4f);
    EXPECT_FLOAT_EQ(50.0f, mover->getOwner()->getPositionY());

    // Coming down onto the top edge pushes up instead.
    mover->moveTo(CCPoint(25.0f, 103.0f), CCPoint(25.0f, 98.0f));
    manager->update();
    EXPECT_FLOAT_EQ(25.0f, mover->getOwner()->getPositionX());
    EXPECT_NEAR(100.001f, mover->getOwner()->getPositionY(), 1e-4f);
}

TEST_F(CollisionTest, MemberAlreadyInsideIsNotMoved)
{
    player->getRules().push_back(tCollisionRule{8, true, NULL});
    mover->moveTo(CCPoint(22.0f, 50.0f), CCPoint(24.0f, 50.0f));
    manager->update();
    EXPECT_EQ(CCPoint(24.0f, 50.0f), mover->getOwner()->getPosition());
}

TEST_F(CollisionTest, MemberRoundedAHairBehindAnEdgeIsStillHeldByIt)
{
    // Stopped in front of the wall, then rounded a hair into it: walking on must not carry it through.
    player->getRules().push_back(tCollisionRule{8, true, NULL});
    mover->moveTo(CCPoint(20.0005f, 50.0f), CCPoint(21.0f, 50.0f));
    manager->update();
    EXPECT_NEAR(19.999f, mover->getOwner()->getPositionX(), 1e-4f);
}

TEST_F(CollisionTest, TouchingPairsAreAnnouncedOncePerPassAndInvisibleOrSelfPairsNever)
{
    CollisionSignal signal;
    signal.connect(&counter, &ContactCounter::onContact);
    struct Case
    {
        bool resolve;
        bool wallVisible;
        int expected;
    } cases[] = {
        {false, true, 1},
        {true, true, 2},  // still touching after the first pass, so announced again
        {true, false, 0},
    };
    for (const Case& c : cases)
    {
        player->getRules().assign(1, tCollisionRule{8, c.resolve, &signal});
        wall->getOwner()->setVisible(c.wallVisible);
        mover->moveTo(CCPoint(15.0f, 50.0f), CCPoint(22.0f, 50.0f));
        counter.count = 0;
        manager->update();
        EXPECT_EQ(c.expected, counter.count) << "resolve " << c.resolve << " visible " << c.wallVisible;
        EXPECT_NEAR(c.expected == 0 ? 22.0f : (c.resolve ? 19.999f : 22.0f), mover->getOwner()->getPositionX(),
                    1e-4f);
    }

    // The same node in both lists is never tested against itself; an unknown list id is skipped.
    wall->getOwner()->setVisible(true);
    walls->removeAllObjects();
    walls->addObject(mover);
    walls->addObject(mover);
    EXPECT_EQ(1u, walls->getMembers().size());
    player->getRules().push_back(tCollisionRule{64, false, &signal});
    counter.count = 0;
    manager->update();
    EXPECT_EQ(0, counter.count);
}

namespace
{
// A trigger handler that empties both lists while it is being announced.
struct ListClearer
{
    void onContact(ActorComponent*, ActorComponent*)
    {
        ++count;
        a->removeAllObjects();
        b->removeAllObjects();
    }
    CollisionList* a;
    CollisionList* b;
    int count = 0;
};
}

TEST_F(CollisionTest, SubscriberMayEmptyTheListsWhileBeingAnnounced)
{
    ListClearer clearer{player, walls};
    CollisionSignal signal;
    signal.connect(&clearer, &ListClearer::onContact);
    {
        CCScopedAutoreleasePool inner;
        walls->addObject(ActorComponent::create(makeBox(world, 20.0f, 48.0f, 5.0f, 5.0f)));
    }
    player->getRules().push_back(tCollisionRule{8, true, &signal});
    mover->moveTo(CCPoint(15.0f, 50.0f), CCPoint(22.0f, 50.0f));
    // Emptying the lists drops the components' last references (the world still holds the nodes).
    manager->update();
    // The walk goes on over its snapshot: both walls of the first pass, none in the second.
    EXPECT_EQ(2, clearer.count);
    EXPECT_TRUE(player->getMembers().empty());
    EXPECT_TRUE(walls->getMembers().empty());
}

TEST_F(CollisionTest, IntersectsLineCrossesVisibleBoxEdgesOnly)
{
    // The wall's box in the world node's space: x 20..30, y 0..100.
    struct Case
    {
        CCPoint p, q;
        bool expected;
    } cases[] = {
        {CCPoint(22, 10), CCPoint(28, 90), false},  // wholly inside
        {CCPoint(0, 50), CCPoint(40, 50), true},    // straight through
        {CCPoint(0, 50), CCPoint(20, 50), true},    // end point exactly on the left edge
        {CCPoint(0, 50), CCPoint(19, 50), false},   // stops short
        {CCPoint(25, 90), CCPoint(25, 120), true},  // out through the top
        {CCPoint(0, 0), CCPoint(10, 200), false},   // passes beside
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, walls->intersectsLine(c.p, c.q)) << c.p.x << "," << c.p.y << " " << c.q.x << "," << c.q.y;
    }
    wall->getOwner()->setVisible(false);
    EXPECT_FALSE(walls->intersectsLine(CCPoint(0, 50), CCPoint(40, 50)));
}

TEST_F(CollisionTest, ListLookupAnswersTheFirstWithTheId)
{
    CollisionList* second = addList("second-player", 1);
    EXPECT_EQ(player, manager->getCollisionList(1));
    EXPECT_NE(second, manager->getCollisionList(1));
    EXPECT_EQ(NULL, manager->getCollisionList(2));
}
