#include "FlowTestSupport.h"
#include "HighScoreManager.h"
#include "LevelManager.h"
#include "RestartManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

USING_NS_CC;
using flowtest::GameTest;

namespace
{
class LevelRecorder
{
public:
    void onLevelChanged(const char* name) { names.push_back(name); }
    std::vector<std::string> names;
};

CCDictionary* level(const char* name)
{
    CCDictionary* d = CCDictionary::create();
    d->setObject(CCString::create(name), "LevelName");
    return d;
}

const char* kLevelsHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<array>\n";
const char* kLevelsTail = "</array>\n</plist>\n";
} // namespace

class LevelManagerTest : public GameTest
{
};

TEST_F(LevelManagerTest, TheStoryRunsInListOrderWithItsTextsMusicAndTables)
{
    LevelManager* levels = LevelManager::create();
    ASSERT_NE(nullptr, levels);
    ASSERT_EQ(5u, levels->getLevels()->count());
    EXPECT_EQ(-1, levels->getStageIndex());
    EXPECT_STREQ("", levels->getMusicTrackName());
    EXPECT_EQ("", levels->getLocationName());
    EXPECT_NE(nullptr, m_game->getRestartManager()->getDelegateWithKey(LevelManager::kRestartKey));
    HighScoreTable* street = m_game->getHighScoreManager()->getTable("level-1-street");
    ASSERT_NE(nullptr, street);
    EXPECT_EQ("LOC_STREET", street->getName());
    EXPECT_NE(nullptr, m_game->getHighScoreManager()->getTable("level-2-docks"));

    LevelRecorder recorder;
    levels->getLevelChangedSignal().connect(&recorder, &LevelRecorder::onLevelChanged);
    levels->newGame();
    EXPECT_EQ(0, levels->getStageIndex());
    EXPECT_EQ("level-1-street", levels->getLevelName());
    EXPECT_EQ("Old Town Street", levels->getLocationName());
    EXPECT_EQ("Dusk", levels->getTimePeriod());
    EXPECT_STREQ("Street", levels->getMusicTrackName());
    EXPECT_FALSE(levels->isLastLevel());

    EXPECT_TRUE(levels->nextLevel());
    EXPECT_EQ("Harbour Docks", levels->getLocationName());
    EXPECT_EQ("Night", levels->getTimePeriod());
    EXPECT_STREQ("Docks", levels->getMusicTrackName());
    EXPECT_FALSE(levels->isLastLevel());
    // Every stage has its own track; the last one is the tower, where the story ends.
    EXPECT_TRUE(levels->nextLevel());
    EXPECT_STREQ("Market", levels->getMusicTrackName());
    EXPECT_TRUE(levels->nextLevel());
    EXPECT_STREQ("Yard", levels->getMusicTrackName());
    EXPECT_TRUE(levels->nextLevel());
    EXPECT_EQ("Harbour Tower", levels->getLocationName());
    EXPECT_EQ("Dawn", levels->getTimePeriod());
    EXPECT_STREQ("Boss", levels->getMusicTrackName());
    EXPECT_TRUE(levels->isLastLevel());
    EXPECT_FALSE(levels->nextLevel());
    EXPECT_EQ((std::vector<std::string>{"level-1-street", "level-2-docks", "level-3-market", "level-4-yard",
                                        "level-5-tower"}),
              recorder.names);

    vorntest::LogCapture log;
    levels->setLevelIndex(5);
    levels->setLevelIndex(-1);
    EXPECT_TRUE(log.contains("no level 5"));
    EXPECT_EQ(4, levels->getLevelIndex());
    EXPECT_EQ(5u, recorder.names.size());
    levels->getLevelChangedSignal().disconnect(&recorder, &LevelRecorder::onLevelChanged);
}

