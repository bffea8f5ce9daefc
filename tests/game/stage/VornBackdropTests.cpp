#include "StageTestSupport.h"

#include "CCAnimatingSprite.h"
#include "CollisionManager.h"
#include "CCBAnimationManager.h"
#include "VornBackdrop.h"
#include "VornCollision.h"
#include "VornScriptEngine.h"
#include "VornTrigger.h"

#include "lua_engine.h"

#include <vector>

USING_NS_CC;

namespace
{
CCNode* layerAt(CCArray* layers, unsigned int i)
{
    return static_cast<CCNode*>(layers->objectAtIndex(i));
}
} // namespace

class BackdropTest : public StageTest
{
protected:
    void SetUp()
    {
        StageTest::SetUp();
        m_pLayerParent = CCNode::create();
        m_pObjectParent = CCNode::create();
        m_pBackdrop = new VornBackdrop();
        // The object loader hands level objects to the current backdrop.
        m_pManager->setBackground(m_pBackdrop);
        m_pBackdrop->release();
    }
    CCNode* m_pLayerParent = nullptr;
    CCNode* m_pObjectParent = nullptr;
    VornBackdrop* m_pBackdrop = nullptr;
};

TEST_F(BackdropTest, StreetStageLoadsItsLayersWallsObjectsAndNames)
{
    ASSERT_TRUE(m_pBackdrop->initWithFile("stage-street", m_pLayerParent, m_pObjectParent));
    EXPECT_FALSE(CCDirector::sharedDirector()->isPaused());

    // Backgrounds -2 then -3; the foreground sits in the layer parent at z = its tag, the root at -1.
    ASSERT_EQ(2u, m_pBackdrop->getBackgroundLayers()->count());
    EXPECT_EQ(-2, layerAt(m_pBackdrop->getBackgroundLayers(), 0)->getTag());
    EXPECT_EQ(-3, layerAt(m_pBackdrop->getBackgroundLayers(), 1)->getTag());
    ASSERT_EQ(1u, m_pBackdrop->getForegroundLayers()->count());
    CCNode* lamps = layerAt(m_pBackdrop->getForegroundLayers(), 0);
    EXPECT_EQ(m_pLayerParent, lamps->getParent());
    EXPECT_EQ(1, lamps->getZOrder());
    EXPECT_EQ(m_pLayerParent, m_pBackdrop->getRootNode()->getParent());
    EXPECT_EQ(-1, m_pBackdrop->getRootNode()->getZOrder());

    // The level is the main layer's extent; the walls stand just inside it, in the bounds list.
    CCRect bounds = m_pBackdrop->getLevelBounds();
    EXPECT_FLOAT_EQ(0.0f, bounds.getMinX());
    EXPECT_FLOAT_EQ(640.0f, bounds.getMaxX());
    EXPECT_FLOAT_EQ(-54.0f, bounds.getMinY());  // the road's foot, below the walkable band
    EXPECT_FLOAT_EQ(36.0f, bounds.getMaxY());
    VornCollision* left = m_pBackdrop->getLeftEdgeCollision();
    VornCollision* right = m_pBackdrop->getRightEdgeCollision();
    ASSERT_TRUE(left && right && m_pBackdrop->getFloorCollision());
    EXPECT_EQ(3u, listSize(16));
    EXPECT_TRUE(inList(16, left));
    EXPECT_FLOAT_EQ(-9.0f, left->boundingBox().getMinX());
    EXPECT_FLOAT_EQ(1.0f, left->boundingBox().getMaxX());
    EXPECT_FLOAT_EQ(639.0f, right->boundingBox().getMinX());
    EXPECT_FLOAT_EQ(-100.0f, right->boundingBox().getMinY());
    EXPECT_FLOAT_EQ(640.0f, m_pBackdrop->getFloorCollision()->boundingBox().size.width);
    EXPECT_EQ(m_pBackdrop->getMainLayer(), left->getParent());

    // Layout boxes: invisible members of the backdrop list; the wall that holds a wave is hidden
    // (out of play) until the script shows it. The gate: an armed trigger, beside the first wave's.
    CCNode* shopFronts = m_pBackdrop->getNodeByName("shopFronts");
    ASSERT_TRUE(shopFronts != nullptr);
    // The shop fronts and the held wall: no prop is solid.
    EXPECT_EQ(2u, listSize(8));
    CCNode* lockWall = m_pBackdrop->getNodeByName("lockWall");
    ASSERT_TRUE(lockWall != nullptr);
    EXPECT_TRUE(inList(8, lockWall));
    EXPECT_FALSE(lockWall->isVisible());
    EXPECT_TRUE(inList(8, shopFronts));
    EXPECT_EQ(0, static_cast<VornCollision*>(shopFronts)->getOpacity());
    VornTrigger* gate = dynamic_cast<VornTrigger*>(m_pBackdrop->getNodeByName("gate"));
    ASSERT_TRUE(gate != nullptr);
    EXPECT_EQ(2u, listSize(32));
    EXPECT_TRUE(inList(32, gate));
    EXPECT_EQ("onGateReached", gate->getTriggerName());
    EXPECT_FALSE(gate->getRepeatTrigger());
    EXPECT_FALSE(gate->getVisibleTrigger());
    EXPECT_FALSE(gate->isTriggered());
    EXPECT_EQ(0, gate->getOpacity());

    // The barrel and the seven props moved to the object parent, depth-sorted through the sign
    // list; the barrel animates its sheet, each prop shows its one frame of the stage's sheet.
    CCAnimatingSprite* barrel = dynamic_cast<CCAnimatingSprite*>(m_pBackdrop->getNodeByName("fireBarrel"));
    ASSERT_TRUE(barrel != nullptr);
    ASSERT_EQ(8u, m_pBackdrop->getObjects()->count());
    EXPECT_TRUE(m_pBackdrop->getObjects()->containsObject(barrel));
    EXPECT_EQ(4u, barrel->getFrames()->count());
    CCObject* object = nullptr;
    CCARRAY_FOREACH(m_pBackdrop->getObjects(), object)
    {
        CCAnimatingSprite* sprite = dynamic_cast<CCAnimatingSprite*>(object);
        ASSERT_TRUE(sprite != nullptr);
        EXPECT_EQ(m_pObjectParent, sprite->getParent());
        EXPECT_TRUE(inList(4, sprite));
        if (sprite != barrel)
        {
            EXPECT_EQ(1u, sprite->getFrames()->count());
        }
    }
    EXPECT_TRUE(m_pBackdrop->getNodeByName("neonSign") != nullptr);
    EXPECT_EQ(nullptr, m_pBackdrop->getNodeByName("noSuchNode"));

    m_pBackdrop->reset();
    EXPECT_EQ(nullptr, m_pBackdrop->getNodeByName("neonSign"));
    EXPECT_EQ(0u, listSize(16));
    EXPECT_FALSE(inList(4, barrel));
    EXPECT_EQ(0u, m_pLayerParent->getChildrenCount());
    EXPECT_EQ(0u, m_pObjectParent->getChildrenCount());
    EXPECT_EQ(nullptr, m_pBackdrop->getMainLayer());
}

