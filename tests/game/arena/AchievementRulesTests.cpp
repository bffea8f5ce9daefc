#include "ArenaTestSupport.h"
#include "LocaleManager.h"
#include "TextHelpers.h"
#include "VornAchievementsManager.h"
#include "VornGameTypes.h"

#include <map>
#include <string>

USING_NS_CC;

namespace
{
/** The rules with their pop-ups counted by title. */
class CountingAchievements : public VornAchievementsManager
{
public:
    std::map<std::string, int> popups;
    std::string lastDescription;

protected:
    void queuePopup(const char* title, const char* description) override
    {
        ++popups[title];
        lastDescription = description;
    }
};

class AchievementRules : public ArenaTest
{
protected:
    void SetUp() override
    {
        ArenaTest::SetUp();
        rules = new CountingAchievements();
        ASSERT_TRUE(rules->initWithFile("achievements.plist"));
    }
    void TearDown() override
    {
        CC_SAFE_RELEASE_NULL(rules);
        ArenaTest::TearDown();
    }

    float progress(const char* id)
    {
        AchievementInfo* info = rules->getAchievement(id);
        return info ? info->getProgress() : -1.0f;
    }
    /** The pop-up title of an achievement is its locale text. */
    int popupsOf(const char* id) { return rules->popups[LocaleManager::sharedLocaleManager()->localize(id)]; }

    CountingAchievements* rules = nullptr;
};
} // namespace

TEST_F(AchievementRules, TakeOutTiersCompleteOnTheirStepCountInSinglePrecision)
{
    const struct
    {
        const char* id;
        float step;
        int kills;
    } tiers[] = { { "achievement.grandor.take_out_enemies_tier1", 0.01f, 100 },
                  { "achievement.grandor.take_out_enemies_tier2", 0.001f, 1000 },
                  { "achievement.grandor.take_out_enemies_tier3", 0.0002f, 5000 },
                  { "achievement.grandor.take_out_enemies_tier4", 0.0001f, 10000 } };
    for (const auto& tier : tiers)
    {
        SCOPED_TRACE(tier.id);
        rules->resetAllAchievements();
        rules->popups.clear();
        // The progress of all kills but the last two, as the rules count it.
        rules->setAchievementProgress(tier.id, (tier.kills - 2) * tier.step);
        rules->onEnemyKilled(m_enemy);
        EXPECT_LT(progress(tier.id), 1.0f) << "complete one kill early";
        rules->onEnemyKilled(m_enemy);
        EXPECT_TRUE(rules->isAchievementUnlocked(tier.id)) << "not complete at kill " << tier.kills;
        EXPECT_EQ(1, popupsOf(tier.id));
        rules->onEnemyKilled(m_enemy);
        EXPECT_EQ(1, popupsOf(tier.id));
        // The player is told the count the rule asks for, before and after.
        LocaleManager* locale = LocaleManager::sharedLocaleManager();
        const std::string count = formatNumberWithCommas(tier.kills);
        for (const char* prefix : { "pre_", "post_" })
        {
            const std::string text = locale->localize((std::string(prefix) + tier.id).c_str());
            EXPECT_NE(std::string::npos, text.find(" " + count + " enemies")) << text;
        }
    }
}

// Each arena tier completes on the game or the time its rule asks for, and its texts, before and
// after, tell the player that count.
TEST_F(AchievementRules, ArenaTiersCompleteOnTheCountTheirTextsName)
{
    const struct
    {
        const char* id;
        int games;        ///< games of 10 s that complete it, or
        float seconds;    ///< the time of one game that completes it
        const char* told; ///< what its texts say it takes
    } tiers[] = {
        { "achievement.grandor.arena_num_games_tier_1", 25, 0.0f, " 25 arena games" },
        { "achievement.grandor.arena_num_games_tier_2", 50, 0.0f, " 50 arena games" },
        { "achievement.grandor.arena_num_games_tier_3", 100, 0.0f, " 100 arena games" },
        { "achievement.grandor.arena_num_games_tier_4", 250, 0.0f, " 250 arena games" },
        { "achievement.grandor.arena_num_games_tier_5", 500, 0.0f, " 500 arena games" },
        { "achievement.grandor.arena_time_tier_1", 0, 60.0f, " a minute in one arena game" },
        { "achievement.grandor.arena_time_tier_2", 0, 120.0f, " 2 minutes in one arena game" },
        { "achievement.grandor.arena_time_tier_3", 0, 180.0f, " 3 minutes in one arena game" },
        { "achievement.grandor.arena_time_tier_4", 0, 240.0f, " 4 minutes in one arena game" },
        { "achievement.grandor.arena_time_tier_5", 0, 300.0f, " 5 minutes in one arena game" },
    };
    for (const auto& tier : tiers)
    {
        SCOPED_TRACE(tier.id);
        rules->resetAllAchievements();
        if (tier.games > 0)
        {
            for (int game = 1; game < tier.games; ++game)
            {
                rules->onArenaEnded(10.0f);
            }
        }
        else
        {
            rules->onArenaEnded(tier.seconds - 1.0f);
        }
        EXPECT_FALSE(rules->isAchievementUnlocked(tier.id)) << "complete one game or second early";
        rules->onArenaEnded(tier.games > 0 ? 10.0f : tier.seconds);
        EXPECT_TRUE(rules->isAchievementUnlocked(tier.id));
        LocaleManager* locale = LocaleManager::sharedLocaleManager();
        for (const char* prefix : { "pre_", "post_" })
        {
            const std::string text = locale->localize((std::string(prefix) + tier.id).c_str());
            EXPECT_NE(std::string::npos, text.find(tier.told)) << text;
        }
    }
}

