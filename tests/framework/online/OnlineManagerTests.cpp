#include "AchievementsManager.h"
#include "HighScoreManager.h"
#include "OnlineManager.h"
#include "OnlineTestSupport.h"

#include <string>
#include <vector>

USING_NS_CC;

namespace
{
// A handler that writes down every request; it signs in at once when asked to.
class RecordingHandler : public OnlineHandler
{
public:
    virtual const char* getName() { return "Recorder"; }
    virtual bool connectsOnGameStart() { return true; }
    virtual void connect() { onConnected(); }
    virtual void showAchievements() { calls.push_back("showAchievements"); }
    virtual void showLeaderboards() { calls.push_back("showLeaderboards"); }
    virtual void showLeaderboard(const char* id) { calls.push_back(std::string("showLeaderboard ") + id); }
    virtual void submitScore(const char* id, int score)
    {
        calls.push_back(std::string("score ") + id + " " + std::to_string(score));
    }
    virtual void setAchievementProgress(const char* id, float progress)
    {
        calls.push_back(std::string("progress ") + id + " " + std::to_string(progress));
        // What the store holds, and what is on disk, when the services hear of it.
        storedWhenTold = CCUserDefault::sharedUserDefault()->getFloatForKey(id, -1.0f);
        savedWhenTold = vorntest::readFile(CCUserDefault::getXMLFilePath());
    }

    std::vector<std::string> calls;
    float storedWhenTold = -1.0f;
    std::string savedWhenTold;
};

class SignalRecorder
{
public:
    void onConnected(OnlineHandler* handler) { events.push_back(std::string("connected ") + handler->getName()); }
    void onDisconnected(OnlineHandler* handler)
    {
        events.push_back(std::string("disconnected ") + handler->getName());
    }
    std::vector<std::string> events;
};

class OnlineManagerTest : public OnlineTest
{
protected:
    // An online manager with a recording handler, made the way the game manager makes it.
    void makeManager()
    {
        useSetup("setup-recorder.plist");
        online = OnlineManager::create();
        ASSERT_NE(nullptr, online);
        recorder = new RecordingHandler();
        recorder->autorelease();
        ASSERT_TRUE(online->addHandler(recorder));
        ASSERT_EQ(1u, online->getHandlers()->count());
        adopt(online);
        online->getHandlerConnectedSignal().connect(&signals, &SignalRecorder::onConnected);
        online->getHandlerDisconnectedSignal().connect(&signals, &SignalRecorder::onDisconnected);
    }

    OnlineManager* online = NULL;
    RecordingHandler* recorder = NULL;
    SignalRecorder signals;
};
} // namespace

TEST_F(OnlineManagerTest, SignInCatchesUpOnProgressAndBestScores)
{
    makeManager();
    AchievementsManager* achievements = new AchievementsManager();
    achievements->autorelease();
    ASSERT_TRUE(achievements->initWithFile("achievements.plist"));
    HighScoreManager* highScores = new HighScoreManager();
    highScores->autorelease();
    ASSERT_TRUE(highScores->init());
    highScores->getTables()->addObject(HighScoreTable::create("Story", "story-mode"));
    highScores->getTables()->addObject(HighScoreTable::create("Arena", "arena-1"));  // stays empty
    gameManager->setHighScoreManager(highScores);

    // Offline progress is forwarded too (the handler decides what to do unconnected).
    ASSERT_TRUE(achievements->setAchievementProgress("ach.one", 0.5f));
    EXPECT_EQ((std::vector<std::string>{"progress ach.one 0.500000"}), recorder->calls);
    EXPECT_EQ(0.5f, recorder->storedWhenTold) << "in the store first";
    // The disk write waits for a safe point (a rise in a fight must not stall the frame).
    EXPECT_EQ(std::string::npos, recorder->savedWhenTold.find("ach.one"));
    EXPECT_TRUE(achievements->hasUnsavedProgress());
    EXPECT_TRUE(achievements->saveProgress());
    EXPECT_FALSE(achievements->hasUnsavedProgress());
    EXPECT_NE(std::string::npos, vorntest::readFile(CCUserDefault::getXMLFilePath()).find("ach.one"));
    highScores->getTable("story-mode")->addScore("P", 1200);
    recorder->calls.clear();

    EXPECT_FALSE(online->isConnected());
    gameManager->getGameReadySignal().emit();
    EXPECT_TRUE(online->isConnected());
    EXPECT_EQ((std::vector<std::string>{"connected Recorder"}), signals.events);
    // ach.two at 0 and the empty arena table send nothing.
    EXPECT_EQ((std::vector<std::string>{"progress ach.one 0.500000", "score story-mode 1200"}), recorder->calls);

    recorder->calls.clear();
    online->submitScore("arena-1", 40);
    online->showLeaderboard("arena-1");
    EXPECT_EQ((std::vector<std::string>{"score arena-1 40", "showLeaderboard arena-1"}), recorder->calls);
}

