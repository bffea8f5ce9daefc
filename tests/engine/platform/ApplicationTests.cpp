// The application loop, window state and platform answers, under SDL's dummy video driver.
#include "VornTestSupport.h"

#include "cocos2d.h"

#include <gtest/gtest.h>

#include <csignal>

#include <string>
#include <vector>

using namespace cocos2d;

namespace
{
struct Counts
{
    int exits = 0;
    int frames = 0;
    int background = 0;
    int foreground = 0;
    int terminations = 0;
    int framesAtTermination = -1;
    int endingSignal = 0;  ///< raised at the third frame instead of closing the window (0: close it)
};

// Counts frames and asks the window to close after three.
class CountingNode : public CCNode
{
public:
    explicit CountingNode(Counts* counts) : m_counts(counts) {}
    virtual void onExit()
    {
        ++m_counts->exits;
        CCNode::onExit();
    }
    virtual void update(float)
    {
        if (++m_counts->frames == 3 && m_counts->endingSignal != 0)
        {
            raise(m_counts->endingSignal);
        }
        else if (m_counts->frames == 3)
        {
            SDL_Event e;
            SDL_zero(e);
            e.type = SDL_WINDOWEVENT;
            e.window.event = SDL_WINDOWEVENT_CLOSE;
            e.window.windowID = SDL_GetWindowID(CCEGLView::sharedOpenGLView()->getSDLWindow());
            SDL_PushEvent(&e);
        }
    }
    Counts* m_counts;
};

class TestApp : public CCApplication
{
public:
    explicit TestApp(Counts* counts) : m_counts(counts) {}
    virtual bool applicationDidFinishLaunching()
    {
        CCDirector* director = CCDirector::sharedDirector();
        director->setOpenGLView(CCEGLView::sharedOpenGLView());
        director->setAnimationInterval(1.0 / 1000.0);   // keep the test quick
        CCScene* scene = CCScene::create();
        CountingNode* node = new CountingNode(m_counts);
        node->init();
        node->autorelease();
        node->scheduleUpdate();
        scene->addChild(node);
        director->runWithScene(scene);
        return true;
    }
    virtual void applicationDidEnterBackground() { ++m_counts->background; }
    virtual void applicationWillEnterForeground() { ++m_counts->foreground; }
    virtual void applicationWillTerminate()
    {
        ++m_counts->terminations;
        m_counts->framesAtTermination = m_counts->frames;
    }
    Counts* m_counts;
};

class Listener : public CCObject
{
public:
    void heard(CCObject*) {}
    void fullscreen(CCObject*) { names.push_back("event_fullscreen"); }
    void windowed(CCObject*) { names.push_back("event_windowed"); }
    std::vector<std::string> names;
};

void pushWindowEvent(Uint8 which)
{
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_WINDOWEVENT;
    e.window.event = which;
    e.window.windowID = SDL_GetWindowID(CCEGLView::sharedOpenGLView()->getSDLWindow());
    SDL_PushEvent(&e);
}

class ApplicationTest : public ::testing::Test
{
protected:
    void TearDown()
    {
        CCDirector::purgeSharedDirector();
        CCEGLView::purgeSharedOpenGLView();
    }
    CCScopedAutoreleasePool m_pool;
};
} // namespace

// A SIGTERM (the session ending, a kill) or SIGINT (Ctrl+C) ends the game as a closed window
// does: the application is told, so what is unsaved is written.
TEST_F(ApplicationTest, ClosingTheWindowEndsTheLoopWithoutTearingDownAndTellsTheApplicationOnce)
{
    for (int ending : { 0, SIGTERM, SIGINT })
    {
        SCOPED_TRACE(ending == 0 ? "window closed" : ending == SIGTERM ? "SIGTERM" : "SIGINT");
        Counts counts;
        counts.endingSignal = ending;
        TestApp app(&counts);
        EXPECT_EQ(&app, CCApplication::sharedApplication());
        EXPECT_EQ(0, app.run());
        EXPECT_EQ(3, counts.frames);
        EXPECT_EQ(0, counts.exits);
        // Told after the last frame, so whatever is saved lazily can be written.
        EXPECT_EQ(1, counts.terminations);
        EXPECT_EQ(3, counts.framesAtTermination);
        EXPECT_TRUE(CCDirector::sharedDirector()->getRunningScene() != NULL);
        CCDirector::purgeSharedDirector();
        CCEGLView::purgeSharedOpenGLView();
    }
}

