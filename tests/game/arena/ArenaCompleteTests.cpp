#include "AchievementInfo.h"
#include "ArenaCompleteScreen.h"
#include "ArenaModeHelper.h"
#include "ArenaTestSupport.h"
#include "ArenaTimerScreen.h"
#include "CCLabelBMFont.h"
#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "HUD.h"
#include "HighScoreItem.h"
#include "HighScoreManager.h"
#include "HighScoreTable.h"
#include "OnlineHandler.h"
#include "OnlineManager.h"
#include "SplashScreen.h"
#include "VornAchievementsManager.h"

#include <string>
#include <vector>

USING_NS_CC;

namespace
{
class RecordingHandler : public OnlineHandler
{
public:
    virtual const char* getName() { return "Recorder"; }
    virtual bool connectsOnGameStart() { return false; }
    virtual void connect() { onConnected(); }
    virtual void showAchievements() {}
    virtual void showLeaderboards() {}
    virtual void showLeaderboard(const char* id) { calls.push_back(std::string("show ") + id); }
    virtual void submitScore(const char* id, int score) { calls.push_back(std::string("score ") + id + " " + std::to_string(score)); }
    virtual void setAchievementProgress(const char*, float) {}
    virtual bool canShowLeaderboards() { return showsBoards; }
    std::vector<std::string> calls;
    bool showsBoards = true;
};

class Counter
{
public:
    void onSignal() { ++count; }
    int count = 0;
};

class ArenaResults : public ArenaTest
{
protected:
    void SetUp() override
    {
        ArenaTest::SetUp();
        screen = dynamic_cast<ArenaCompleteScreen*>(m_game->getArenaCompleteScreen());
        ASSERT_NE(nullptr, screen);
        ASSERT_FALSE(screen->isVisible());
        arenas = new ArenaModeHelper();
        ASSERT_TRUE(arenas->init());
        arenas->setCurrentArenaIndex(0);
        online = m_game->getOnlineManager();
        ASSERT_NE(nullptr, online);
        recorder = new RecordingHandler();
        recorder->setConnected(true);
        online->getHandlers()->addObject(recorder);
        m_game->setGameMode(kVornGameMode_Arena);
        if (m_game->getSplashScreen())
        {
            m_game->getSplashScreen()->removeFromParentAndCleanup(true);
        }
        CCDirector::sharedDirector()->runWithScene(m_game);
    }
    void TearDown() override
    {
        if (online && recorder)
        {
            online->getHandlers()->removeObject(recorder);
        }
        CC_SAFE_RELEASE(recorder);
        CC_SAFE_RELEASE(arenas);
        ArenaTest::TearDown();
    }

    void frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            CCDirector::sharedDirector()->step(1.0f / 30.0f);
        }
    }
    /** A match that ran its clock for the given time with these deeds. */
    void playMatch(float seconds, int tasks, int score, int kos, int attempted, int hits)
    {
        m_arena->initArena();
        m_arena->beginArena();
        m_arena->setTimeElapsed(seconds);
        m_arena->setTasksCompleted(tasks);
        m_player->setScore(score);
        m_player->setKOs(kos);
        m_player->setAttacksAttempted(attempted);
        m_player->setAttacksHitSomething(hits);
    }
    std::string text(CCLabelBMFont* label) { return label ? label->getString() : "<missing>"; }
    int scoresKept()
    {
        HighScoreTable* table = m_game->getHighScoreManager()->getTable("arena-rooftop-scores");
        return table && table->getItems() ? (int)table->getItems()->count() : -1;
    }

    ArenaCompleteScreen* screen = nullptr;
    ArenaModeHelper* arenas = nullptr;
    OnlineManager* online = nullptr;
    RecordingHandler* recorder = nullptr;
};
} // namespace

TEST(ArenaResultsText, AccuracyIsWholePercentAndNothingTriedIsNone)
{
    EXPECT_EQ("0%", ArenaCompleteScreen::formatAccuracy(0, 0));
    EXPECT_EQ("67%", ArenaCompleteScreen::formatAccuracy(3, 2));
    EXPECT_EQ("100%", ArenaCompleteScreen::formatAccuracy(4, 4));
}

