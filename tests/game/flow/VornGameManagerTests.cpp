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