TEST_F(ApplicationTest, MinimiseAndRestoreReachTheApplication)
{
    Counts counts;
    TestApp app(&counts);
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    pushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    pushWindowEvent(SDL_WINDOWEVENT_RESTORED);   // a restore without a minimise says nothing
    view->pollEvents();
    EXPECT_EQ(1, counts.background);
    EXPECT_EQ(1, counts.foreground);
}

TEST_F(ApplicationTest, PlatformAnswersAsTheWindowsBuild)
{
    Counts counts;
    TestApp app(&counts);
    EXPECT_EQ(kTargetWindows, app.getTargetPlatform());
    for (int p = 0; p <= 11; ++p)
    {
        EXPECT_EQ(p == 1, app.isTargetPlatform((TargetPlatform)p)) << p;
    }
    EXPECT_EQ(kLanguageFrench, CCApplication::languageForLocale("fr_FR.UTF-8"));
    EXPECT_EQ(kLanguagePortuguese, CCApplication::languageForLocale("pt-BR"));
    EXPECT_EQ(kLanguageEnglish, CCApplication::languageForLocale("C"));
    EXPECT_EQ(kLanguageEnglish, CCApplication::languageForLocale(NULL));
}

TEST_F(ApplicationTest, ViewSizesFullscreenAndNotifications)
{
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    ASSERT_TRUE(view != NULL);
    EXPECT_GT(view->getFullscreenWidth(), 0);
    EXPECT_GT(view->getFullscreenHeight(), 0);
    view->setFrameSize(300, 200);
    view->setDesignResolutionSize(150, 50, kResolutionShowAll);
    EXPECT_FLOAT_EQ(300, view->getFrameSize().width);
    EXPECT_FLOAT_EQ(150, CCDirector::sharedDirector()->getWinSize().width);
    EXPECT_FLOAT_EQ(50, view->getVisibleSize().height);
    EXPECT_FLOAT_EQ(0, view->getVisibleOrigin().x);
    {
        // Nonsense sizes and a missing icon are logged and change nothing.
        vorntest::LogCapture log;
        view->setFrameSize(0, 0);
        view->setDesignResolutionSize(-1, 10, kResolutionShowAll);
        CCEGLView::setIcon("no/such/icon.png");
        EXPECT_EQ(3u, log.lines().size());
    }
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(view->getSDLWindow(), &w, &h);
    EXPECT_EQ(300, w);
    EXPECT_EQ(200, h);
    EXPECT_FLOAT_EQ(150, CCDirector::sharedDirector()->getWinSize().width);

    Listener* listener = new Listener();
    CCNotificationCenter* centre = CCNotificationCenter::sharedNotificationCenter();
    centre->addObserver(listener, callfuncO_selector(Listener::fullscreen), "event_fullscreen", NULL);
    centre->addObserver(listener, callfuncO_selector(Listener::windowed), "event_windowed", NULL);
    view->setFullscreen(true);
    EXPECT_TRUE(view->getFullscreen());
    view->setFullscreen(false);
    EXPECT_FALSE(view->getFullscreen());
    const char* expected[] = { "event_fullscreen", "event_windowed" };
    EXPECT_EQ(std::vector<std::string>(expected, expected + 2), listener->names);
    centre->removeObserver(listener, "event_fullscreen");
    centre->removeObserver(listener, "event_windowed");
    listener->release();
}
