#include "NodeTestSupport.h"

USING_NS_CC;

namespace
{
class Counter : public CCNode
{
public:
    static Counter* create()
    {
        Counter* c = new Counter();
        c->init();
        c->autorelease();
        return c;
    }
    virtual void update(float dt) { ++frames; lastDt = dt; }
    int frames = 0;
    float lastDt = -1.0f;
};
} // namespace

class DirectorTest : public EngineTest
{
};

TEST_F(DirectorTest, PauseOnlyRaisesTheFlagAndResumeZeroesTheNextDt)
{
    CCDirector* director = CCDirector::sharedDirector();
    CCScene* scene = runScene();
    Counter* counter = Counter::create();
    scene->addChild(counter);
    counter->scheduleUpdate();
    counter->runAction(CCMoveBy::create(1.0f, ccp(100, 0)));

    director->step(0.1f);
    director->pause();
    EXPECT_TRUE(director->isPaused());
    director->step(0.1f);
    EXPECT_EQ(2, counter->frames);
    EXPECT_FLOAT_EQ(0.1f, counter->lastDt);
    EXPECT_NEAR(10.0f, counter->getPositionX(), 1e-4f);   // actions keep running

    director->resume();
    EXPECT_FALSE(director->isPaused());
    director->step(0.1f);
    EXPECT_FLOAT_EQ(0.0f, counter->lastDt);
    director->step(0.1f);
    EXPECT_FLOAT_EQ(0.1f, counter->lastDt);
    counter->unscheduleUpdate();
}

TEST_F(DirectorTest, WindowSizeAndCoordinateConversion)
{
    CCDirector* director = CCDirector::sharedDirector();
    EXPECT_TRUE(director->getWinSize().equals(CCSize(480, 320)));
    director->setWinSize(CCSize(1280, 720));
    EXPECT_TRUE(director->getWinSizeInPixels().equals(CCSize(1280, 720)));
    EXPECT_FLOAT_EQ(1.0f, director->getContentScaleFactor());
    EXPECT_TRUE(director->convertToGL(ccp(10, 20)).equals(ccp(10, 700)));
    EXPECT_TRUE(director->convertToUI(ccp(10, 700)).equals(ccp(10, 20)));

    CCTouch* touch = new CCTouch();
    touch->setTouchInfo(1, 10, 20);
    touch->setTouchInfo(1, 15, 10);
    EXPECT_TRUE(touch->getLocation().equals(ccp(15, 710)));
    EXPECT_TRUE(touch->getPreviousLocation().equals(ccp(10, 700)));
    EXPECT_TRUE(touch->getStartLocation().equals(ccp(10, 700)));
    touch->release();
}

TEST_F(DirectorTest, StepDrainsTheAutoreleasePool)
{
    CCDirector* director = CCDirector::sharedDirector();
    runScene();
    CCNode* loose = CCNode::create();
    loose->retain();
    EXPECT_EQ(2u, loose->retainCount());
    director->step(1.0f / 60.0f);
    EXPECT_EQ(1u, loose->retainCount());
    loose->release();
}

TEST_F(DirectorTest, RunWithSceneEntersAtOnceAndPurgeExitsIt)
{
    CCDirector* director = CCDirector::sharedDirector();
    CCScene* scene = CCScene::create();
    CCLayer* layer = CCLayer::create();
    scene->addChild(layer);
    director->runWithScene(scene);
    EXPECT_EQ(scene, director->getRunningScene());
    EXPECT_TRUE(layer->isRunning());
    layer->setTouchEnabled(true);
    EXPECT_TRUE(layer->isTouchEnabled());
    scene->retain();
    CCDirector::purgeSharedDirector();
    EXPECT_FALSE(layer->isRunning());
    scene->release();
}
