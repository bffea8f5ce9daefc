#include "NodeTestSupport.h"

#include "cocos-ext.h"

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
using vorntest::touchAt;

class ScrollCounter : public CCScrollViewDelegate
{
public:
    ScrollCounter() : scrolls(0) {}
    virtual void scrollViewDidScroll(CCScrollView*) { ++scrolls; }
    virtual void scrollViewDidZoom(CCScrollView*) {}
    int scrolls;
};
} // namespace

class ScrollViewTest : public EngineTest
{
protected:
    virtual void SetUp()
    {
        EngineTest::SetUp();
        scene = runScene();
        // A 100x100 window at (20,20) onto a 100x300 column.
        view = CCScrollView::create(CCSizeMake(100, 100));
        view->getContainer()->setContentSize(CCSizeMake(100, 300));
        view->setDirection(kCCScrollViewDirectionVertical);
        view->setPosition(ccp(20, 20));
        scene->addChild(view);
    }

    // A drag from one point to another in steps, then released.
    void drag(float x, float y0, float y1, int steps, bool release = true)
    {
        CCTouch* t = touchAt(x, y0);
        ASSERT_TRUE(view->ccTouchBegan(t, NULL));
        for (int i = 1; i <= steps; ++i)
        {
            t->setTouchInfo(0, x, 320 - (y0 + (y1 - y0) * i / steps));
            view->ccTouchMoved(t, NULL);
        }
        if (release)
        {
            view->ccTouchEnded(t, NULL);
        }
    }

    CCScene* scene;
    CCScrollView* view;
};

TEST_F(ScrollViewTest, OffsetsSpanTheContainer)
{
    EXPECT_EQ(CCPointMake(0, -200), view->minContainerOffset());
    EXPECT_EQ(CCPointMake(0, 0), view->maxContainerOffset());
    view->setContentOffset(ccp(0, -50));
    EXPECT_EQ(CCPointMake(0, -50), view->getContentOffset());
    // A plain move on a view that doesn't bounce stays inside.
    view->setBounceable(false);
    view->setContentOffset(ccp(0, -500));
    EXPECT_EQ(CCPointMake(0, -200), view->getContentOffset());
    // An animated move arrives after a short ease.
    view->setContentOffset(ccp(0, -100), true);
    stepFrames(20);
    EXPECT_NEAR(-100.0f, view->getContentOffset().y, 1e-3);
    // The view's own size is viewSize; content size names the container.
    EXPECT_EQ(CCSizeMake(100, 300), view->getContentSize());
    EXPECT_EQ(CCRectMake(20, 20, 100, 100), view->getViewRect());
}

TEST_F(ScrollViewTest, DragPastTheEndBouncesBackInside)
{
    view->setContentOffset(view->minContainerOffset());
    drag(70, 100, 40, 6, false);
    EXPECT_TRUE(view->isDragging());
    // The drag may overrun by a fifth of the view, no more.
    EXPECT_FLOAT_EQ(-220.0f, view->getContentOffset().y);
    CCTouch* t = touchAt(70, 40);
    view->ccTouchEnded(t, NULL);   // not the tracked touch: ignored
    EXPECT_TRUE(view->isDragging());
    view->ccTouchCancelled(t, NULL);

    scene->removeChild(view, true);
    SetUp();
    view->setContentOffset(view->minContainerOffset());
    drag(70, 100, 40, 6);
    EXPECT_FALSE(view->isDragging());
    stepFrames(60);
    const CCPoint offset = view->getContentOffset();
    EXPECT_GE(offset.y, view->minContainerOffset().y - 1e-3f);
    EXPECT_LE(offset.y, view->maxContainerOffset().y + 1e-3f);
    EXPECT_EQ(CCPointZero, view->getScrollDistance());
}

TEST_F(ScrollViewTest, FlingGlidesSlowsAndStopsWithTheSchedule)
{
    ScrollCounter counter;
    view->setDelegate(&counter);
    view->setContentOffset(ccp(0, -150));
    drag(70, 50, 80, 3);   // an upward flick of 10 points a step
    EXPECT_FLOAT_EQ(-120.0f, view->getContentOffset().y);
    EXPECT_FLOAT_EQ(10.0f, view->getScrollDistance().y);
    EXPECT_GT(counter.scrolls, 0);
    stepFrames(3);
    const float gliding = view->getContentOffset().y;
    EXPECT_GT(gliding, -120.0f);
    EXPECT_LT(view->getScrollDistance().y, 10.0f);
    EXPECT_GT(view->getScrollDistance().y, 0.0f);
    view->unscheduleAllSelectors();
    stepFrames(10);
    EXPECT_FLOAT_EQ(gliding, view->getContentOffset().y);

    // Horizontal motion is ignored by a vertical view; a new touch stops the glide.
    view->setContentOffset(ccp(0, -100));
    CCTouch* t = touchAt(50, 50);
    ASSERT_TRUE(view->ccTouchBegan(t, NULL));
    t->setTouchInfo(0, 90, 320 - 60);
    view->ccTouchMoved(t, NULL);
    EXPECT_EQ(CCPointMake(0, -90), view->getContentOffset());
    view->ccTouchEnded(t, NULL);
    view->setDelegate(NULL);
}

TEST_F(ScrollViewTest, TouchesOutsideOrUnderAHiddenParentAreLeftAlone)
{
    // Registered without swallowing, so items inside the view see the same touches.
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    ASSERT_TRUE(dispatcher != NULL);
    CCScrollView* registered = CCScrollView::create(CCSizeMake(10, 10));
    scene->addChild(registered);
    ASSERT_TRUE(dispatcher->findHandler(registered) != NULL);
    EXPECT_FALSE(dispatcher->findHandler(registered)->isSwallowsTouches());
    registered->removeFromParentAndCleanup(true);

    EXPECT_FALSE(view->ccTouchBegan(touchAt(10, 10), NULL));
    EXPECT_FALSE(view->ccTouchBegan(touchAt(121, 60), NULL));
    CCNode* holder = CCNode::create();
    scene->addChild(holder);
    view->removeFromParentAndCleanup(false);
    holder->addChild(view);
    holder->setVisible(false);
    EXPECT_FALSE(view->ccTouchBegan(touchAt(60, 60), NULL));
    holder->setVisible(true);
    EXPECT_TRUE(view->ccTouchBegan(touchAt(60, 60), NULL));
    // Only one touch is tracked.
    EXPECT_FALSE(view->ccTouchBegan(touchAt(61, 61), NULL));
}
