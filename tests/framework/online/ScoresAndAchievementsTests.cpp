#include "AchievementsManager.h"
#include "CCBackgroundWriter.h"
#include "CCUserDefaultDocument.h"
#include "HighScoreManager.h"
#include "OnlineManager.h"
#include "OnlineTestSupport.h"

#include <cstdlib>
#include <string>
#include <vector>

USING_NS_CC;

namespace
{
typedef OnlineTest HighScoreTest;
typedef OnlineTest AchievementsTest;

CCUserDefault* store()
{
    return CCUserDefault::sharedUserDefault();
}

// Drops the in-memory store so the next read comes from the file, as after a restart.
void restart()
{
    CCUserDefault::purgeSharedUserDefault();
}

std::vector<int> scoresOf(HighScoreTable* table)
{
    std::vector<int> scores;
    CCObject* object = NULL;
    CCARRAY_FOREACH(table->getItems(), object)
    {
        scores.push_back(static_cast<HighScoreItem*>(object)->getScore());
    }
    return scores;
}

AchievementsManager* makeAchievements(const char* fileName = "achievements.plist")
{
    AchievementsManager* manager = new AchievementsManager();
    manager->autorelease();
    return manager->initWithFile(fileName) ? manager : NULL;
}
} // namespace

TEST_F(HighScoreTest, OnlyANewBestIsSaved)
{
    HighScoreTable* table = HighScoreTable::create("Story", "story-mode");
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(0u, table->getItems()->count());

    const struct
    {
        int score;
        bool best;
        int saved;
    } steps[] = {{500, true, 500}, {300, false, 500}, {800, true, 800}, {800, false, 800}, {0, false, 800},
                 {-20, false, 800}};
    for (const auto& s : steps)
    {
        EXPECT_EQ(s.best, table->addScore("P", s.score)) << s.score;
        EXPECT_EQ(s.saved, store()->getIntegerForKey("story-mode")) << s.score;
    }
    EXPECT_EQ((std::vector<int>{800, 800, 500, 300, 0, -20}), scoresOf(table));
}

TEST_F(HighScoreTest, TablesKeepTwentyAndTheBestSurvivesARestart)
{
    HighScoreTable* table = HighScoreTable::create("Story", "story-mode");
    for (int i = 1; i <= 21; ++i)
    {
        table->addScore("P", i * 10);
    }
    std::vector<int> scores = scoresOf(table);
    ASSERT_EQ(20u, scores.size());
    EXPECT_EQ(210, scores.front());
    EXPECT_EQ(20, scores.back());  // the lowest, 10, went
    EXPECT_FALSE(table->addScore("P", 5));  // lower than all twenty: dropped at once
    EXPECT_EQ(20u, table->getItems()->count());
    EXPECT_EQ(20, scoresOf(table).back());

    restart();
    HighScoreTable* reloaded = HighScoreTable::create("Story", "story-mode");
    ASSERT_EQ(1u, reloaded->getItems()->count());
    HighScoreItem* best = static_cast<HighScoreItem*>(reloaded->getItems()->objectAtIndex(0));
    EXPECT_EQ("Jors Kell", best->getName());
    EXPECT_EQ(210, best->getScore());

    // A saved value below 1 is not brought back.
    store()->setIntegerForKey("negative", -5);
    EXPECT_EQ(0u, HighScoreTable::create("Neg", "negative")->getItems()->count());
}

TEST_F(HighScoreTest, ManagerFindsAndResetsTables)
{
    HighScoreManager* manager = new HighScoreManager();
    ASSERT_TRUE(manager->init());
    manager->getTables()->addObject(HighScoreTable::create("Story", "story-mode"));
    manager->getTables()->addObject(HighScoreTable::create("Arena", "arena-1"));
    manager->getTable("story-mode")->addScore("P", 1200);
    manager->getTable("arena-1")->addScore("P", 70);
    EXPECT_EQ(nullptr, manager->getTable("nope"));

    manager->resetAllScores();
    restart();
    for (const char* key : {"story-mode", "arena-1"})
    {
        EXPECT_EQ(0u, manager->getTable(key)->getItems()->count()) << key;
        EXPECT_EQ(0, store()->getIntegerForKey(key, -1)) << key;
    }
    manager->release();
}

TEST_F(AchievementsTest, ProgressOnlyRisesAndIsSaved)
{
    AchievementsManager* achievements = makeAchievements();
    ASSERT_NE(nullptr, achievements);
    EXPECT_EQ(achievements, AchievementsManager::sharedAchievementsManager());
    EXPECT_EQ(3u, achievements->getAchievements()->count());

    EXPECT_TRUE(achievements->setAchievementProgress("ach.one", 0.5f));
    EXPECT_FALSE(achievements->setAchievementProgress("ach.one", 0.3f));
    EXPECT_FALSE(achievements->setAchievementProgress("ach.one", 0.5f));
    EXPECT_FLOAT_EQ(0.5f, store()->getFloatForKey("ach.one"));
    EXPECT_FALSE(achievements->isAchievementUnlocked("ach.one"));

    EXPECT_TRUE(achievements->setAchievementProgress("ach.two", 1.5f));
    EXPECT_EQ(1.0f, store()->getFloatForKey("ach.two"));
    EXPECT_TRUE(achievements->isAchievementUnlocked("ach.two"));

    // Unknown ids change nothing and write nothing.
    EXPECT_FALSE(achievements->setAchievementProgress("ach.unknown", 1.0f));
    EXPECT_FALSE(achievements->addAchievementProgress("ach.unknown", 0.5f));
    EXPECT_FALSE(achievements->isAchievementUnlocked("ach.unknown"));
    EXPECT_EQ(-1.0f, store()->getFloatForKey("ach.unknown", -1.0f));

    // Progress survives a restart.
    restart();
    AchievementsManager* reloaded = makeAchievements();
    EXPECT_EQ(0.5f, reloaded->getAchievement("ach.one")->getProgress());
    EXPECT_TRUE(reloaded->isAchievementUnlocked("ach.two"));
    EXPECT_EQ(0.0f, reloaded->getAchievement("ach.elsewhere")->getProgress());

    reloaded->resetAllAchievements();
    restart();
    for (const char* id : {"ach.one", "ach.two", "ach.elsewhere"})
    {
        EXPECT_EQ(0.0f, store()->getFloatForKey(id, -1.0f)) << id;
        EXPECT_FALSE(reloaded->isAchievementUnlocked(id)) << id;
    }
}

