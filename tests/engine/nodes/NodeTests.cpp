#include "NodeTestSupport.h"

#include <string>

USING_NS_CC;

namespace
{
std::string childTags(CCNode* parent)
{
    std::string out;
    CCObject* obj = NULL;
    CCARRAY_FOREACH(parent->getChildren(), obj)
    {
        out += std::to_string(static_cast<CCNode*>(obj)->getTag());
    }
    return out;
}

// Counts its selector calls and records visits.
class Probe : public CCNode
{
public:
    static Probe* create()
    {
        Probe* p = new Probe();
        p->init();
        p->autorelease();
        return p;
    }
    void tick(float) { ++ticks; }
    virtual void draw() { ++draws; }
    int ticks = 0;
    int draws = 0;
};
} // namespace

class NodeTest : public EngineTest
{
};

TEST_F(NodeTest, TransformComposesTranslateRotateScaleThenAnchor)
{
    CCNode* node = CCNode::create();
    node->setContentSize(CCSize(40, 20));
    node->setAnchorPoint(ccp(0.5f, 0.5f));
    node->setPosition(ccp(10, 20));
    node->setScaleX(-2.0f);   // facing left
    node->setRotation(90.0f); // clockwise
    // T(10,20) R(-90deg) S(-2,1) T(-20,-10), worked by hand.
    expectTransform(CCAffineTransformMake(0, 2, 1, 0, 0, -20), node->nodeToParentTransform());
    CCRect box = node->boundingBox();
    EXPECT_NEAR(0.0f, box.origin.x, 1e-4f);
    EXPECT_NEAR(-20.0f, box.origin.y, 1e-4f);
    EXPECT_NEAR(20.0f, box.size.width, 1e-4f);
    EXPECT_NEAR(80.0f, box.size.height, 1e-4f);
}

TEST_F(NodeTest, SkewAppliesAfterScaleAndIgnoredAnchorPlacesTheCorner)
{
    CCNode* node = CCNode::create();
    node->setSkewX(45.0f);
    node->setScale(2.0f);
    CCPoint p = CCPointApplyAffineTransform(ccp(0, 1), node->nodeToParentTransform());
    // Skew first: (0,1) -> (1,1); then scale 2.
    EXPECT_NEAR(2.0f, p.x, 1e-4f);
    EXPECT_NEAR(2.0f, p.y, 1e-4f);

    CCNode* box = CCNode::create();
    box->setContentSize(CCSize(10, 10));
    box->setAnchorPoint(ccp(0.5f, 0.5f));
    EXPECT_TRUE(box->boundingBox().equals(CCRect(-5, -5, 10, 10)));
    box->ignoreAnchorPointForPosition(true);
    EXPECT_TRUE(box->boundingBox().equals(CCRect(0, 0, 10, 10)));
    EXPECT_TRUE(box->getAnchorPointInPoints().equals(ccp(5, 5)));
}

TEST_F(NodeTest, NestedNodesConvertBetweenSpaces)
{
    CCNode* parent = CCNode::create();
    parent->setPosition(ccp(100, 50));
    parent->setScale(2.0f);
    parent->setRotation(180.0f);
    CCNode* child = CCNode::create();
    child->setPosition(ccp(5, 5));
    parent->addChild(child);

    // Child (1,1) -> parent (6,6) -> rotated 180: (-6,-6) scaled: (-12,-12) -> world (88,38).
    CCPoint world = child->convertToWorldSpace(ccp(1, 1));
    EXPECT_NEAR(88.0f, world.x, 1e-3f);
    EXPECT_NEAR(38.0f, world.y, 1e-3f);
    CCPoint back = child->convertToNodeSpace(world);
    EXPECT_NEAR(1.0f, back.x, 1e-3f);
    EXPECT_NEAR(1.0f, back.y, 1e-3f);
    expectTransform(CCAffineTransformIdentity,
                    CCAffineTransformConcat(child->nodeToWorldTransform(), child->worldToNodeTransform()));
}

TEST_F(NodeTest, ChildrenOrderByZThenArrivalAndReaddedGoLast)
{
    CCNode* parent = CCNode::create();
    CCNode* a = CCNode::create();
    CCNode* b = CCNode::create();
    CCNode* c = CCNode::create();
    CCNode* d = CCNode::create();
    parent->addChild(a, 0, 1);
    parent->addChild(b, -1, 2);
    parent->addChild(c, 0, 3);
    parent->addChild(d, 1, 4);
    EXPECT_EQ("2134", childTags(parent));

    a->retain();
    parent->removeChild(a, true);
    EXPECT_EQ(NULL, a->getParent());
    parent->addChild(a, 0, 1);
    a->release();
    EXPECT_EQ("2314", childTags(parent));

    parent->reorderChild(c, 0);
    EXPECT_EQ("2134", childTags(parent));
    parent->reorderChild(d, -5);
    EXPECT_EQ("4213", childTags(parent));
    EXPECT_EQ(b, parent->getChildByTag(2));
    EXPECT_EQ(NULL, parent->getChildByTag(9));
}

