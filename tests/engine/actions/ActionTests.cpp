#include "NodeTestSupport.h"

#include <cmath>

USING_NS_CC;

namespace
{
class Receiver : public CCNode
{
public:
    static Receiver* create()
    {
        Receiver* r = new Receiver();
        r->init();
        r->autorelease();
        return r;
    }
    void done() { ++calls; }
    void doneWith(CCNode* node) { lastNode = node; ++calls; }
    void stopEverything(CCNode* node) { node->stopAllActions(); ++calls; }
    int calls = 0;
    CCNode* lastNode = NULL;
};

const float kFrame = 1.0f / 60.0f;
} // namespace

class ActionTest : public EngineTest
{
};

TEST_F(ActionTest, EasedMoveLandsExactlyAndCallsBackOnce)
{
    CCScene* scene = runScene();
    Receiver* node = Receiver::create();
    node->setPosition(ccp(-300, 40));
    scene->addChild(node);
    node->runAction(CCSequence::create(CCEaseInOut::create(CCMoveTo::create(2.0f, ccp(123.5f, 77.25f)), 2.0f),
                                       CCCallFunc::create(node, callfunc_selector(Receiver::done)), NULL));
    // Half way, an in-out ease is exactly half way.
    stepFrames(61);
    EXPECT_NEAR((-300.0f + 123.5f) / 2.0f, node->getPositionX(), 0.05f);
    stepFrames(200);
    EXPECT_EQ(123.5f, node->getPositionX());
    EXPECT_EQ(77.25f, node->getPositionY());
    EXPECT_EQ(1, node->calls);
    EXPECT_EQ(0u, node->numberOfRunningActions());
}

TEST_F(ActionTest, BlinkHidesOncePerBlinkAndRestoresVisibility)
{
    CCScene* scene = runScene();
    CCNode* node = CCNode::create();
    scene->addChild(node);
    node->runAction(CCBlink::create(1.0f, 10));
    int hides = 0;
    bool visible = true;
    for (int i = 0; i < 90; ++i)
    {
        stepFrames(1, kFrame);
        if (visible && !node->isVisible())
        {
            ++hides;
        }
        visible = node->isVisible();
    }
    EXPECT_EQ(10, hides);
    EXPECT_TRUE(node->isVisible());
}

TEST_F(ActionTest, RepeatForeverTogglesOnTimeAndRepeatCountsRuns)
{
    CCScene* scene = runScene();
    Receiver* node = Receiver::create();
    scene->addChild(node);
    node->runAction(CCRepeatForever::create(
        CCSequence::create(CCDelayTime::create(0.2f), CCToggleVisibility::create(), NULL)));
    node->runAction(CCRepeat::create(
        CCSequence::create(CCDelayTime::create(0.1f), CCCallFunc::create(node, callfunc_selector(Receiver::done)), NULL),
        3));
    int toggles = 0;
    bool visible = true;
    // One frame to start the clocks, then 1.1 s: toggles at 0.2, 0.4, 0.6, 0.8 and 1.0.
    for (int i = 0; i < 67; ++i)
    {
        stepFrames(1, kFrame);
        if (visible != node->isVisible())
        {
            ++toggles;
        }
        visible = node->isVisible();
    }
    EXPECT_EQ(5, toggles);
    EXPECT_EQ(3, node->calls);
    EXPECT_EQ(1u, node->numberOfRunningActions());
    node->stopAllActions();
}

TEST_F(ActionTest, SequenceOfInstantsRunsEachOnceEvenInOneLongFrame)
{
    CCScene* scene = runScene();
    Receiver* node = Receiver::create();
    scene->addChild(node);
    node->runAction(CCSequence::create(CCMoveBy::create(0.5f, ccp(10, 0)), CCHide::create(),
                                       CCCallFuncN::create(node, callfuncN_selector(Receiver::doneWith)),
                                       CCMoveBy::create(0.5f, ccp(10, 0)), NULL));
    stepFrames(1, 0.0f);
    stepFrames(1, 5.0f);
    EXPECT_FALSE(node->isVisible());
    EXPECT_EQ(1, node->calls);
    EXPECT_EQ(node, node->lastNode);
    EXPECT_NEAR(20.0f, node->getPositionX(), 1e-4f);
}