TEST_F(BackdropTest, EveryStageFollowsTheStageRulesAndKeepsTheSpawnBandClear)
{
    struct
    {
        const char* file;
        float width;
        const char* object;   // the animated object the level script hands its sheet
        const char* trigger;  // "" = none
        unsigned int triggers;
        unsigned int objects;  // the animated ones and the props
    } stages[] = {
        {"stage-street", 640.0f, "fireBarrel", "onGateReached", 2, 8},
        {"stage-docks", 640.0f, "beacon", "onPierReached", 3, 11},
        {"stage-market", 640.0f, "grillCart", "onStallsReached", 2, 11},
        {"stage-yard", 640.0f, "signal", "onSidingsReached", 3, 8},
        {"stage-tower", 600.0f, "turbineVent", "onTanksReached", 3, 10},
        {"stage-arena", 240.0f, "airCon", "", 0, 5},
        {"stage-alley", 320.0f, "manholeSteam", "", 0, 6},
        {"stage-freight", 320.0f, "beacon", "", 0, 6},
        {"stage-helipad", 240.0f, "windsock", "", 0, 5},
        {"stage-pier", 320.0f, "lantern", "", 0, 7},
    };
    for (const auto& st : stages)
    {
        SCOPED_TRACE(st.file);
        ASSERT_TRUE(m_pBackdrop->initWithFile(st.file, m_pLayerParent, m_pObjectParent));
        ASSERT_EQ(2u, m_pBackdrop->getBackgroundLayers()->count());
        EXPECT_EQ(-2, layerAt(m_pBackdrop->getBackgroundLayers(), 0)->getTag());
        EXPECT_EQ(-3, layerAt(m_pBackdrop->getBackgroundLayers(), 1)->getTag());
        ASSERT_EQ(1u, m_pBackdrop->getForegroundLayers()->count());
        EXPECT_EQ(1, layerAt(m_pBackdrop->getForegroundLayers(), 0)->getZOrder());

        CCRect bounds = m_pBackdrop->getLevelBounds();
        EXPECT_FLOAT_EQ(0.0f, bounds.getMinX());
        EXPECT_FLOAT_EQ(st.width, bounds.getMaxX());
        EXPECT_LE(bounds.getMinY(), -37.0f);
        EXPECT_GE(bounds.getMaxY(), -22.0f);

        // Enemies walk in at any x with feet between -22 and -37: no wall may stand in that band,
        // and the back wall keeps everyone out of the scenery. No prop is solid: a base holds a
        // fighter where he may not see why (behind the prop), so the back wall is the only one.
        ASSERT_GE(listSize(8), 1u);
        bool backWall = false;
        CollisionList* walls = m_pManager->getCollisionManager()->getCollisionList(8);
        for (ActorComponent* member : walls->getMembers())
        {
            if (!member->getOwner()->isVisible())
            {
                continue;  // a wave's held wall, out of play until a script shows it
            }
            CCRect box = member->getOwner()->boundingBox();
            EXPECT_TRUE(box.getMinY() >= -22.0f || box.getMaxY() <= -37.0f)
                << box.getMinX() << "," << box.getMinY() << " " << box.size.width << "x" << box.size.height;
            const bool isBackWall = box.size.width >= st.width && box.getMinY() <= -10.0f;
            EXPECT_TRUE(isBackWall) << "a wall across only part of the floor at " << box.getMinX() << ","
                                    << box.getMinY();
            backWall = backWall || isBackWall;
        }
        EXPECT_TRUE(backWall);

        CCAnimatingSprite* prop = dynamic_cast<CCAnimatingSprite*>(m_pBackdrop->getNodeByName(st.object));
        ASSERT_TRUE(prop != nullptr);
        EXPECT_EQ(st.objects, m_pBackdrop->getObjects()->count());
        EXPECT_EQ(0, prop->getTag());
        EXPECT_EQ(m_pObjectParent, prop->getParent());
        EXPECT_EQ(4u, prop->getFrames()->count());

        // Every trigger spans the band enemies and the player walk in; the named one is among them.
        EXPECT_EQ(st.triggers, listSize(32));
        bool named = !*st.trigger;
        for (ActorComponent* member : m_pManager->getCollisionManager()->getCollisionList(32)->getMembers())
        {
            VornTrigger* trigger = dynamic_cast<VornTrigger*>(member->getOwner());
            ASSERT_TRUE(trigger != nullptr);
            named = named || trigger->getTriggerName() == st.trigger;
            EXPECT_LE(trigger->boundingBox().getMinY(), -37.0f);
            EXPECT_GE(trigger->boundingBox().getMaxY(), -22.0f);
        }
        EXPECT_TRUE(named);
        // As the game does between stages: the layout's own boxes leave their lists.
        m_pBackdrop->reset();
        for (int list : {4, 8, 32})
        {
            m_pManager->getCollisionManager()->getCollisionList(list)->removeAllObjects();
        }
    }
}