TEST_F(NodeTest, AddingAChildThatHasAParentIsRefused)
{
    vorntest::LogCapture log;
    CCNode* p1 = CCNode::create();
    CCNode* p2 = CCNode::create();
    CCNode* child = CCNode::create();
    p1->addChild(child);
    p2->addChild(child);
    EXPECT_EQ(p1, child->getParent());
    EXPECT_EQ(0u, p2->getChildrenCount());
    EXPECT_TRUE(log.contains("already has a parent"));
}

TEST_F(NodeTest, CleanupStopsTheWholeSubtree)
{
    CCScene* scene = runScene();
    CCNode* child = CCNode::create();
    Probe* grandchild = Probe::create();
    child->addChild(grandchild);
    scene->addChild(child);
    grandchild->schedule(schedule_selector(Probe::tick));
    grandchild->runAction(CCMoveBy::create(10.0f, ccp(100, 0)));
    child->runAction(CCMoveBy::create(10.0f, ccp(100, 0)));

    // Without cleanup the subtree keeps its work, paused.
    child->retain();
    child->removeFromParentAndCleanup(false);
    EXPECT_EQ(1u, grandchild->numberOfRunningActions());
    EXPECT_TRUE(grandchild->isScheduled(schedule_selector(Probe::tick)));
    scene->addChild(child);
    child->release();

    child->removeFromParentAndCleanup(true);
    EXPECT_FALSE(child->isRunning());
    EXPECT_FALSE(grandchild->isRunning());
    EXPECT_EQ(0u, child->numberOfRunningActions());
    EXPECT_EQ(0u, grandchild->numberOfRunningActions());
    EXPECT_FALSE(grandchild->isScheduled(schedule_selector(Probe::tick)));
}

TEST_F(NodeTest, WorkWaitsForOnEnter)
{
    CCScene* scene = runScene();
    Probe* node = Probe::create();
    node->schedule(schedule_selector(Probe::tick));
    node->runAction(CCMoveBy::create(1.0f, ccp(60, 0)));
    stepFrames(5);
    EXPECT_EQ(0, node->ticks);
    EXPECT_TRUE(node->getPosition().equals(CCPointZero));

    scene->addChild(node);
    stepFrames(5);
    EXPECT_GT(node->ticks, 0);
    EXPECT_GT(node->getPositionX(), 0.0f);
}

TEST_F(NodeTest, VisitSkipsInvisibleSubtreesAndDrawsNegativeZFirst)
{
    CCScene* scene = runScene();
    Probe* shown = Probe::create();
    Probe* hidden = Probe::create();
    Probe* underHidden = Probe::create();
    hidden->addChild(underHidden);
    hidden->setVisible(false);
    scene->addChild(shown);
    scene->addChild(hidden);
    stepFrames(2);
    EXPECT_EQ(2, shown->draws);
    EXPECT_EQ(0, hidden->draws);
    EXPECT_EQ(0, underHidden->draws);
}

TEST_F(NodeTest, LayerColorInitIsTransparentBlackOverTheWindow)
{
    CCDirector::sharedDirector()->setWinSize(CCSize(1280, 720));
    CCLayerColor* layer = CCLayerColor::create();
    EXPECT_EQ(0, layer->getOpacity());
    EXPECT_TRUE(ccc3BEqual(ccBLACK, layer->getColor()));
    EXPECT_TRUE(layer->getContentSize().equals(CCSize(1280, 720)));
    EXPECT_TRUE(layer->isIgnoreAnchorPointForPosition());

    CCLayerColor* red = CCLayerColor::create(ccc4(255, 0, 0, 128), 10, 20);
    EXPECT_EQ(128, red->getOpacity());
    EXPECT_TRUE(red->getContentSize().equals(CCSize(10, 20)));
}

TEST_F(NodeTest, OpacityCascadesOnlyWhenEnabled)
{
    CCNodeRGBA* parent = CCNodeRGBA::create();
    CCNodeRGBA* child = CCNodeRGBA::create();
    parent->addChild(child);
    parent->setOpacity(128);
    EXPECT_EQ(255, child->getDisplayedOpacity());
    parent->setCascadeOpacityEnabled(true);
    parent->setOpacity(128);
    EXPECT_EQ(128, child->getDisplayedOpacity());
    EXPECT_EQ(255, child->getOpacity());
}
