#include "OnlineHandler_Steamworks.h"
#include "OnlineManager.h"
#include "OnlineTestSupport.h"

#include <string>
#include <vector>

USING_NS_CC;

namespace
{
class DisconnectCounter
{
public:
    void onDisconnected(OnlineHandler*) { ++count; }
    int count = 0;
};

class SteamHandlerTest : public OnlineTest
{
protected:
    // The online manager with the Steam handler, signed in through the game's frames.
    void signIn()
    {
        makeManager();
        ASSERT_TRUE(steam->isInitialised());
        gameManager->getGameReadySignal().emit();
        frames(1);
        ASSERT_TRUE(steam->isConnected());
    }
    void makeManager()
    {
        useSetup("setup-steam.plist");
        online = OnlineManager::create();
        ASSERT_NE(nullptr, online);
        adopt(online);
        ASSERT_EQ(1u, online->getHandlers()->count());
        steam = dynamic_cast<OnlineHandler_Steamworks*>(online->getHandlers()->objectAtIndex(0));
        ASSERT_NE(nullptr, steam);
    }
    void frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            gameManager->getUpdateSignal().emit(1.0f / 60.0f);
        }
    }
    static bool stored(const char* board, int expected)
    {
        int32 score = 0;
        return VornSteamBackend::storedLeaderboardScore(board, &score) && score == expected;
    }
    // Whether Steam, started afresh, remembers the achievement as unlocked.
    static bool unlockedAfterRestart(const char* name)
    {
        SteamAPI_Shutdown();
        EXPECT_TRUE(SteamAPI_Init());
        SteamUserStats()->RequestCurrentStats();
        SteamAPI_RunCallbacks();
        bool achieved = false;
        SteamUserStats()->GetAchievement(name, &achieved);
        return achieved;
    }

    OnlineManager* online = NULL;
    OnlineHandler_Steamworks* steam = NULL;
};
} // namespace

TEST_F(SteamHandlerTest, AchievementsAreSetOnlyWhenComplete)
{
    signIn();
    vorntest::LogCapture log;
    steam->setAchievementProgress("ach.two", 0.99f);
    steam->setAchievementProgress("ach.one", 1.0f);
    steam->setAchievementProgress("ach.elsewhere", 1.0f);
    EXPECT_TRUE(log.contains("OnlineHandler_Steamworks::pszAchievementID - Unable to find ID for ach.elsewhere"));
    frames(1);
    EXPECT_TRUE(unlockedAfterRestart("ACH_ONE"));
    EXPECT_FALSE(unlockedAfterRestart("ACH_TWO"));
}

TEST_F(SteamHandlerTest, ScoresUploadOneAtATime)
{
    signIn();
    steam->submitScore("story-mode", 1200);
    steam->submitScore("arena-1", 90);
    steam->submitScore("no-such-board", 5);  // not mapped: dropped
    EXPECT_EQ(2u, steam->getQueuedScoreCount());

    frames(1);
    EXPECT_TRUE(steam->isUploading());
    EXPECT_EQ(1u, steam->getQueuedScoreCount());
    int guard = 0;
    while (!stored("STORY_MODE", 1200) && guard++ < 10)
    {
        EXPECT_EQ(1u, steam->getQueuedScoreCount()) << "the second waits for the first upload";
        EXPECT_FALSE(stored("ARENA_1", 90));
        frames(1);
    }
    frames(4);
    EXPECT_TRUE(stored("ARENA_1", 90));
    EXPECT_FALSE(steam->isUploading());
    EXPECT_EQ(0u, steam->getQueuedScoreCount());

    // Steam keeps the better score.
    steam->submitScore("story-mode", 700);
    frames(4);
    EXPECT_TRUE(stored("STORY_MODE", 1200));
}

TEST_F(SteamHandlerTest, AFailedFindOrUploadDoesNotStallTheQueue)
{
    signIn();
    vorntest::LogCapture log;
    VornSteamBackend::setFailFindLeaderboard(true);
    steam->submitScore("story-mode", 1200);
    frames(4);
    EXPECT_TRUE(log.contains("leaderboard STORY_MODE not found, score 1200 dropped"));
    EXPECT_FALSE(steam->isUploading());
    VornSteamBackend::setFailFindLeaderboard(false);

    VornSteamBackend::setFailUpload(true);
    steam->submitScore("story-mode", 1300);
    frames(4);
    EXPECT_TRUE(log.contains("upload of score 1300 to STORY_MODE failed"));
    EXPECT_FALSE(steam->isUploading());
    VornSteamBackend::setFailUpload(false);

    steam->submitScore("arena-1", 90);
    frames(4);
    EXPECT_TRUE(stored("ARENA_1", 90));
    EXPECT_FALSE(stored("STORY_MODE", 1300));
}

TEST_F(SteamHandlerTest, SignInNeedsStatsForThisApp)
{
    makeManager();
    VornSteamBackend::setAppId(12345);  // the stats now arrive for another app
    gameManager->getGameReadySignal().emit();
    frames(2);
    EXPECT_FALSE(steam->isConnected());
    steam->submitScore("story-mode", 100);  // not connected: not even queued
    EXPECT_EQ(0u, steam->getQueuedScoreCount());
}

TEST_F(SteamHandlerTest, ShutdownHappensOnce)
{
    signIn();
    DisconnectCounter counter;
    online->getHandlerDisconnectedSignal().connect(&counter, &DisconnectCounter::onDisconnected);

    steam->shutdown();  // sign-out
    EXPECT_FALSE(steam->isConnected());
    EXPECT_EQ(nullptr, SteamUser());
    EXPECT_EQ(0u, gameManager->getUpdateSignal().count());

    ASSERT_TRUE(SteamAPI_Init());  // someone else's Steam session: a second shutdown would end it
    system->getQuitSignal().emit();
    EXPECT_NE(nullptr, SteamUser());
    EXPECT_EQ(1, counter.count);
    online->getHandlerDisconnectedSignal().disconnect(&counter, &DisconnectCounter::onDisconnected);
}

TEST_F(SteamHandlerTest, AFailedSteamStartLetsTheGameRunOn)
{
    VornSteamBackend::setFailInit(true);
    vorntest::LogCapture log;
    makeManager();
    EXPECT_TRUE(log.contains("SteamAPI_Init() failed"));
    EXPECT_FALSE(steam->isInitialised());

    DisconnectCounter counter;
    online->getHandlerDisconnectedSignal().connect(&counter, &DisconnectCounter::onDisconnected);
    gameManager->getGameReadySignal().emit();
    frames(2);
    online->submitScore("story-mode", 100);
    online->setAchievementProgress("ach.one", 1.0f);
    system->getQuitSignal().emit();
    EXPECT_FALSE(online->isConnected());
    EXPECT_EQ(0, counter.count);
    online->getHandlerDisconnectedSignal().disconnect(&counter, &DisconnectCounter::onDisconnected);
}

TEST_F(SteamHandlerTest, AHandlerNotListedIsNotKept)
{
    useSetup("setup-none.plist");
    OnlineManager* manager = OnlineManager::create();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(0u, manager->getHandlers()->count());
    EXPECT_EQ(nullptr, SteamUser()) << "Steam was started for a handler that is not enabled";
    EXPECT_FALSE(manager->isConnected());
    manager->submitScore("story-mode", 100);  // nobody to forward to
}