TEST_F(LevelManagerTest, TheFirstBootStepMakesTheListAndDroppingItForgetsItsCheckpointValue)
{
    EXPECT_EQ(nullptr, m_game->getLevelManager());
    {
        CCScopedAutoreleasePool inner;
        m_game->initMain1();
    }
    ASSERT_NE(nullptr, m_game->getLevelManager());
    EXPECT_EQ(5u, m_game->getLevelManager()->getLevels()->count());
    RestartManager* restart = m_game->getRestartManager();
    EXPECT_NE(nullptr, restart->getDelegateWithKey(LevelManager::kRestartKey));
    m_game->setLevelManager(nullptr);
    EXPECT_EQ(nullptr, restart->getDelegateWithKey(LevelManager::kRestartKey));
    m_game->tick(0.01f);  // nothing left subscribed to the frame
}

TEST_F(LevelManagerTest, ARestoredNameIsCurrentQuietlyAndTheIndexCheckKeepsIt)
{
    LevelManager* levels = LevelManager::create();
    ASSERT_NE(nullptr, levels);
    LevelRecorder recorder;
    levels->getLevelChangedSignal().connect(&recorder, &LevelRecorder::onLevelChanged);

    // Nothing chosen by index yet: the restored level stays, without a signal.
    levels->setLevelName("level-2-docks");
    m_game->tick(0.01f);
    EXPECT_EQ(1, levels->getStageIndex());
    EXPECT_TRUE(recorder.names.empty());

    // A checkpoint of an earlier level restored while a later one was chosen: the earlier one stays.
    levels->setLevelIndex(1);
    levels->setLevelName("level-1-street");
    m_game->tick(0.01f);
    m_game->tick(0.01f);
    EXPECT_EQ(0, levels->getStageIndex());
    EXPECT_EQ((std::vector<std::string>{"level-2-docks"}), recorder.names);
    recorder.names.clear();

    // An unknown name leaves no current level; the check brings the indexed one back.
    levels->setLevelName("nowhere");
    EXPECT_EQ(nullptr, levels->getCurrentLevel());
    EXPECT_EQ("nowhere", levels->getLevelName());
    m_game->tick(0.01f);
    EXPECT_EQ("level-1-street", levels->getLevelName());
    levels->getLevelChangedSignal().disconnect(&recorder, &LevelRecorder::onLevelChanged);

    // Same name twice: the first wins. No levels at all: always the last.
    CCArray* twins = CCArray::create();
    twins->addObject(level("a"));
    twins->addObject(level("a"));
    levels->setLevels(twins);
    levels->setLevelName("a");
    EXPECT_EQ(0, levels->getStageIndex());
    levels->setLevels(CCArray::create());
    levels->setLevelName("a");
    EXPECT_TRUE(levels->isLastLevel());
}

TEST(LevelManagerFiles, AMissingListFailsAndArenaOrNamelessLevelsAreLeftOut)
{
    CCScopedAutoreleasePool pool;
    const std::string dir = vorntest::makeTempDir("levels");
    CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());
    vorntest::LogCapture log;
    EXPECT_EQ(nullptr, LevelManager::create());
    EXPECT_TRUE(log.contains("Error: Unable to initialise LevelManager"));

    vorntest::writeFile(dir + "/levels.plist",
                        std::string(kLevelsHead) +
                            "<dict><key>LevelName</key><string>level-arena-roof</string></dict>\n"
                            "<dict><key>LocationName</key><string>LOC_X</string></dict>\n"
                            "<string>not a level</string>\n"
                            "<dict><key>LevelName</key><string>level-1</string>"
                            "<key>Music</key><string>Street</string></dict>\n" +
                            kLevelsTail);
    log.clear();
    LevelManager* levels = LevelManager::create();
    ASSERT_NE(nullptr, levels);
    ASSERT_EQ(1u, levels->getLevels()->count());
    EXPECT_TRUE(log.contains("level-arena-roof"));
    EXPECT_TRUE(log.contains("has no LevelName"));
    levels->newGame();
    EXPECT_EQ("level-1", levels->getLevelName());
    EXPECT_STREQ("Street", levels->getMusicTrackName());
}