TEST_F(ArenaResults, ShowsTheMatchAndKeepsTheScoreOnceAsTheArenasBest)
{
    playMatch(125.9f, 2, 1234567, 7, 3, 2);
    screen->showResults(m_player);
    ASSERT_TRUE(screen->isVisible());
    EXPECT_EQ("2:05", text(screen->getTimeLabel()));
    EXPECT_EQ("2", text(screen->getTasksCompleteLabel()));
    EXPECT_EQ("7", text(screen->getEnemiesKilledLabel()));
    EXPECT_EQ("67%", text(screen->getAccuracyLabel()));
    EXPECT_EQ("1,234,567", text(screen->getScoreLabel()));
    EXPECT_EQ("1,234,567", text(screen->getHighscoreLabel())) << "a first score is the arena's best";
    EXPECT_EQ(std::vector<std::string>{ "score arena-rooftop-scores 1234567" }, recorder->calls);
    EXPECT_EQ(1, scoresKept());
    AchievementInfo* games = m_game->getAchievementsManager()->getAchievement("achievement.grandor.arena_num_games_tier_1");
    ASSERT_NE(nullptr, games);
    float counted = games->getProgress();
    EXPECT_GT(counted, 0.0f);

    // The time-up and the fall can both end a match: the second ending changes nothing.
    m_player->setScore(5);
    screen->show();
    m_game->onPlayerDied(m_player);
    EXPECT_EQ(1u, recorder->calls.size());
    EXPECT_EQ(1, scoresKept());
    EXPECT_FLOAT_EQ(counted, games->getProgress());
    EXPECT_EQ("1,234,567", text(screen->getScoreLabel()));

    // With a service signed in the scores entry is there and opens the arena's board.
    ASSERT_NE(nullptr, screen->getScoresMenuItem());
    EXPECT_TRUE(screen->getScoresMenuItem()->isVisible());
    EXPECT_TRUE(screen->getScoresMenuItem()->isEnabled());
    EXPECT_TRUE(screen->getScoresMenuItemLabel()->isVisible());
    EXPECT_FALSE(screen->getScoresMenuItemLabelGooglePlay()->isVisible());
    screen->onOnline();
    EXPECT_EQ("show arena-rooftop-scores", recorder->calls.back());
}

TEST_F(ArenaResults, ALowerScoreKeepsTheBestAndNoServiceHidesTheScoresEntry)
{
    CCObject* handler = NULL;
    CCARRAY_FOREACH(online->getHandlers(), handler)
    {
        static_cast<OnlineHandler*>(handler)->setConnected(false);
    }
    m_game->getHighScoreManager()->getTable("arena-rooftop-scores")->addScore("Local", 9000);
    playMatch(59.9f, 0, 800, 0, 0, 0);
    screen->showResults(m_player);
    EXPECT_EQ("0:59", text(screen->getTimeLabel()));
    EXPECT_EQ("0%", text(screen->getAccuracyLabel()));
    EXPECT_EQ("800", text(screen->getScoreLabel()));
    EXPECT_EQ("9,000", text(screen->getHighscoreLabel()));
    EXPECT_EQ(2, scoresKept());
    // Still handed to the online manager: a service signing in later may take it.
    EXPECT_EQ(std::vector<std::string>{ "score arena-rooftop-scores 800" }, recorder->calls);
    EXPECT_FALSE(screen->getScoresMenuItem()->isVisible());
    EXPECT_FALSE(screen->getScoresMenuItem()->isEnabled());
    EXPECT_FALSE(screen->getScoresMenuItemLabel()->isVisible());
    EXPECT_FALSE(screen->getScoresMenuItemLabelGooglePlay()->isVisible());
}

TEST_F(ArenaResults, TheFallInTheArenaAndTheEndOfTimeUpShowTheResultsButNotInTheStory)
{
    playMatch(10.0f, 0, 100, 1, 1, 1);
    m_game->setGameMode(kVornGameMode_Story);
    m_game->onPlayerDied(m_player);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(recorder->calls.empty());

    m_game->setGameMode(kVornGameMode_Arena);
    m_player->getDiedSignal().emit(m_player);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(m_arena->isActive()) << "the fall also ends the match";
    screen->hide();

    m_game->getHUD()->getArenaTimerScreen()->getTimeUpFinishedSignal().emit();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(2u, recorder->calls.size());
}

