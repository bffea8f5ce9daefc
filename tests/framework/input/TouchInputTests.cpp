#include "GameManager.h"
#include "TouchInput.h"
#include "VornTestSupport.h"

#include "CCDirector.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
// Window 480 x 320: the stick takes x < 240, gestures x >= 240.
class TouchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        CCDirector::sharedDirector()->setWinSize(CCSize(480, 320));
        game = new GameManager();  // only its signals and pause flag are used
        input = new TouchInput();
        ASSERT_TRUE(input->init());
        joystick = input->getJoystick();
        gestures = input->getGestures();
        joystick->getMoveSignal().connect(this, &TouchTest::onMove);
        gestures->tapSignal.connect(this, &TouchTest::onTap);
        gestures->holdSignal.connect(this, &TouchTest::onHold);
        gestures->getSwipeUpSignal().connect(this, &TouchTest::onUp);
        gestures->getSwipeDownSignal().connect(this, &TouchTest::onDown);
        gestures->getSwipeLeftSignal().connect(this, &TouchTest::onLeft);
        gestures->getSwipeRightSignal().connect(this, &TouchTest::onRight);
    }
    void TearDown() override
    {
        for (CCTouch* touch : touches)
        {
            touch->release();
        }
        input->release();
        game->release();
        CCDirector::purgeSharedDirector();
    }

    // A touch at a point of the scene (y up); the view feeds y down.
    CCTouch* touchAt(float x, float y)
    {
        CCTouch* touch = new CCTouch();
        touches.push_back(touch);
        moveTo(touch, x, y);
        return touch;
    }
    static void moveTo(CCTouch* touch, float x, float y) { touch->setTouchInfo(0, x, 320.0f - y); }
    void gameFrame(float dt) { game->getGameUpdateSignal().emit(dt); }
    void frame(float dt) { game->getUpdateSignal().emit(dt); }

    void onMove(CCPoint vector) { moves.push_back(vector); }
    void onTap(CCPoint where) { gesturesSeen.push_back("tap"); tapPoint = where; }
    void onHold(CCPoint) { gesturesSeen.push_back("hold"); }
    void onUp() { gesturesSeen.push_back("up"); }
    void onDown() { gesturesSeen.push_back("down"); }
    void onLeft() { gesturesSeen.push_back("left"); }
    void onRight() { gesturesSeen.push_back("right"); }

    CCScopedAutoreleasePool pool;
    GameManager* game;
    TouchInput* input;
    TouchJoystick* joystick;
    TouchGestures* gestures;
    std::vector<CCTouch*> touches;
    std::vector<CCPoint> moves;
    std::vector<std::string> gesturesSeen;
    CCPoint tapPoint;
};
} // namespace

TEST_F(TouchTest, StickGivesAUnitVectorAndLetsGoAcrossTheMiddle)
{
    const float radius = joystick->getRadius();
    ASSERT_GT(radius, 0.0f);
    gameFrame(0.016f);
    ASSERT_EQ(1u, moves.size());
    EXPECT_TRUE(moves[0].equals(CCPointZero));

    CCTouch* finger = touchAt(40, 100);
    EXPECT_FALSE(gestures->ccTouchBegan(finger, NULL));
    ASSERT_TRUE(joystick->ccTouchBegan(finger, NULL));
    EXPECT_TRUE(joystick->isVisible());
    EXPECT_TRUE(joystick->getPosition().equals(ccp(40, 100)));
    EXPECT_FALSE(joystick->ccTouchBegan(touchAt(20, 20), NULL));  // a second finger

    moveTo(finger, 40 + 3 * radius, 100);
    joystick->ccTouchMoved(finger, NULL);
    EXPECT_NEAR(radius, joystick->getNubSprite()->getPosition().x, 1e-4);
    moves.clear();
    gameFrame(0.016f);
    ASSERT_EQ(1u, moves.size());
    EXPECT_NEAR(1.0f, moves[0].x, 1e-6);
    EXPECT_NEAR(0.0f, moves[0].y, 1e-6);

    moveTo(finger, 40 + radius * 0.5f, 100 + radius * 0.5f);
    joystick->ccTouchMoved(finger, NULL);
    moves.clear();
    gameFrame(0.016f);
    EXPECT_NEAR(0.5f, moves[0].x, 1e-5);
    EXPECT_NEAR(0.5f, moves[0].y, 1e-5);

    // Into the right half: the stick lets go and says so at once.
    moves.clear();
    moveTo(finger, 300, 100);
    joystick->ccTouchMoved(finger, NULL);
    ASSERT_EQ(1u, moves.size());
    EXPECT_TRUE(moves[0].equals(CCPointZero));
    EXPECT_EQ(nullptr, joystick->getActiveTouch());
    EXPECT_FALSE(joystick->isVisible());
}

