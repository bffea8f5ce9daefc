#include "ManagerTestSupport.h"
#include "RestartManager.h"

USING_NS_CC;

namespace
{
// An owner of one value of every kind, read and written through its accessors.
class Owner
{
public:
    bool getFlag() { return flag; }
    void setFlag(bool value) { flag = value; }
    float getScale() const { return scale; }
    void setScale(float value) { scale = value; }
    int getScore() { return score; }
    void setScore(int value) { score = value; }
    std::string getLevel() { return level; }
    void setLevel(const char* value) { level = value; }
    CCPoint getPos() { return pos; }
    void setPos(const CCPoint& value) { pos = value; }

    void registerWith(RestartManager* manager)
    {
        manager->addDelegate(RestartDelegate<bool>::create("botManagerPaused", this, &Owner::getFlag, &Owner::setFlag));
        manager->addDelegate(RestartDelegate<float>::create("cameraShakeScale", this, &Owner::getScale, &Owner::setScale));
        manager->addDelegate(RestartDelegate<int>::create("playerScore", this, &Owner::getScore, &Owner::setScore));
        manager->addDelegate(
            RestartDelegate<std::string>::create("levelScript", this, &Owner::getLevel, &Owner::setLevel));
        manager->addDelegate(RestartDelegate<CCPoint>::create("playerPos", this, &Owner::getPos, &Owner::setPos));
    }

    bool flag = false;
    float scale = 0.0f;
    int score = 0;
    std::string level;
    CCPoint pos;
};

class RestartTest : public SavedSettingsTest
{
};
}

TEST_F(RestartTest, SaveThenLoadWithAFreshManagerAndStore)
{
    Owner owner;
    RestartManager* manager = RestartManager::create();
    EXPECT_FALSE(manager->getHasCheckpoint());
    owner.registerWith(manager);

    owner.score = 10;
    manager->storeAll();
    owner = Owner{true, 1.5f, 1234, "level-1-street", CCPoint(12.5f, 40.0f)};
    vorntest::LogCapture log;
    manager->saveAll();  // saves the current values, not the earlier snapshot
    const std::vector<std::string> expectedSave = {
        "Restart - Save botManagerPaused: true", "Restart - Save cameraShakeScale: 1.50",
        "Restart - Save playerScore: 1234",      "Restart - Save levelScript: level-1-street",
        "Restart - Save playerPos: 12.50,40.00",
    };
    EXPECT_EQ(expectedSave, log.lines());
    EXPECT_TRUE(manager->getHasCheckpoint());

    // The purge wrote everything: a fresh store object reads it back from the file.
    CCUserDefault::purgeSharedUserDefault();
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    EXPECT_FLOAT_EQ(12.5f, store->getFloatForKey("playerPos_X"));
    EXPECT_FLOAT_EQ(40.0f, store->getFloatForKey("playerPos_Y"));
    EXPECT_TRUE(store->getBoolForKey("hasCheckpoint"));
    CCUserDefault::purgeSharedUserDefault();

    Owner restored;
    RestartManager* fresh = RestartManager::create();
    EXPECT_TRUE(fresh->getHasCheckpoint());
    restored.registerWith(fresh);
    log.clear();
    fresh->loadAll();
    EXPECT_TRUE(restored.flag);
    EXPECT_FLOAT_EQ(1.5f, restored.scale);
    EXPECT_EQ(1234, restored.score);
    EXPECT_EQ("level-1-street", restored.level);
    EXPECT_EQ(CCPoint(12.5f, 40.0f), restored.pos);
    ASSERT_EQ(10u, log.lines().size());
    EXPECT_EQ("Restart - Load playerPos: 12.50,40.00", log.lines()[8]);
    EXPECT_EQ("Restart - load value for playerPos", log.lines()[9]);

    // Without a checkpoint nothing is loaded, so an old store can't overwrite the game.
    fresh->setHasCheckpoint(false);
    restored.score = 7;
    fresh->loadAll();
    EXPECT_EQ(7, restored.score);
    RestartManager* afterReset = RestartManager::create();
    EXPECT_FALSE(afterReset->getHasCheckpoint());
}

TEST_F(RestartTest, RestoreWritesTheSnapshotAndRemovalTakesTheFirstOfAKey)
{
    Owner first;
    Owner second;
    RestartManager* manager = RestartManager::create();
    manager->addDelegate(RestartDelegate<int>::create("playerScore", &first, &Owner::getScore, &Owner::setScore));
    manager->addDelegate(RestartDelegate<int>::create("playerScore", &second, &Owner::getScore, &Owner::setScore));
    first.score = 1;
    second.score = 2;
    manager->storeAll();
    first.score = second.score = 99;
    manager->restoreAll();
    EXPECT_EQ(1, first.score);
    EXPECT_EQ(2, second.score);

    EXPECT_TRUE(manager->removeDelegateWithKey("playerScore"));
    first.score = second.score = 99;
    manager->restoreAll();
    EXPECT_EQ(99, first.score);
    EXPECT_EQ(2, second.score);
    EXPECT_TRUE(manager->removeDelegateWithKey("playerScore"));
    EXPECT_FALSE(manager->removeDelegateWithKey("playerScore"));
}

// A full disk at a checkpoint: nothing the game holds is dropped for the older file, and the
// next save writes the checkpoint.
TEST_F(RestartTest, AFailedSaveKeepsTheCheckpointAndTheNextSaveWritesIt)
{
    Owner owner;
    RestartManager* manager = RestartManager::create();
    owner.registerWith(manager);
    owner.level = "level-1-street";
    manager->saveAll();
    manager->setHasCheckpoint(false);  // as a finished story leaves it

    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_DiskFull);
    owner.level = "level-2-docks";
    owner.score = 77;
    manager->saveAll();
    EXPECT_TRUE(manager->getHasCheckpoint());
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    EXPECT_EQ("level-2-docks", store->getStringForKey("levelScript"));
    EXPECT_EQ(77, store->getIntegerForKey("playerScore"));
    EXPECT_TRUE(store->getBoolForKey("hasCheckpoint"));

    CCFileUtils::setWriteFaultForTesting(CCFileUtils::kWriteFault_None);
    owner.score = 78;
    manager->saveAll();
    CCUserDefault::purgeSharedUserDefault();
    store = CCUserDefault::sharedUserDefault();
    EXPECT_EQ("level-2-docks", store->getStringForKey("levelScript"));
    EXPECT_EQ(78, store->getIntegerForKey("playerScore"));
    EXPECT_TRUE(store->getBoolForKey("hasCheckpoint"));
    EXPECT_TRUE(RestartManager::create()->getHasCheckpoint());
}