TEST_F(BackdropTest, LayersFollowTheCameraByTheirFactorsAndForegroundsTakeTheOffset)
{
    ASSERT_TRUE(m_pBackdrop->initWithFile(fixtureLayout("layers").c_str(), m_pLayerParent, m_pObjectParent));
    CCArray* backs = m_pBackdrop->getBackgroundLayers();
    CCArray* fronts = m_pBackdrop->getForegroundLayers();
    ASSERT_EQ(3u, backs->count());  // -1 is not a background
    ASSERT_EQ(2u, fronts->count());
    EXPECT_EQ(2, layerAt(fronts, 1)->getZOrder());

    // Container reset to the origin at scale 1; bounds taken over the main layer's children.
    CCNode* container = m_pBackdrop->getRootNode()->getChildByTag(0);
    EXPECT_FLOAT_EQ(1.0f, container->getScale());
    EXPECT_TRUE(container->getPosition().equals(CCPoint(0, 0)));
    CCRect bounds = m_pBackdrop->getLevelBounds();
    EXPECT_FLOAT_EQ(-20.0f, bounds.getMinX());
    EXPECT_FLOAT_EQ(-40.0f, bounds.getMinY());
    EXPECT_FLOAT_EQ(300.0f, bounds.getMaxX());
    EXPECT_FLOAT_EQ(60.0f, bounds.getMaxY());

    // A nested object keeps its place relative to the main layer.
    CCNode* prop = m_pBackdrop->getNodeByName("prop");
    ASSERT_TRUE(prop != nullptr);
    EXPECT_TRUE(prop->getPosition().equals(CCPoint(104, 15)));

    m_pBackdrop->onCameraMoved(CCPoint(-100, 0));  // the first move after a load is skipped
    EXPECT_TRUE(layerAt(backs, 0)->getPosition().equals(CCPoint(0, 0)));
    m_pBackdrop->onCameraMoved(CCPoint(-100, 0));
    EXPECT_FLOAT_EQ(50.0f, layerAt(backs, 0)->getPositionX());
    EXPECT_FLOAT_EQ(75.0f, layerAt(backs, 1)->getPositionX());
    EXPECT_FLOAT_EQ(100.0f, layerAt(backs, 2)->getPositionX());
    EXPECT_FLOAT_EQ(-110.0f, layerAt(fronts, 0)->getPositionX());
    EXPECT_FLOAT_EQ(-55.0f, layerAt(fronts, 1)->getPositionX());

    m_pBackdrop->setForegroundOffset(40.0f);
    m_pManager->getUpdateSignal().emit(0.016f);
    EXPECT_FLOAT_EQ(40.0f, layerAt(fronts, 0)->getPositionY());
    EXPECT_FLOAT_EQ(40.0f, layerAt(fronts, 1)->getPositionY());
    EXPECT_FLOAT_EQ(-110.0f, layerAt(fronts, 0)->getPositionX());
    m_pManager->getContinueSignal().emit();
    EXPECT_FLOAT_EQ(0.0f, m_pBackdrop->getForegroundOffset());

    // Object animation by tag: the sprite takes the sheet's frames.
    EXPECT_FALSE(m_pBackdrop->setObjectAnimation(9, "stage-barrel.plist", 0.1f));
    EXPECT_TRUE(m_pBackdrop->setObjectAnimation(3, "stage-barrel.plist", 0.1f));
    EXPECT_EQ(4u, static_cast<CCAnimatingSprite*>(prop)->getFrames()->count());
}

