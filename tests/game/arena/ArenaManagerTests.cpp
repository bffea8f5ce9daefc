#include "ArenaTask.h"
#include "ArenaTaskInstance.h"
#include "ArenaTestSupport.h"
#include "HighScoreItem.h"
#include "HighScoreManager.h"
#include "HighScoreTable.h"
#include "OnlineManager.h"
#include "VornActorDesc.h"

#include <cstdlib>
#include <string>
#include <vector>

USING_NS_CC;

namespace
{
/** The match's announcements in order. */
class MatchLog
{
public:
    explicit MatchLog(ArenaManager* arena) : m_arena(arena)
    {
        arena->getTimeUpSignal().connect(this, &MatchLog::onTimeUp);
        arena->getArenaEndedSignal().connect(this, &MatchLog::onEnded);
        arena->getExtraTimeSignal().connect(this, &MatchLog::onExtraTime);
        arena->getTimeChangedSignal().connect(this, &MatchLog::onTimeChanged);
    }
    ~MatchLog()
    {
        m_arena->getTimeUpSignal().disconnect(this, &MatchLog::onTimeUp);
        m_arena->getArenaEndedSignal().disconnect(this, &MatchLog::onEnded);
        m_arena->getExtraTimeSignal().disconnect(this, &MatchLog::onExtraTime);
        m_arena->getTimeChangedSignal().disconnect(this, &MatchLog::onTimeChanged);
    }
    void onTimeUp() { events.push_back("timeUp"); }
    void onEnded() { events.push_back("ended"); }
    void onExtraTime() { events.push_back("extraTime"); }
    void onTimeChanged(float t) { ++timeChanges; lastTime = t; }

    std::vector<std::string> events;
    int timeChanges = 0;
    float lastTime = -1.0f;

private:
    ArenaManager* m_arena;
};

/** Keeps what would go to the online leaderboards. */
class RecordingOnline : public OnlineManager
{
public:
    void submitScore(const char* leaderboardId, int score) override
    {
        submitted.push_back(std::string(leaderboardId) + "=" + std::to_string(score));
    }
    std::vector<std::string> submitted;
};

class ArenaMatch : public ArenaTest
{
protected:
    void SetUp() override
    {
        ArenaTest::SetUp();
        log = new MatchLog(m_arena);
    }
    void TearDown() override
    {
        delete log;
        ArenaTest::TearDown();
    }

    std::vector<ArenaTask*> drawnTasks()
    {
        std::vector<ArenaTask*> tasks;
        for (int i = 0; i < ArenaManager::kNumTaskSlots; ++i)
        {
            tasks.push_back(m_arena->getTaskInstance(i)->getTask());
        }
        return tasks;
    }
    void expectDistinct()
    {
        std::vector<ArenaTask*> tasks = drawnTasks();
        for (size_t i = 0; i < tasks.size(); ++i)
        {
            EXPECT_NE(nullptr, tasks[i]);
            for (size_t j = i + 1; j < tasks.size(); ++j)
            {
                EXPECT_NE(tasks[i], tasks[j]) << "slots " << i << " and " << j;
            }
        }
    }
    void complete(ArenaTaskInstance* slot)
    {
        while (slot->getTask() && !slot->isComplete() && log->events.size() < 100)
        {
            ArenaTask* before = slot->getTask();
            float difficulty = slot->getDifficulty();
            slot->incrementProgress();
            if (slot->getTask() != before || slot->getDifficulty() != difficulty)
            {
                return;  // completed and given its next task
            }
        }
    }

    MatchLog* log = nullptr;
};
} // namespace

TEST_F(ArenaMatch, TheClockWaitsForTheStartThenRunsOutOnce)
{
    // The clock alone: a survival task drawn here would add time as it ran.
    auto clock = [this](int frames) {
        for (int i = 0; i < frames; ++i)
        {
            m_arena->tick(0.5f);
        }
    };
    m_arena->initArena();
    EXPECT_TRUE(m_arena->isActive());
    EXPECT_FLOAT_EQ(60.0f, m_arena->getTimeLeft());
    clock(10);
    EXPECT_FLOAT_EQ(60.0f, m_arena->getTimeLeft());
    EXPECT_EQ(0, log->timeChanges);

    m_arena->beginArena();
    clock(119);
    EXPECT_FLOAT_EQ(0.5f, m_arena->getTimeLeft());
    EXPECT_TRUE(log->events.empty());
    clock(1);
    EXPECT_EQ((std::vector<std::string>{ "timeUp", "ended" }), log->events);
    EXPECT_FALSE(m_arena->isActive());
    EXPECT_FALSE(m_arena->isRunning());
    EXPECT_EQ(nullptr, m_arena->getTaskInstance(0)->getTask());
    clock(4);
    EXPECT_FLOAT_EQ(60.0f, m_arena->getTimeElapsed());
    EXPECT_EQ(120, log->timeChanges);
    EXPECT_EQ(2u, log->events.size());

    // Restarting a running match shows the full clock at once.
    m_arena->initArena();
    m_arena->beginArena();
    clock(2);
    int before = log->timeChanges;
    m_arena->initArena();
    EXPECT_EQ(before + 1, log->timeChanges);
    EXPECT_FLOAT_EQ(60.0f, log->lastTime);
}