TEST_F(AchievementsTest, AFailedSaveKeepsTheProgressUnsavedForTheNextSafePoint)
{
    AchievementsManager* achievements = makeAchievements();
    ASSERT_NE(nullptr, achievements);
    EXPECT_TRUE(achievements->saveProgress());  // nothing to write is no failure
    ASSERT_TRUE(achievements->setAchievementProgress("ach.one", 0.25f));

    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_DiskFull);
    vorntest::LogCapture log;
    EXPECT_FALSE(achievements->saveProgress());
    EXPECT_TRUE(log.contains("AchievementsManager::saveProgress - unable to save"));
    EXPECT_TRUE(achievements->hasUnsavedProgress());
    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_None);

    EXPECT_TRUE(achievements->saveProgress());
    EXPECT_FALSE(achievements->hasUnsavedProgress());
    restart();
    EXPECT_EQ(0.25f, store()->getFloatForKey("ach.one"));
}

// The player sees an unlock at once (pop-up, online services), so it goes to disk without waiting
// for a safe point, on the background writer's thread so the fight does not wait; a rise below it
// stays in the store until the next safe point.
TEST_F(AchievementsTest, AnUnlockGoesToDiskAtOnceInTheBackgroundARiseWaitsForASafePoint)
{
    AchievementsManager* achievements = makeAchievements();
    ASSERT_NE(nullptr, achievements);
    const struct
    {
        const char* id;
        float progress;
        bool added;
        bool onDiskAtOnce;
    } cases[] = {
        { "ach.one", 0.5f, false, false },
        { "ach.one", 0.49f, true, false },
        { "ach.one", 0.02f, true, true },
        { "ach.two", 1.5f, false, true },
        { "ach.elsewhere", 1.0f, false, true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.id) + (c.added ? " + " : " = ") + std::to_string(c.progress));
        const bool rose = c.added ? achievements->addAchievementProgress(c.id, c.progress)
                                  : achievements->setAchievementProgress(c.id, c.progress);
        ASSERT_TRUE(rose);
        CCBackgroundWriter* writer = CCBackgroundWriter::sharedBackgroundWriter();
        EXPECT_EQ(c.onDiskAtOnce ? 1 : 0, writer->getUnansweredCount());
        writer->finishAll();
        CCUserDefaultDocument::Values onDisk;
        const std::string text = vorntest::readFile(CCUserDefault::getXMLFilePath());
        CCUserDefaultDocument::read(text.data(), text.size(), onDisk);
        const float saved = onDisk.count(c.id) ? strtof(onDisk[c.id].c_str(), NULL) : 0.0f;
        if (c.onDiskAtOnce)
        {
            EXPECT_EQ(1.0f, saved);
            EXPECT_FALSE(achievements->hasUnsavedProgress());
        }
        else
        {
            EXPECT_LT(saved, achievements->getAchievement(c.id)->getProgress());
            EXPECT_TRUE(achievements->hasUnsavedProgress());
        }
    }
}

TEST_F(AchievementsTest, SinglePrecisionStepsCompleteOnTheExpectedCall)
{
    const struct
    {
        float delta;
        int call;
    } cases[] = {{0.01f, 101},  {0.001f, 1001}, {0.0002f, 5001}, {0.0001f, 10000}, {0.1f, 10},
                 {0.04f, 25},   {0.02f, 51},    {0.004f, 250},   {0.002f, 501}};
    for (const auto& c : cases)
    {
        float progress = 0.0f;
        int calls = 0;
        while (progress < 1.0f && calls < 20000)
        {
            ++calls;
            progress = AchievementsManager::addProgress(progress, c.delta);
        }
        EXPECT_EQ(c.call, calls) << c.delta;
        EXPECT_EQ(1.0f, progress) << c.delta;
    }

    // The manager counts the same way (each step is saved, so one short case).
    AchievementsManager* achievements = makeAchievements();
    int calls = 0;
    while (!achievements->isAchievementUnlocked("ach.one") && calls < 200)
    {
        ++calls;
        EXPECT_TRUE(achievements->addAchievementProgress("ach.one", 0.02f));
    }
    EXPECT_EQ(51, calls);
    EXPECT_FALSE(achievements->addAchievementProgress("ach.one", 0.02f));  // already complete
}

TEST_F(AchievementsTest, AMissingFileMeansNoAchievements)
{
    vorntest::LogCapture log;
    AchievementsManager* achievements = makeAchievements("no-such-achievements.plist");
    ASSERT_NE(nullptr, achievements);
    EXPECT_EQ(0u, achievements->getAchievements()->count());
    EXPECT_EQ(nullptr, achievements->getDefinitions());
    EXPECT_TRUE(log.contains("AchievementsManager::initWithFile - unable to read no-such-achievements.plist"));
    EXPECT_FALSE(achievements->setAchievementProgress("ach.one", 1.0f));
}
