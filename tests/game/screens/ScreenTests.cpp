#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "ScreenTestSupport.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
class TestScreen : public VornScreen
{
public:
    bool initWithLayout(const char* file)
    {
        registerMemberVariable("hero", &hero);
        registerMemberVariable("menu", &menu);
        // The layout puts a menu item here: the wrong kind, so it must stay unset.
        registerMemberVariable("wrongKind", &wrongKind);
        registerMenuItemSelector("onPlay", vornscreen_selector(TestScreen::onPlay));
        registerGamepadMenuSelector("onPadAction", vornscreen_gamepad_selector(TestScreen::onPadAction));
        registerGamepadMenuSelector("onPadBack", vornscreen_gamepad_selector(TestScreen::onPadBack));
        if (!initWithCCBFile(file))
        {
            return false;
        }
        setVisible(false);
        return true;
    }
    void onPlay() { calls.push_back("play"); }
    void onPadAction(int player) { calls.push_back("action " + std::to_string(player)); }
    void onPadBack(int player) { calls.push_back("back " + std::to_string(player)); }
    void onSpun() { calls.push_back("spun"); }

    CCSprite* hero = NULL;
    CCMenuGamepad* menu = NULL;
    CCSprite* wrongKind = NULL;
    std::vector<std::string> calls;
};

class ScreenTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        CCPoolManager::sharedPoolManager()->push();
        std::string dir = vorntest::makeTempDir("screens");
        const char* files[] = { "test-screen.ccbi", "bare-screen.ccbi" };
        for (size_t i = 0; i < 2; ++i)
        {
            vorntest::writeFile(dir + "/" + files[i], vorntest::readFile(std::string(SCREEN_LAYOUT_DIR) + "/" + files[i]));
        }
        vorntest::writeFile(dir + "/hero.png", vorntest::readFile(vorntest::fixturePath("game/screens/hero.png")));
        CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());
        m_scene = CCScene::create();
        CCDirector::sharedDirector()->runWithScene(m_scene);
    }
    virtual void TearDown()
    {
        CCDirector::purgeSharedDirector();
        CCPoolManager::sharedPoolManager()->pop();
    }

    /** A screen on stage, owned by the scene. */
    TestScreen* makeScreen(const char* layout)
    {
        TestScreen* screen = new TestScreen();
        bool ok = screen->initWithLayout(layout);
        m_scene->addChild(screen);
        screen->release();
        return ok ? screen : NULL;
    }

    CCScene* m_scene = NULL;
};
} // namespace

TEST_F(ScreenTest, BindsMembersAndSelectorsByName)
{
    vorntest::LogCapture log;
    TestScreen* screen = makeScreen("test-screen");
    ASSERT_NE(nullptr, screen);
    ASSERT_NE(nullptr, screen->hero);
    ASSERT_NE(nullptr, screen->menu);
    ASSERT_NE(nullptr, screen->getDefaultMenuItem());
    EXPECT_EQ(screen->menu, screen->getDefaultMenuItem()->getParent());
    EXPECT_EQ(nullptr, screen->wrongKind);
    EXPECT_TRUE(log.contains("wrongKind"));
    EXPECT_EQ(screen->getRootNode(), screen->hero->getParent());

    // A plain handler gets no argument, a pad handler -1 (all players), from items and the menu alike.
    screen->open();
    stepFrames(6, 0.1f);
    screen->getDefaultMenuItem()->activate();
    CCMenuItem* second = static_cast<CCMenuItem*>(screen->menu->getChildren()->objectAtIndex(1));
    second->activate();
    EXPECT_TRUE(screen->menu->callSelector(kMenuGamepadInput_Back, 2));
    // A selector nobody registered binds nothing: the item does nothing.
    static_cast<CCMenuItem*>(screen->menu->getChildren()->objectAtIndex(2))->activate();
    std::vector<std::string> expected = { "play", "action -1", "back -1" };
    EXPECT_EQ(expected, screen->calls);

    MenuHandlerProxy* play = screen->getMenuHandlerProxy("onPlay");
    EXPECT_EQ(play, screen->getMenuHandlerProxy("onPlay"));
    EXPECT_NE(play, screen->getMenuHandlerProxy("onPadAction"));
    EXPECT_EQ(screen, play->getOwner());
}