TEST_F(OnlineManagerTest, SignInWithoutAchievementsOrHighScoreManagers)
{
    makeManager();
    ASSERT_EQ(nullptr, AchievementsManager::sharedAchievementsManager());
    ASSERT_EQ(nullptr, gameManager->getHighScoreManager());
    online->onGameStart();
    EXPECT_TRUE(recorder->isConnected());
    EXPECT_TRUE(recorder->calls.empty());
}

TEST_F(OnlineManagerTest, IdentifierLookUps)
{
    makeManager();
    const struct
    {
        const char* id;
        const char* handler;
        const char* expected;
    } achievements[] = {{"ach.one", "Steamworks", "ACH_ONE"},
                        {"ach.one", "Recorder", "REC_ONE"},
                        {"ach.elsewhere", "Steamworks", NULL},
                        {"ach.unknown", "Steamworks", NULL}};
    for (const auto& c : achievements)
    {
        const char* found = online->getAchievementID(c.id, c.handler);
        EXPECT_STREQ(c.expected, found) << c.id << " " << c.handler;
    }
    EXPECT_STREQ("STORY_MODE", online->getLeaderboardID("story-mode", "Steamworks"));
    EXPECT_EQ(nullptr, online->getLeaderboardID("story-mode", "GooglePlayServices"));

    // Without the files every look-up answers nothing.
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::makeTempDir("empty-resources").c_str());
    vorntest::LogCapture log;
    OnlineManager* bare = OnlineManager::create();
    ASSERT_NE(nullptr, bare);
    EXPECT_TRUE(log.contains("OnlineManager::init - unable to read achievements.plist"));
    EXPECT_EQ(nullptr, bare->getAchievementID("ach.one", "Steamworks"));
    EXPECT_EQ(nullptr, bare->getLeaderboardID("story-mode", "Steamworks"));
}

TEST_F(OnlineManagerTest, QuitShutsHandlersDownAndDestructionLeavesEverySignal)
{
    {
        CCScopedAutoreleasePool inner;
        makeManager();
        gameManager->getGameReadySignal().emit();
        ASSERT_EQ(1u, gameManager->getGameReadySignal().count());
        ASSERT_EQ(1u, system->getQuitSignal().count());

        system->getQuitSignal().emit();
        EXPECT_FALSE(online->isConnected());
        EXPECT_EQ((std::vector<std::string>{"connected Recorder", "disconnected Recorder"}), signals.events);

        recorder->retain();  // held elsewhere, it outlives its manager
        gameManager->setOnlineManager(NULL);
        online->release();
    }
    EXPECT_EQ(0u, gameManager->getGameReadySignal().count());
    EXPECT_EQ(0u, system->getQuitSignal().count());
    EXPECT_EQ(nullptr, recorder->getOnlineManager());
    recorder->shutdown();  // no manager left to call back into
    recorder->release();
}
