#include "ArenaTaskInstance.h"
#include "ArenaTasksScreen.h"
#include "ArenaTestSupport.h"
#include "ArenaTimerScreen.h"
#include "CCBAnimationManager.h"
#include "CCBReader.h"
#include "CCLabelBMFont.h"
#include "HUD.h"
#include "SplashScreen.h"

#include <string>
#include <vector>

USING_NS_CC;

namespace
{
std::string runningTimeline(VornScreen* screen)
{
    extension::CCBReader* reader = screen->getCCBReader();
    const char* name = reader && reader->getAnimationManager() ? reader->getAnimationManager()->getRunningSequenceName() : NULL;
    return name ? name : "";
}

/** Each timeline a screen starts, in order (one entry per run). */
class TimelineLog
{
public:
    explicit TimelineLog(VornScreen* screen) : m_screen(screen) {}
    void sample()
    {
        std::string now = runningTimeline(m_screen);
        if (!now.empty() && now != m_last)
        {
            runs.push_back(now);
        }
        m_last = now;
    }
    std::vector<std::string> runs;

private:
    VornScreen* m_screen;
    std::string m_last;
};

class Counter
{
public:
    void onSignal() { ++count; }
    int count = 0;
};

class ArenaOverlays : public ArenaTest
{
protected:
    void SetUp() override
    {
        ArenaTest::SetUp();
        ASSERT_NE(nullptr, m_game->getHUD());
        tasks = m_game->getHUD()->getArenaTasksScreen();
        timer = m_game->getHUD()->getArenaTimerScreen();
        ASSERT_NE(nullptr, tasks);
        ASSERT_NE(nullptr, timer);
        // The timelines play only in the running scene; the splash would start the boot meanwhile.
        if (m_game->getSplashScreen())
        {
            m_game->getSplashScreen()->removeFromParentAndCleanup(true);
        }
        CCDirector::sharedDirector()->runWithScene(m_game);
    }

    /** Frames through the director: the game's tick, its signals and the timelines. */
    void frames(int count, TimelineLog* a = nullptr, TimelineLog* b = nullptr)
    {
        for (int i = 0; i < count; ++i)
        {
            CCDirector::sharedDirector()->step(1.0f / 30.0f);
            if (a)
            {
                a->sample();
            }
            if (b)
            {
                b->sample();
            }
        }
    }
    void complete(ArenaTaskInstance* slot)
    {
        for (int left = slot->getTarget() - slot->getProgress(); left > 0; --left)
        {
            slot->incrementProgress();
        }
    }

    ArenaTasksScreen* tasks = nullptr;
    ArenaTimerScreen* timer = nullptr;
};
} // namespace

TEST(ArenaTimerText, ShowsWholeMinutesAndSeconds)
{
    const struct
    {
        float seconds;
        const char* text;
    } cases[] = { { 60.0f, "1:00" }, { 59.99f, "0:59" }, { -3.0f, "0:00" }, { 125.5f, "2:05" }, { 0.0f, "0:00" } };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.text, ArenaTimerScreen::formatTime(c.seconds)) << c.seconds;
    }
}

TEST_F(ArenaOverlays, TheListShowsTheSlotsAndTheClockFollowsTheMatch)
{
    m_arena->initArena();
    m_game->getHUD()->showArenaTasks();
    m_game->getHUD()->showArenaTimer();
    EXPECT_TRUE(tasks->isVisible());
    EXPECT_TRUE(timer->isVisible());
    ArenaTaskInstance* slot = m_arena->getTaskInstance(1);
    ASSERT_NE(nullptr, tasks->getChildren());
    m_arena->beginArena();
    m_arena->tick(0.5f);
    ASSERT_NE(nullptr, timer->getTimerLabel());
    EXPECT_STREQ("0:59", timer->getTimerLabel()->getString());
    EXPECT_FALSE(slot->getDescription().empty());
}

TEST_F(ArenaOverlays, TwoTasksDoneInOneFrameGetOneIntroTheirCelebrationsOneOutroAndExtraTime)
{
    m_arena->initArena();
    m_arena->beginArena();
    m_game->getHUD()->showArenaTasks();
    m_game->getHUD()->showArenaTimer();
    frames(20);  // both overlays open
    Counter finished;
    tasks->getPopupsFinishedSignal().connect(&finished, &Counter::onSignal);
    TimelineLog taskRuns(tasks);
    TimelineLog timerRuns(timer);

    complete(m_arena->getTaskInstance(2));
    complete(m_arena->getTaskInstance(0));
    EXPECT_EQ(2u, tasks->getQueuedPopupCount());
    frames(1, &taskRuns, &timerRuns);
    EXPECT_TRUE(m_game->getTempPaused());
    float clock = m_arena->getTimeLeft();
    for (int i = 0; i < 300 && finished.count == 0; ++i)
    {
        frames(1, &taskRuns, &timerRuns);
        if (m_game->getTempPaused())
        {
            EXPECT_FLOAT_EQ(clock, m_arena->getTimeLeft()) << "the clock ran during the celebration";
        }
    }
    frames(40, &taskRuns, &timerRuns);
    EXPECT_EQ(1, finished.count);
    EXPECT_FALSE(m_game->getTempPaused());
    EXPECT_EQ((std::vector<std::string>{ "task-complete-intro", "task-complete-3", "task-complete-1", "task-complete-outro" }),
              taskRuns.runs);
    EXPECT_EQ(std::vector<std::string>{ "extra-time" }, timerRuns.runs);
    EXPECT_LT(m_arena->getTimeLeft(), clock);
    tasks->getPopupsFinishedSignal().disconnect(&finished, &Counter::onSignal);
}

TEST_F(ArenaOverlays, TheEndOfTheMatchDropsCelebrationsAndTimeUpLetsTheResultsShow)
{
    Counter timeUpFinished;
    timer->getTimeUpFinishedSignal().connect(&timeUpFinished, &Counter::onSignal);
    m_arena->initArena();
    m_arena->beginArena();
    complete(m_arena->getTaskInstance(1));
    EXPECT_EQ(1u, tasks->getQueuedPopupCount());
    m_arena->setTimeLeft(0.01f);
    m_arena->tick(0.1f);
    EXPECT_EQ(0u, tasks->getQueuedPopupCount());
    EXPECT_FALSE(tasks->isVisible());
    EXPECT_TRUE(m_game->getTempPaused());
    frames(90);
    EXPECT_EQ(1, timeUpFinished.count);
    timer->getTimeUpFinishedSignal().disconnect(&timeUpFinished, &Counter::onSignal);
}
