#include "VornSteamBackend.h"
#include "VornTestSupport.h"
#include "steam_api.h"

#include "CCFileUtils.h"
#include "support/CCBackgroundWriter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace
{
// Registers the way the game's online handler does: callback members and call-result slots.
class Listener
{
public:
    Listener()
        : m_statsReceived(this, &Listener::onStatsReceived),
          m_statsStored(this, &Listener::onStatsStored),
          m_achievementStored(this, &Listener::onAchievementStored),
          m_uploadMethod(k_ELeaderboardUploadScoreMethodKeepBest),
          m_pendingScore(0)
    {
    }

    void find(const char* name, int32 score)
    {
        m_pendingScore = score;
        m_findResult.Set(SteamUserStats()->FindLeaderboard(name), this, &Listener::onFound);
    }

    std::vector<std::string> events;
    std::vector<UserStatsReceived_t> received;
    std::vector<LeaderboardFindResult_t> found;
    std::vector<LeaderboardScoreUploaded_t> uploaded;

private:
    STEAM_CALLBACK(Listener, onStatsReceived, UserStatsReceived_t, m_statsReceived);
    STEAM_CALLBACK(Listener, onStatsStored, UserStatsStored_t, m_statsStored);
    STEAM_CALLBACK(Listener, onAchievementStored, UserAchievementStored_t, m_achievementStored);

    void onFound(LeaderboardFindResult_t* result, bool ioFailure)
    {
        EXPECT_FALSE(ioFailure);
        found.push_back(*result);
        events.push_back("found");
        // Runs inside SteamAPI_RunCallbacks: the upload's answer must wait for the next call.
        SteamAPI_RunCallbacks();
        m_uploadResult.Set(SteamUserStats()->UploadLeaderboardScore(result->m_hSteamLeaderboard, m_uploadMethod,
                                                                    m_pendingScore, NULL, 0),
                           this, &Listener::onUploaded);
    }
    void onUploaded(LeaderboardScoreUploaded_t* result, bool ioFailure)
    {
        EXPECT_FALSE(ioFailure);
        uploaded.push_back(*result);
        events.push_back("uploaded");
    }

    CCallResult<Listener, LeaderboardFindResult_t> m_findResult;
    CCallResult<Listener, LeaderboardScoreUploaded_t> m_uploadResult;
    ELeaderboardUploadScoreMethod m_uploadMethod;
    int32 m_pendingScore;
};

void Listener::onStatsReceived(UserStatsReceived_t* pParam)
{
    received.push_back(*pParam);
    events.push_back("received");
}

void Listener::onStatsStored(UserStatsStored_t* pParam)
{
    events.push_back(pParam->m_eResult == k_EResultOK ? "stored" : "store failed");
}

void Listener::onAchievementStored(UserAchievementStored_t* pParam)
{
    events.push_back(std::string("achieved ") + pParam->m_rgchAchievementName);
}

class SteamTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VornSteamBackend::resetSwitches();
        m_dir = vorntest::makeTempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        VornSteamBackend::setStorePath(m_dir + "/store.txt");
    }
    void TearDown() override
    {
        SteamAPI_Shutdown();
        VornSteamBackend::resetSwitches();
        VornSteamBackend::setStorePath("");
    }

    // Init, ask for the stats and let them arrive.
    static void signIn(Listener& listener)
    {
        ASSERT_TRUE(SteamAPI_Init());
        ASSERT_TRUE(SteamUser()->BLoggedOn());
        ASSERT_TRUE(SteamUserStats()->RequestCurrentStats());
        SteamAPI_RunCallbacks();
        ASSERT_EQ(1u, listener.received.size());
    }

    // The store is written on the background writer's thread; its answer goes out once the game's
    // thread hears the write finished (a frame later in play).
    static void storeStats()
    {
        ASSERT_TRUE(SteamUserStats()->StoreStats());
        cocos2d::CCBackgroundWriter::sharedBackgroundWriter()->finishAll();
    }

    std::string m_dir;
};
} // namespace