TEST_F(ArenaResults, RestartAndQuitLeaveOnceWhenTheirTimelineHasPlayed)
{
    Counter continued;
    Counter quit;
    m_game->getContinueSignal().connect(&continued, &Counter::onSignal);
    m_game->getQuitToTitleSignal().connect(&quit, &Counter::onSignal);

    m_game->startLevel("arena-rooftop");
    playMatch(30.0f, 1, 500, 2, 4, 1);
    screen->showResults(m_player);
    frames(150);  // open, the experience bar, the menu
    EXPECT_TRUE(m_game->getTempPaused());
    EXPECT_FALSE(m_game->getGameLayer()->isVisible());
    screen->onRestart();
    screen->onRestart();
    screen->onQuit();
    EXPECT_EQ(0, continued.count) << "the restart waits for its timeline";
    frames(30);
    EXPECT_EQ(1, continued.count);
    EXPECT_EQ(0, quit.count);
    EXPECT_FALSE(screen->isVisible());
    // Back at the arena's restart point, playing.
    EXPECT_EQ("arena-rooftop", m_game->getLevelScript());
    EXPECT_FALSE(m_game->getTempPaused());
    EXPECT_TRUE(m_game->getGameLayer()->isVisible());

    screen->showResults(m_player);
    frames(150);
    screen->onQuit();
    screen->onQuit();
    frames(30);
    EXPECT_EQ(1, quit.count);
    EXPECT_EQ(1, continued.count);
    EXPECT_FALSE(screen->isVisible());

    m_game->getContinueSignal().disconnect(&continued, &Counter::onSignal);
    m_game->getQuitToTitleSignal().disconnect(&quit, &Counter::onSignal);
}

// The scores entry is there only when pressing it shows a board; the keys never lose the focus,
// and the menu's back (Escape) leaves as Quit does.
TEST_F(ArenaResults, ScoresOnlyWithABoardToShowFocusStaysAndBackQuits)
{
    struct
    {
        bool connected;
        bool showsBoards;
        bool offered;
    } cases[] = { { true, true, true }, { true, false, false }, { false, true, false } };
    CCMenuGamepadInputDispatcher* pad = CCMenuGamepadInputDispatcher::sharedDispatcher();
    const int moves[] = { kMenuGamepadInput_Down, kMenuGamepadInput_Right, kMenuGamepadInput_Down,
                          kMenuGamepadInput_Left, kMenuGamepadInput_Up,    kMenuGamepadInput_Down };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string("connected ") + (c.connected ? "yes" : "no") + ", boards " +
                     (c.showsBoards ? "yes" : "no"));
        Counter quit;
        m_game->getQuitToTitleSignal().connect(&quit, &Counter::onSignal);
        CCObject* handler = NULL;
        CCARRAY_FOREACH(online->getHandlers(), handler)
        {
            static_cast<OnlineHandler*>(handler)->setConnected(false);
        }
        recorder->setConnected(c.connected);
        recorder->showsBoards = c.showsBoards;
        m_game->startLevel("arena-rooftop");
        playMatch(30.0f, 1, 500, 2, 4, 1);
        screen->showResults(m_player);
        frames(150);  // open, the experience bar, the menu
        EXPECT_EQ(c.offered, screen->getScoresMenuItem()->isVisible());
        EXPECT_EQ(c.offered, screen->getScoresMenuItem()->isEnabled());
        for (int move : moves)
        {
            pad->handleMenuInput(move, 0);
            CCMenuItem* focus = pad->getFocusMenuItem(0);
            ASSERT_NE(nullptr, focus) << "move " << move;
            EXPECT_TRUE(focus->isVisible() && focus->isEnabled()) << "move " << move;
            EXPECT_EQ(screen->getDefaultMenu(), focus->getParent()) << "move " << move;
        }
        pad->handleMenuInput(kMenuGamepadInput_Back, 0);
        frames(30);
        EXPECT_EQ(1, quit.count);
        EXPECT_FALSE(screen->isVisible());
        m_game->getQuitToTitleSignal().disconnect(&quit, &Counter::onSignal);
    }
}