TEST_F(ActionTest, ACallbackMayStopItsOwnNodesActions)
{
    CCScene* scene = runScene();
    Receiver* node = Receiver::create();
    scene->addChild(node);
    node->runAction(CCMoveBy::create(10.0f, ccp(100, 0)));
    node->runAction(CCSequence::create(CCDelayTime::create(0.1f),
                                       CCCallFuncN::create(node, callfuncN_selector(Receiver::stopEverything)),
                                       CCMoveBy::create(1.0f, ccp(0, 50)), NULL));
    stepFrames(20);
    EXPECT_EQ(1, node->calls);
    EXPECT_EQ(0u, node->numberOfRunningActions());
    EXPECT_EQ(0.0f, node->getPositionY());
}

TEST_F(ActionTest, SpawnScaleRotateFadeAndTintReachTheirEnds)
{
    CCScene* scene = runScene();
    CCLayerColor* layer = CCLayerColor::create(ccc4(255, 255, 255, 255), 10, 10);
    scene->addChild(layer);
    layer->setRotation(350.0f);
    layer->runAction(CCSpawn::create(CCScaleTo::create(0.5f, -1.0f, 2.0f), CCRotateTo::create(1.0f, 10.0f),
                                     CCSkewTo::create(0.25f, 30.0f, 0.0f), CCFadeTo::create(1.0f, 51),
                                     CCTintTo::create(1.0f, 10, 20, 30), NULL));
    stepFrames(31);   // 0.5 s
    EXPECT_FLOAT_EQ(-1.0f, layer->getScaleX());
    EXPECT_FLOAT_EQ(2.0f, layer->getScaleY());
    EXPECT_NEAR(360.0f, layer->getRotation(), 0.01f);   // the short way round, through 0
    stepFrames(40);
    EXPECT_NEAR(370.0f, layer->getRotation(), 1e-3f);
    EXPECT_NEAR(30.0f, layer->getSkewX(), 1e-3f);
    EXPECT_EQ(51, layer->getOpacity());
    EXPECT_TRUE(ccc3BEqual(ccc3(10, 20, 30), layer->getColor()));
}

TEST_F(ActionTest, EasingCurvesKeepTheirEndsAndShapes)
{
    // The eased time at a quarter of the way, worked from each curve's formula.
    const float atQuarter[] = {
        0.0625f,
        0.5f,
        0.125f,
        7.5625f * 0.0625f,
        0.0625f * (2.70158f * 0.25f - 1.70158f),
        powf(2.0f, -2.5f) * sinf((0.25f - 0.075f) * 6.2831853f / 0.3f) + 1.0f,
    };
    // A probe inner action records the time each ease hands it.
    class Probe : public CCActionInterval
    {
    public:
        virtual void update(float t) { last = t; }
        float last = -1.0f;
    };
    typedef CCActionInterval* (*Maker)(CCActionInterval*);
    const Maker makers[] = {
        [](CCActionInterval* a) -> CCActionInterval* { return CCEaseIn::create(a, 2.0f); },
        [](CCActionInterval* a) -> CCActionInterval* { return CCEaseOut::create(a, 2.0f); },
        [](CCActionInterval* a) -> CCActionInterval* { return CCEaseInOut::create(a, 2.0f); },
        [](CCActionInterval* a) -> CCActionInterval* { return CCEaseBounceOut::create(a); },
        [](CCActionInterval* a) -> CCActionInterval* { return CCEaseBackIn::create(a); },
        [](CCActionInterval* a) -> CCActionInterval* { return CCEaseElasticOut::create(a); },
    };
    for (size_t i = 0; i < sizeof(makers) / sizeof(makers[0]); ++i)
    {
        Probe* probe = new Probe();
        probe->initWithDuration(1.0f);
        probe->autorelease();
        CCActionInterval* ease = makers[i](probe);
        ease->update(0.0f);
        EXPECT_NEAR(0.0f, probe->last, 1e-5f) << i;
        ease->update(0.25f);
        EXPECT_NEAR(atQuarter[i], probe->last, 1e-4f) << i;
        ease->update(1.0f);
        EXPECT_EQ(1.0f, probe->last) << i;
    }
}