TEST_F(SteamTest, StatsArriveOnlyInsideRunCallbacks)
{
    Listener listener;
    VornSteamBackend::setAppId(4242);
    ASSERT_TRUE(SteamAPI_Init());
    EXPECT_EQ(4242u, SteamUtils()->GetAppID());
    EXPECT_FALSE(SteamUserStats()->SetAchievement("early"));  // not before the stats arrive
    ASSERT_TRUE(SteamUserStats()->RequestCurrentStats());
    EXPECT_TRUE(listener.events.empty());
    SteamAPI_RunCallbacks();
    ASSERT_EQ(1u, listener.received.size());
    EXPECT_EQ((uint64)4242, listener.received[0].m_nGameID);
    EXPECT_EQ(k_EResultOK, listener.received[0].m_eResult);
    SteamAPI_RunCallbacks();
    EXPECT_EQ(1u, listener.events.size());
}

TEST_F(SteamTest, AStoredAchievementSurvivesARestart)
{
    {
        Listener listener;
        signIn(listener);
        ASSERT_TRUE(SteamUserStats()->SetAchievement("ACH_STORED"));
        ASSERT_TRUE(SteamUserStats()->SetStat("kills", (int32)12));
        ASSERT_TRUE(SteamUserStats()->StoreStats());
        SteamAPI_RunCallbacks();
        EXPECT_EQ((std::vector<std::string>{"received"}), listener.events) << "answered before it was written";
        ASSERT_TRUE(SteamUserStats()->SetAchievement("ACH_NOT_STORED"));
        cocos2d::CCBackgroundWriter::sharedBackgroundWriter()->finishAll();
        SteamAPI_RunCallbacks();
        EXPECT_EQ((std::vector<std::string>{"received", "stored", "achieved ACH_STORED"}), listener.events);
        SteamAPI_Shutdown();
        EXPECT_EQ(NULL, SteamUserStats());
    }
    Listener listener;
    signIn(listener);
    bool achieved = false;
    ASSERT_TRUE(SteamUserStats()->GetAchievement("ACH_STORED", &achieved));
    EXPECT_TRUE(achieved);
    ASSERT_TRUE(SteamUserStats()->GetAchievement("ACH_NOT_STORED", &achieved));
    EXPECT_FALSE(achieved);
    int32 kills = 0;
    ASSERT_TRUE(SteamUserStats()->GetStat("kills", &kills));
    EXPECT_EQ(12, kills);
    // Storing an achievement already kept announces nothing new.
    ASSERT_TRUE(SteamUserStats()->SetAchievement("ACH_STORED"));
    storeStats();
    SteamAPI_RunCallbacks();
    EXPECT_EQ((std::vector<std::string>{"received", "stored"}), listener.events);
}

TEST_F(SteamTest, ScoresKeepTheBestAndAnswerOneStepAtATime)
{
    Listener listener;
    signIn(listener);
    listener.find("Arena", 100);
    SteamAPI_RunCallbacks();
    ASSERT_EQ(1u, listener.found.size());
    EXPECT_TRUE(listener.found[0].m_bLeaderboardFound);
    EXPECT_STREQ("Arena", SteamUserStats()->GetLeaderboardName(listener.found[0].m_hSteamLeaderboard));
    EXPECT_TRUE(listener.uploaded.empty());
    SteamAPI_RunCallbacks();
    ASSERT_EQ(1u, listener.uploaded.size());
    EXPECT_TRUE(listener.uploaded[0].m_bSuccess);
    EXPECT_TRUE(listener.uploaded[0].m_bScoreChanged);

    listener.find("Arena", 50);
    SteamAPI_RunCallbacks();
    SteamAPI_RunCallbacks();
    ASSERT_EQ(2u, listener.uploaded.size());
    EXPECT_TRUE(listener.uploaded[1].m_bSuccess);
    EXPECT_FALSE(listener.uploaded[1].m_bScoreChanged);
    int32 best = 0;
    ASSERT_TRUE(VornSteamBackend::storedLeaderboardScore("Arena", &best));
    EXPECT_EQ(100, best);
}