TEST_F(AchievementRules, TheFirstHundredKillsCompleteTierOneOnceAndThePlayerCountsNothing)
{
    for (int i = 0; i < 99; ++i)
    {
        rules->onEnemyKilled(m_enemy);
    }
    rules->onEnemyKilled(m_player);
    EXPECT_FALSE(rules->isAchievementUnlocked("achievement.grandor.take_out_enemies_tier1"));
    rules->onEnemyKilled(m_enemy);
    EXPECT_TRUE(rules->isAchievementUnlocked("achievement.grandor.take_out_enemies_tier1"));
    EXPECT_EQ(1, popupsOf("achievement.grandor.take_out_enemies_tier1"));
    EXPECT_EQ(std::string(LocaleManager::sharedLocaleManager()->localize(
                  "post_achievement.grandor.take_out_enemies_tier1")),
              rules->lastDescription);
    EXPECT_FLOAT_EQ(0.1f, progress("achievement.grandor.take_out_enemies_tier2"));
}

TEST_F(AchievementRules, ContinuesCountAcrossGamesAndTenComplete)
{
    const char* id = "achievement.grandor.use_lots_of_continues";
    for (int i = 0; i < 3; ++i)
    {
        rules->onContinueUsed();
    }
    rules->onContinuesReset();
    EXPECT_NEAR(0.3f, progress(id), 1e-6f);
    for (int i = 3; i < 9; ++i)
    {
        rules->onContinueUsed();
    }
    EXPECT_FALSE(rules->isAchievementUnlocked(id));
    rules->onContinueUsed();
    EXPECT_TRUE(rules->isAchievementUnlocked(id));
    EXPECT_EQ(1, popupsOf(id));

    // The game's own rules follow its story continues and ignore arena ones.
    VornAchievementsManager* game = m_game->getAchievementsManager();
    m_game->setGameMode(kVornGameMode_Story);
    m_game->onContinue();
    EXPECT_NEAR(0.1f, game->getAchievement(id)->getProgress(), 1e-6f);
    m_game->setGameMode(kVornGameMode_Arena);
    m_game->onContinue();
    EXPECT_NEAR(0.1f, game->getAchievement(id)->getProgress(), 1e-6f);
}

TEST_F(AchievementRules, StoryLevelPauseAndArenaAchievements)
{
    VornAchievementsManager* game = m_game->getAchievementsManager();
    const char* completed[] = { "achievement.grandor.completed_game_1", "achievement.grandor.completed_game_2",
                                "achievement.grandor.completed_game_3" };
    for (int difficulty = kDifficulty_Easy; difficulty <= kDifficulty_Hard; ++difficulty)
    {
        SCOPED_TRACE(difficulty);
        game->resetAllAchievements();
        m_game->setStoryDifficultyLevel(difficulty);
        m_game->setNumStoryModeContinues(difficulty == kDifficulty_Hard ? 1 : 0);
        m_game->onStoryModeCompleted();
        for (int other = kDifficulty_Easy; other <= kDifficulty_Hard; ++other)
        {
            EXPECT_EQ(other == difficulty, game->isAchievementUnlocked(completed[other])) << completed[other];
        }
        EXPECT_EQ(difficulty != kDifficulty_Hard, game->isAchievementUnlocked("achievement.grandor.completed_no_continue"));
    }

    m_game->resumeFromPause();
    EXPECT_TRUE(game->isAchievementUnlocked("achievement.grandor.pause_master"));

    rules->onLevelCompleted(2);
    EXPECT_TRUE(rules->isAchievementUnlocked("achievement.grandor.completed_level_2"));
    EXPECT_FALSE(rules->isAchievementUnlocked("achievement.grandor.completed_level_1"));

    rules->onArenaEnded(130.0f);
    EXPECT_TRUE(rules->isAchievementUnlocked("achievement.grandor.arena_time_tier_1"));
    EXPECT_TRUE(rules->isAchievementUnlocked("achievement.grandor.arena_time_tier_2"));
    EXPECT_FALSE(rules->isAchievementUnlocked("achievement.grandor.arena_time_tier_3"));
    EXPECT_FLOAT_EQ(0.04f, progress("achievement.grandor.arena_num_games_tier_1"));
    EXPECT_FLOAT_EQ(0.002f, progress("achievement.grandor.arena_num_games_tier_5"));
    // 50 games at 0.02 each: the 50th completes although the float sum falls short of 1.0.
    for (int i = 1; i < 50; ++i)
    {
        rules->onArenaEnded(10.0f);
    }
    EXPECT_TRUE(rules->isAchievementUnlocked("achievement.grandor.arena_num_games_tier_2"));
    EXPECT_FALSE(rules->isAchievementUnlocked("achievement.grandor.arena_num_games_tier_3"));
}