TEST_F(BackdropTest, GappedBackgroundTagsEndTheList)
{
    ASSERT_TRUE(m_pBackdrop->initWithFile(fixtureLayout("gapped").c_str(), m_pLayerParent, nullptr));
    EXPECT_EQ(1u, m_pBackdrop->getBackgroundLayers()->count());
    EXPECT_EQ(0u, m_pBackdrop->getForegroundLayers()->count());
}

TEST_F(BackdropTest, BrokenStagesFailCleanly)
{
    const char* cases[] = { "missing", "no-container", "no-main-layer" };
    for (const char* name : cases)
    {
        SCOPED_TRACE(name);
        vorntest::LogCapture log;
        EXPECT_FALSE(m_pBackdrop->initWithFile(fixtureLayout(name).c_str(), m_pLayerParent, m_pObjectParent));
        EXPECT_TRUE(log.contains("ERROR: VornBackdrop::initWithFile"));
        EXPECT_FALSE(CCDirector::sharedDirector()->isPaused());
        EXPECT_EQ(nullptr, m_pBackdrop->getRootNode());
        EXPECT_EQ(0u, m_pLayerParent->getChildrenCount());
        EXPECT_EQ(0u, listSize(16));
    }
    // A stage that failed leaves the backdrop ready for a good one.
    EXPECT_TRUE(m_pBackdrop->initWithFile("stage-street", m_pLayerParent, m_pObjectParent));
}