TEST_F(SteamTest, FailuresStillDeliverTheirResults)
{
    Listener listener;
    signIn(listener);
    VornSteamBackend::setFailFindLeaderboard(true);
    listener.find("Arena", 100);
    SteamAPI_RunCallbacks();
    ASSERT_EQ(1u, listener.found.size());
    EXPECT_FALSE(listener.found[0].m_bLeaderboardFound);
    EXPECT_EQ(0u, listener.found[0].m_hSteamLeaderboard);
    // Uploading to the board that was not found is answered too, as a failure.
    SteamAPI_RunCallbacks();
    ASSERT_EQ(1u, listener.uploaded.size());
    EXPECT_FALSE(listener.uploaded[0].m_bSuccess);

    VornSteamBackend::setFailFindLeaderboard(false);
    VornSteamBackend::setFailUpload(true);
    listener.find("Arena", 100);
    SteamAPI_RunCallbacks();
    SteamAPI_RunCallbacks();
    ASSERT_EQ(2u, listener.uploaded.size());
    EXPECT_FALSE(listener.uploaded[1].m_bSuccess);
    EXPECT_FALSE(VornSteamBackend::storedLeaderboardScore("Arena", NULL));
}

TEST_F(SteamTest, AFailedInitLeavesTheLayerDown)
{
    Listener listener;
    VornSteamBackend::setFailInit(true);
    EXPECT_FALSE(SteamAPI_Init());
    EXPECT_EQ(NULL, SteamUserStats());
    EXPECT_EQ(NULL, SteamUser());
    SteamAPI_RunCallbacks();
    SteamAPI_Shutdown();
    EXPECT_TRUE(listener.events.empty());
}

// Whatever stands in the store's place is read as the settings file is: never blocking, never
// more than a save holds, and set aside (kept) when it can't be used; the game then starts afresh.
TEST_F(SteamTest, AnUnreadableStoreIsKeptAsideWithoutHoldingUpStartUp)
{
    enum Kind { kNotAStore, kPipe, kHuge, kFolder, kNoPermission };
    const struct
    {
        Kind kind;
        const char* logged;
    } cases[] = {
        { kNotAStore, "not a stats store" },
        { kPipe, "not a plain file" },
        { kHuge, "more than a save ever holds" },
        { kFolder, "it is a folder" },
        { kNoPermission, "Permission denied" },
    };
    const std::string path = VornSteamBackend::getStorePath();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.logged);
        if (c.kind == kNotAStore || c.kind == kNoPermission)
        {
            vorntest::writeFile(path, "not a store\n");
        }
        else if (c.kind == kPipe)
        {
            ASSERT_EQ(0, mkfifo(path.c_str(), 0644));
        }
        else if (c.kind == kHuge)
        {
            // Sparse: a gigabyte on paper, no disk used.
            int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(0, ftruncate(fd, 1024L * 1024 * 1024));
            close(fd);
        }
        else
        {
            ASSERT_EQ(0, mkdir(path.c_str(), 0755));
        }
        cocos2d::CCFileUtils::setOpenFaultForTesting(c.kind == kNoPermission ? EACCES : 0);
        vorntest::LogCapture log;
        Listener listener;
        signIn(listener);
        cocos2d::CCFileUtils::setOpenFaultForTesting(0);
        EXPECT_TRUE(log.contains(c.logged));
        EXPECT_TRUE(log.contains("moved it to " + path + ".bad-"));
        ASSERT_NE(0, access(path.c_str(), F_OK)) << "set aside, not left in the way";
        ASSERT_TRUE(SteamUserStats()->SetAchievement("ACH"));
        storeStats();
        SteamAPI_RunCallbacks();
        EXPECT_EQ("stored", listener.events[1]);
        SteamAPI_Shutdown();
        ASSERT_EQ(0, unlink(path.c_str()));
    }
    // Every one was kept; the two that were text still hold what they held.
    int kept = 0;
    int text = 0;
    DIR* dir = opendir(m_dir.c_str());
    while (struct dirent* entry = dir ? readdir(dir) : NULL)
    {
        const std::string name = entry->d_name;
        struct stat st;
        if (name.compare(0, 10, "store.txt.") == 0 && stat((m_dir + "/" + name).c_str(), &st) == 0)
        {
            ++kept;
            text += S_ISREG(st.st_mode) && vorntest::readFile(m_dir + "/" + name) == "not a store\n" ? 1 : 0;
        }
    }
    if (dir)
    {
        closedir(dir);
    }
    EXPECT_EQ(5, kept);
    EXPECT_EQ(2, text);
}
