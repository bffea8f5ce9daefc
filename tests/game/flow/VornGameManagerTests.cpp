#include "SFXManager.h"
#include "VornGameManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
class Recorder
{
public:
    void onUpdate(float dt) { updates.push_back(dt); }
    std::vector<float> updates;
};
} // namespace

TEST(VornGameManager, StartsPausedAndCapsTheFrameTime)
{
    CCScopedAutoreleasePool pool;
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    VornGameManager* manager = new VornGameManager();
    ASSERT_TRUE(manager->initVornGameManager());
    EXPECT_TRUE(manager->isPaused());
    EXPECT_EQ(manager, VornGameManager::getSharedVornGameManager());
    ASSERT_NE(nullptr, manager->getSFXManager());
    EXPECT_EQ(manager->getSFXManager(), SFXManager::sharedSFXManager());

    // Past the boot (its own tests play the splash through): every frame runs the full tick.
    manager->setBootState(3);
    Recorder recorder;
    manager->getUpdateSignal().connect(&recorder, &Recorder::onUpdate);
    manager->tick(0.5f);
    manager->tick(0.01f);
    ASSERT_EQ(2u, recorder.updates.size());
    EXPECT_FLOAT_EQ(1.0f / 15.0f, recorder.updates[0]);
    EXPECT_FLOAT_EQ(0.01f, recorder.updates[1]);
    manager->cleanup();
    manager->release();
    CCDirector::purgeSharedDirector();
}

// Without a character table every fighter would play with no health: the world is not built,
// and the error names the file.
TEST(VornGameManager, AMissingCharacterTableStopsTheWorldBuildByName)
{
    for (const char* table : {"character-setup-player.csv", "character-setup-enemy.csv"})
    {
        SCOPED_TRACE(table);
        CCScopedAutoreleasePool pool;
        // The game's resources, all but the one table.
        const std::string dir = vorntest::makeTempDir("no-table");
        const std::string command = "for f in '" + vorntest::sourcePath("Resources") + "'/*; do ln -s \"$f\" '" +
                                    dir + "'/; done; rm '" + dir + "/" + table + "'";
        ASSERT_EQ(0, system(command.c_str()));
        CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());
        VornGameManager* manager = new VornGameManager();
        ASSERT_TRUE(manager->initVornGameManager());
        vorntest::LogCapture log;
        EXPECT_FALSE(manager->initMain1());
        EXPECT_TRUE(log.contains(std::string("ERROR: The character table \"") + table + "\" is missing"));
        manager->cleanup();
        manager->release();
        CCDirector::purgeSharedDirector();
    }
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
}

// A table the game can read only in part names the file and the line; one that leaves a fighter
// without health stops the world build with that reason, as a missing table does.
TEST(VornGameManager, ACharacterTableItCannotUseWholeIsNamedByLineAndNoHealthStopsTheWorldBuild)
{
    const std::string header = "name,MinHealth,MaxHealth,MinSpeed,MaxSpeed,MinPower,MaxPower,MinSpecial,MaxSpecial,"
                               "XPKillPoints,XPLevelBase,XPLevelBump\n";
    const std::string kira = "kira,180,460,22,32,8,26,24,56,10,100,1.5\n";
    const struct
    {
        const char* table;
        std::string text;
        const char* logged;
        bool starts;
    } cases[] = {
        { "character-setup-player.csv", header + kira + "jors,lots,500,18,28,10,30,20,50,10,100,1.5\n",
          "\"character-setup-player.csv\", line 3: \"lots\" under MinHealth is not a number", false },
        { "character-setup-player.csv", header + "jors,200,500,18\n" + kira,
          "\"character-setup-player.csv\", line 2: the row ends before its MaxSpeed", true },
        { "character-setup-player.csv", header + "jors,,,18,28,10,30,20,50,10,100,1.5\n" + kira,
          "\"character-setup-player.csv\", line 2: the row ends before its MinHealth", false },
        { "character-setup-enemy.csv", header + kira + "street-thug,240,#,15,24,12,32,18,45,10,100,1.5\n",
          "\"character-setup-enemy.csv\", line 3: \"#\" under MaxHealth is not a number", false },
        { "character-setup-enemy.csv", header + "street-thug,240,520,15,quick,12,32,18,45,10,100,1.5\n",
          "\"character-setup-enemy.csv\", line 2: \"quick\" under MaxSpeed is not a number", true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        CCScopedAutoreleasePool pool;
        // The game's resources, the one table written for the case.
        const std::string dir = vorntest::makeTempDir("broken-table");
        const std::string command = "for f in '" + vorntest::sourcePath("Resources") + "'/*; do ln -s \"$f\" '" +
                                    dir + "'/; done; rm '" + dir + "/" + c.table + "'";
        ASSERT_EQ(0, system(command.c_str()));
        vorntest::writeFile(dir + "/" + c.table, c.text);
        CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());
        VornGameManager* manager = new VornGameManager();
        ASSERT_TRUE(manager->initVornGameManager());
        vorntest::LogCapture log;
        const bool started = manager->initMain1();
        EXPECT_TRUE(log.contains(std::string("ERROR: The character table ") + c.logged));
        if (!c.starts)
        {
            EXPECT_FALSE(started);
            EXPECT_TRUE(log.contains(std::string("ERROR: The game cannot start: the character table \"") + c.table +
                                     "\" gives "));
        }
        else
        {
            EXPECT_FALSE(log.contains("ERROR: The game cannot start"));
        }
        manager->cleanup();
        manager->release();
        CCDirector::purgeSharedDirector();
    }
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
}

// An empty level script runs without an error, and the level would play with nothing in it.
TEST(VornGameManager, AnEmptyLevelScriptIsAnErrorNamingIt)
{
    CCScopedAutoreleasePool pool;
    const std::string dir = vorntest::makeTempDir("empty-level");
    const std::string command =
        "for f in '" + vorntest::sourcePath("Resources") + "'/*; do ln -s \"$f\" '" + dir + "'/; done";
    ASSERT_EQ(0, system(command.c_str()));
    vorntest::writeFile(dir + "/level-empty.lua", "");
    vorntest::writeFile(dir + "/level-blank.lua", "\n   \n\t\n");
    CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());
    VornGameManager* manager = new VornGameManager();
    ASSERT_TRUE(manager->initVornGameManager());
    ASSERT_TRUE(manager->initMain1());
    const struct
    {
        const char* level;
        bool empty;
    } cases[] = { { "level-empty", true }, { "level-blank", true }, { "level-1-street", false } };
    for (const auto& c : cases)
    {
        vorntest::LogCapture log;
        manager->loadLevelScript(c.level, false);
        EXPECT_EQ(c.empty, log.contains(std::string("ERROR: The level script ") + c.level + ".lua is empty")) << c.level;
    }
    manager->cleanup();
    manager->release();
    CCDirector::purgeSharedDirector();
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
}