TEST_F(TouchTest, GesturesTapSwipeAndHold)
{
    struct Case { float dx, dy; const char* expected; };
    const Case cases[] = {
        {0, 10, "tap"},     // short move, lifted before 0.25 s
        {0, 15, "tap"},     // exactly 15 is not a swipe
        {0, 16, "up"},
        {0, -16, "down"},
        {-16, 0, "left"},
        {14.142136f, 14.142136f, "right"},  // 20 points at 45 degrees: horizontal
    };
    for (const Case& c : cases)
    {
        gesturesSeen.clear();
        CCTouch* finger = touchAt(300, 150);
        EXPECT_FALSE(joystick->ccTouchBegan(finger, NULL));
        ASSERT_TRUE(gestures->ccTouchBegan(finger, NULL));
        frame(0.1f);
        moveTo(finger, 300 + c.dx, 150 + c.dy);
        gestures->ccTouchMoved(finger, NULL);
        gestures->ccTouchEnded(finger, NULL);
        ASSERT_EQ(1u, gesturesSeen.size()) << c.expected;
        EXPECT_EQ(c.expected, gesturesSeen[0]);
    }
    EXPECT_TRUE(tapPoint.equals(ccp(300, 165)));

    // Held still past 0.25 s: a hold, and the later release is no tap.
    gesturesSeen.clear();
    CCTouch* finger = touchAt(400, 200);
    ASSERT_TRUE(gestures->ccTouchBegan(finger, NULL));
    frame(0.1f);
    frame(0.1f);
    EXPECT_TRUE(gesturesSeen.empty());
    frame(0.1f);
    gestures->ccTouchEnded(finger, NULL);
    EXPECT_EQ(std::vector<std::string>{"hold"}, gesturesSeen);
}

TEST_F(TouchTest, PausedGameRefusesTheStickButNotGestures)
{
    game->setPaused(true);
    EXPECT_FALSE(joystick->ccTouchBegan(touchAt(100, 100), NULL));
    CCTouch* finger = touchAt(300, 100);
    ASSERT_TRUE(gestures->ccTouchBegan(finger, NULL));
    frame(0.3f);
    EXPECT_EQ(std::vector<std::string>{"hold"}, gesturesSeen);
}

TEST_F(TouchTest, EveryNewTouchIsAnnounced)
{
    struct Counter
    {
        void onTouched() { ++count; }
        int count = 0;
    } counter;
    input->getTouchedSignal().connect(&counter, &Counter::onTouched);
    CCSet* set = new CCSet();
    set->addObject(touchAt(10, 10));
    set->addObject(touchAt(300, 10));
    input->ccTouchesBegan(set, NULL);
    EXPECT_EQ(2, counter.count);
    set->release();
}

TEST(TouchInputFailureTest, MissingJoystickImagesFailInit)
{
    CCScopedAutoreleasePool pool;
    const std::string empty = vorntest::makeTempDir("no-joystick");
    CCFileUtils::sharedFileUtils()->setResourceDirectory(empty.c_str());
    TouchInput* input = new TouchInput();
    EXPECT_FALSE(input->init());
    input->release();
    CCDirector::purgeSharedDirector();
}