TEST_F(BackdropTest, TimelineStartsNextUpdateAndCallsItsScriptOnce)
{
    ASSERT_TRUE(m_pBackdrop->initWithFile("stage-street", m_pLayerParent, m_pObjectParent));
    // Timelines wait until their stage is shown.
    m_pLayerParent->onEnter();
    std::string dir = vorntest::makeTempDir("stage-timeline");
    vorntest::writeFile(dir + "/level.lua", "calls = 0\nfunction done() calls = calls + 1 end\n");
    VornScriptEngine* engine = new VornScriptEngine();
    ASSERT_TRUE(engine->executeScriptFile((dir + "/level.lua").c_str()));
    lua_State* L = engine->getLuaState();
    lua_getglobal(L, "done");
    EXPECT_TRUE(m_pBackdrop->playAnimation("ambient", engine, lua_gettop(L)));
    lua_pop(L, 1);
    EXPECT_NE(VORNSCRIPTREF_NULL, m_pBackdrop->getAnimationCallbackRef());

    extension::CCBAnimationManager* timelines = m_pBackdrop->getAnimationManager();
    EXPECT_EQ(nullptr, timelines->getRunningSequenceName());
    m_pManager->getUpdateSignal().emit(0.016f);
    ASSERT_TRUE(timelines->getRunningSequenceName() != nullptr);
    EXPECT_STREQ("ambient", timelines->getRunningSequenceName());
    EXPECT_TRUE(m_pBackdrop->getNextAnimation().empty());

    timelines->update(4.1f);
    lua_getglobal(L, "calls");
    EXPECT_EQ(1, (int)lua_tonumber(L, -1));
    lua_pop(L, 1);
    EXPECT_EQ(VORNSCRIPTREF_NULL, m_pBackdrop->getAnimationCallbackRef());

    // The timeline runs on into itself; without a callback it still plays and calls nothing.
    EXPECT_STREQ("ambient", timelines->getRunningSequenceName());
    EXPECT_TRUE(m_pBackdrop->playAnimation("ambient"));
    m_pManager->getUpdateSignal().emit(0.016f);
    timelines->update(4.1f);
    lua_getglobal(L, "calls");
    EXPECT_EQ(1, (int)lua_tonumber(L, -1));
    lua_pop(L, 1);
    m_pLayerParent->onExit();
    engine->release();
}

// What is drawn over a fighter turns see-through while he is behind it, and comes back once he
// has gone: a near lamp always, a prop only when drawn after him (standing nearer the viewer).
TEST_F(BackdropTest, SceneryOverAFighterFadesWhileHeIsBehindItAndComesBack)
{
    ASSERT_TRUE(m_pBackdrop->initWithFile("stage-street", m_pLayerParent, m_pObjectParent));
    CCSprite* lamp = dynamic_cast<CCSprite*>(
        static_cast<CCNode*>(layerAt(m_pBackdrop->getForegroundLayers(), 0)->getChildren()->objectAtIndex(0)));
    CCSprite* prop = dynamic_cast<CCSprite*>(m_pBackdrop->getObjects()->objectAtIndex(0));
    ASSERT_TRUE(lamp != nullptr && prop != nullptr);
    prop->setZOrder(5);
    const auto boxOver = [](CCNode* node) {
        const CCRect rect = CCRectApplyAffineTransform(
            CCRect(0, 0, node->getContentSize().width, node->getContentSize().height), node->nodeToWorldTransform());
        return CCRect(rect.getMidX() - 7.0f, rect.getMinY() + 2.0f, 14.0f, 30.0f);
    };
    const struct
    {
        const char* name;
        CCSprite* over;  // the piece he stands behind
        int zOrder;      // his place among the objects
        bool fades;
    } cases[] = {
        { "behind a near lamp", lamp, 0, true },
        { "behind a prop drawn after him", prop, 4, true },
        { "in front of a prop drawn before him", prop, 6, false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const GLubyte own = c.over->getOpacity();
        const std::vector<VornBackdrop::FighterView> fighter = { { boxOver(c.over), m_pObjectParent, c.zOrder } };
        for (int i = 0; i < 30; ++i)
        {
            m_pBackdrop->fadeOverFighters(fighter, 1.0f / 60.0f);
        }
        if (c.fades)
        {
            EXPECT_LT(c.over->getOpacity(), 128);
        }
        else
        {
            EXPECT_EQ(own, c.over->getOpacity());
        }
        for (int i = 0; i < 30; ++i)
        {
            m_pBackdrop->fadeOverFighters({}, 1.0f / 60.0f);
        }
        EXPECT_EQ(own, c.over->getOpacity());
    }
}
