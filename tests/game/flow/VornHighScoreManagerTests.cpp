#include "FlowTestSupport.h"
#include "LevelManager.h"
#include "VornHighScoreManager.h"

#include <gtest/gtest.h>

#include <vector>

USING_NS_CC;
using flowtest::GameTest;

namespace
{
// Stands in for the player: a score and a knock-out signal.
struct FakePlayer
{
    Signal<FakePlayer*> diedSignal;
    int score = 0;
    void die() { diedSignal.emit(this); }
};

// The game's manager as it will be joined to the player once there is one.
class PlayerHighScores : public VornHighScoreManager
{
public:
    explicit PlayerHighScores(FakePlayer* player) : m_player(player) {}
    ~PlayerHighScores() override { m_player->diedSignal.disconnect(this, &PlayerHighScores::onDied); }

protected:
    void connectToPlayer() override { m_player->diedSignal.connect(this, &PlayerHighScores::onDied); }

private:
    void onDied(FakePlayer* player) { submitScore(player->score); }
    FakePlayer* m_player;
};

struct BestRecorder
{
    void onNewBest(HighScoreTable* table, HighScoreItem* best)
    {
        tables.push_back(table);
        scores.push_back(best ? best->getScore() : -1);
    }
    std::vector<HighScoreTable*> tables;
    std::vector<int> scores;
};
} // namespace

class VornHighScoreManagerTest : public GameTest
{
};

TEST_F(VornHighScoreManagerTest, TheGameInstallsItsManagerWithTheStoryTable)
{
    VornHighScoreManager* scores = m_game->getVornHighScoreManager();
    ASSERT_NE(nullptr, scores);
    EXPECT_EQ(scores, m_game->getHighScoreManager());
    HighScoreTable* story = scores->getTable("story-mode");
    ASSERT_NE(nullptr, story);
    EXPECT_EQ("Story Mode", story->getName());
}

TEST_F(VornHighScoreManagerTest, AKnockOutEntersTheScoreInTheLevelsTableAndAnnouncesANewBest)
{
    FakePlayer player;
    PlayerHighScores* scores = new PlayerHighScores(&player);
    ASSERT_TRUE(scores->init());
    HighScoreManager* installed = m_game->getHighScoreManager();
    m_game->setHighScoreManager(scores);
    LevelManager* levels = LevelManager::create();
    ASSERT_NE(nullptr, levels);
    scores->resetAllScores();  // the saved bests of earlier runs
    HighScoreTable* street = scores->getTable("level-1-street");
    ASSERT_NE(nullptr, street);
    BestRecorder recorder;
    scores->getNewHighScoreSignal().connect(&recorder, &BestRecorder::onNewBest);

    m_game->setLevelBeingPlayed("level-1-street");
    player.score = 500;
    player.die();
    player.score = 300;  // below the best: joins the table quietly
    player.die();
    player.score = 900;
    player.die();
    ASSERT_EQ(3u, street->getItems()->count());
    EXPECT_EQ((std::vector<int>{500, 900}), recorder.scores);
    EXPECT_EQ(street, recorder.tables[0]);
    EXPECT_EQ(VornHighScoreManager::kPlayerName,
              static_cast<HighScoreItem*>(street->getItems()->objectAtIndex(0))->getName());
    EXPECT_EQ(900, CCUserDefault::sharedUserDefault()->getIntegerForKey("level-1-street", 0));

    // A level without a table of its own (an arena, or between levels) records nothing.
    for (const char* name : {"arena-rooftop", ""})
    {
        m_game->setLevelBeingPlayed(name);
        player.die();
    }
    EXPECT_EQ(2u, recorder.scores.size());
    EXPECT_EQ(0u, scores->getTable("story-mode")->getItems()->count());
    EXPECT_EQ(0u, scores->getTable("level-2-docks")->getItems()->count());

    m_game->setHighScoreManager(installed);
    scores->release();
}