TEST_F(ArenaMatch, TheGamesTimeDrivesTheClock)
{
    m_arena->initArena();
    m_arena->beginArena();
    step(0.25f, 4);
    EXPECT_FLOAT_EQ(59.0f, m_arena->getTimeLeft());
    m_game->setTempPaused(true);
    m_game->tick(0.05f);
    EXPECT_FLOAT_EQ(59.0f, m_arena->getTimeLeft());
    m_game->setTempPaused(false);
    m_game->tick(0.05f);
    EXPECT_FLOAT_EQ(58.95f, m_arena->getTimeLeft());
}

TEST_F(ArenaMatch, ThreeDistinctTasksAreDrawnTheSameWayFromTheSameSeed)
{
    srand(7);
    m_arena->initArena();
    std::vector<ArenaTask*> first = drawnTasks();
    expectDistinct();
    const float factors[] = { 0.0f, 0.1f, 0.1f + 0.1f };
    for (int i = 0; i < ArenaManager::kNumTaskSlots; ++i)
    {
        EXPECT_EQ(factors[i], m_arena->getTaskInstance(i)->getDifficulty());
    }
    // Every task follows the player during the match and no longer after it.
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_arena->getTasks(), object)
    {
        EXPECT_EQ(m_player, static_cast<ArenaTask*>(object)->getConnectedPlayer());
    }
    m_arena->exitArena();
    CCARRAY_FOREACH(m_arena->getTasks(), object)
    {
        EXPECT_EQ(nullptr, static_cast<ArenaTask*>(object)->getConnectedPlayer());
        EXPECT_EQ(0u, static_cast<ArenaTask*>(object)->getInstances()->count());
    }

    srand(7);
    m_arena->initArena();
    EXPECT_EQ(first, drawnTasks());
    // Many redraws of one slot never give it a task another slot holds.
    for (int i = 0; i < 50; ++i)
    {
        m_arena->drawTask(m_arena->getTaskInstance(i % 3));
        expectDistinct();
    }
}

TEST_F(ArenaMatch, ACompletedTaskAddsTimeAndExperienceAndDrawsTheNext)
{
    VornActorDesc* desc = m_player->getDesc();
    m_arena->initArena();
    m_arena->beginArena();
    m_arena->setTimeLeft(2.0f);
    ArenaTaskInstance* slot = m_arena->getTaskInstance(0);
    int xp = desc->getXPPointsSinceUpgrade();
    complete(slot);
    EXPECT_FLOAT_EQ(32.0f, m_arena->getTimeLeft());
    EXPECT_EQ(1, m_arena->getTasksCompleted());
    EXPECT_EQ(std::vector<std::string>{ "extraTime" }, log->events);
    EXPECT_EQ(6, desc->getXPPointsSinceUpgrade() - xp);
    EXPECT_FALSE(slot->isComplete());
    EXPECT_NEAR(0.3f, slot->getDifficulty(), 1e-6f);
    expectDistinct();

    // The eleventh draw's factor has crept past 1.0: its reward is 22.
    for (int i = 0; i < 7; ++i)
    {
        m_arena->drawTask(slot);
    }
    EXPECT_GT(slot->getDifficulty(), 1.0f);
    xp = desc->getXPPointsSinceUpgrade();
    complete(slot);
    EXPECT_EQ(22, desc->getXPPointsSinceUpgrade() - xp);
    EXPECT_EQ(2, m_arena->getTasksCompleted());
}

TEST_F(ArenaMatch, ThePlayersDeathOrQuittingEndsTheMatchWithoutTimeUp)
{
    m_arena->initArena();
    m_arena->beginArena();
    m_player->getDiedSignal().emit(m_player);
    m_arena->exitArena();
    EXPECT_EQ(std::vector<std::string>{ "ended" }, log->events);
    EXPECT_FALSE(m_arena->isActive());
    EXPECT_GT(m_arena->getTimeLeft(), 0.0f);

    m_arena->initArena();
    m_game->quitToTitleScreen();
    EXPECT_EQ((std::vector<std::string>{ "ended", "ended" }), log->events);
}

TEST_F(ArenaMatch, TheScoreGoesToTheArenasTableAndTheOnlineLeaderboard)
{
    RecordingOnline* online = new RecordingOnline();
    OnlineManager* original = m_game->getOnlineManager();
    m_game->setOnlineManager(online);  // the game owns it now
    CC_SAFE_RELEASE(original);
    HighScoreTable* table = HighScoreTable::create("Rooftop", "arena-rooftop-scores");
    ASSERT_NE(nullptr, table);
    m_game->getHighScoreManager()->getTables()->addObject(table);

    m_arena->submitScore("arena-rooftop-scores", 1234);
    m_arena->submitScore("arena-rooftop-scores", 99);
    m_arena->submitScore("no-such-table", 5);
    m_arena->submitScore(NULL, 7);

    ASSERT_EQ(2u, table->getItems()->count());
    EXPECT_EQ(1234, static_cast<HighScoreItem*>(table->getItems()->objectAtIndex(0))->getScore());
    EXPECT_EQ((std::vector<std::string>{ "arena-rooftop-scores=1234", "arena-rooftop-scores=99", "no-such-table=5" }),
              online->submitted);
}