TEST_F(ScreenTest, OpensAndClosesByItsTimelinesAndSignalsOnce)
{
    TestScreen* screen = makeScreen("test-screen");
    ASSERT_NE(nullptr, screen);
    SignalCounter counter;
    counter.watch(screen);

    screen->open();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(screen->isOpening());
    EXPECT_FALSE(screen->isOpen());
    screen->open();   // already visible
    screen->close();  // "open" still runs
    EXPECT_EQ(1, counter.opening);
    EXPECT_EQ(0, counter.closing);

    stepFrames(4, 0.1f);
    EXPECT_EQ(0, counter.opened);
    stepFrames(2, 0.1f);
    EXPECT_EQ(1, counter.opened);
    EXPECT_TRUE(screen->isOpen());
    EXPECT_TRUE(screen->isTouchEnabled());
    for (int player = 0; player < 4; ++player)
    {
        EXPECT_EQ(screen->getDefaultMenuItem(), CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(player));
    }

    screen->close();
    screen->close();
    EXPECT_EQ(1, counter.closing);
    EXPECT_TRUE(screen->isClosing());
    EXPECT_FALSE(screen->isTouchEnabled());
    stepFrames(3, 0.1f);
    EXPECT_EQ(1, counter.closed);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_FALSE(screen->isOpen());

    screen->close();  // hidden: nothing
    EXPECT_EQ(1, counter.closing);
    screen->hide();   // no timeline, but the closed signal all the same
    EXPECT_EQ(2, counter.closed);

    // It opens again as often as asked.
    screen->open();
    stepFrames(6, 0.1f);
    EXPECT_EQ(2, counter.opened);
    screen->hide();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(3, counter.closed);
}

TEST_F(ScreenTest, TimelinesRefuseOrReplaceAsForced)
{
    TestScreen* screen = makeScreen("test-screen");
    ASSERT_NE(nullptr, screen);
    EXPECT_TRUE(screen->runTimeline("spin", callfunc_selector(TestScreen::onSpun), false));
    EXPECT_FALSE(screen->runTimeline("open", NULL, false));
    // An unknown name, forced or not, leaves the running timeline and its callback alone.
    EXPECT_FALSE(screen->runTimeline("no-such-timeline", NULL, true));
    EXPECT_TRUE(screen->isTimelineRunning());
    stepFrames(11, 0.1f);
    std::vector<std::string> spun = { "spun" };
    EXPECT_EQ(spun, screen->calls);

    EXPECT_TRUE(screen->runTimeline("spin", callfunc_selector(TestScreen::onSpun), false));
    EXPECT_TRUE(screen->runTimeline("close", NULL, true));
    stepFrames(11, 0.1f);
    EXPECT_EQ(spun, screen->calls);  // the replaced timeline's callback never runs
    EXPECT_FALSE(screen->isTimelineRunning());
    EXPECT_FALSE(screen->runTimelineOnNode(screen->hero, "spin", NULL));  // not a sub-layout
}

TEST_F(ScreenTest, ALayoutWithoutTimelinesOpensAndClosesAtOnce)
{
    vorntest::LogCapture log;
    TestScreen* screen = makeScreen("bare-screen");
    ASSERT_NE(nullptr, screen);
    SignalCounter counter;
    counter.watch(screen);
    screen->open();
    EXPECT_EQ(1, counter.opening);
    EXPECT_EQ(1, counter.opened);
    EXPECT_TRUE(screen->isOpen());
    EXPECT_TRUE(log.contains("'open'"));
    screen->close();
    EXPECT_EQ(1, counter.closing);
    EXPECT_EQ(1, counter.closed);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(log.contains("'close'"));
}

TEST_F(ScreenTest, AMissingLayoutFailsTheInitWithALogLine)
{
    vorntest::LogCapture log;
    EXPECT_EQ(nullptr, makeScreen("no-such-layout"));
    EXPECT_TRUE(log.contains("no-such-layout"));
    // Whatever there is of it neither opens nor crashes.
    TestScreen* broken = static_cast<TestScreen*>(m_scene->getChildren()->lastObject());
    broken->open();
    broken->close();
    EXPECT_FALSE(broken->isTimelineRunning());
}

TEST(ScreenSlides, StartOnScreenAndEndPoints)
{
    CCScopedAutoreleasePool pool;
    CCNode* node = CCNode::create();
    node->setContentSize(CCSize(10, 4));
    node->setScaleX(2.0f);
    node->setPosition(ccp(100, 50));
    struct Case
    {
        bool leftToRight, returnSameWay;
        float start, end;
    } cases[] = { { true, false, 80, 120 }, { true, true, 80, 80 }, { false, false, 120, 80 }, { false, true, 120, 120 } };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
    {
        CCPoint out[3];
        VornScreen::computeSlidePositions(node, out, cases[i].leftToRight, cases[i].returnSameWay);
        EXPECT_FLOAT_EQ(cases[i].start, out[0].x) << i;
        EXPECT_FLOAT_EQ(100, out[1].x) << i;
        EXPECT_FLOAT_EQ(cases[i].end, out[2].x) << i;
        EXPECT_FLOAT_EQ(50, out[2].y) << i;
    }
}
