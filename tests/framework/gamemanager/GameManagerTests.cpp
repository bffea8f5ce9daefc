#include "GameManager.h"
#include "VornTestSupport.h"

#include "AnalyticsManager.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
class GameManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        CCDirector::sharedDirector()->setWinSize(CCSize(1280, 720));
    }
    void TearDown() override
    {
        CCDirector::purgeSharedDirector();
    }
    CCScopedAutoreleasePool m_pool;
};

// Records what the two frame signals deliver.
class FrameRecorder
{
public:
    void onUpdate(float dt) { updates.push_back(dt); }
    void onGameUpdate(float dt) { gameUpdates.push_back(dt); }
    void onPaused(bool paused) { pausedValues.push_back(paused); }
    std::vector<float> updates;
    std::vector<float> gameUpdates;
    std::vector<bool> pausedValues;
};
} // namespace

TEST(GameManagerPlayArea, DesktopUnitsAndScales)
{
    struct Case { float w, h, areaW, areaH, scale; };
    const Case cases[] = {
        { 1920, 1080, 619.35486f, 348.3871f, 3.1764705f },
        { 1280, 720, 609.5238f, 342.85715f, 2.1176471f },
        { 1024, 768, 465.45453f, 349.0909f, 2.1333334f },
        { 1680, 1050, 560.0f, 350.0f, 3.0882354f },
    };
    for (const Case& c : cases)
    {
        CCSize area;
        float scale = 0.0f;
        GameManager::computePlayArea(CCSize(c.w, c.h), &area, &scale);
        EXPECT_NEAR(c.areaW, area.width, 0.01f) << c.w << "x" << c.h;
        EXPECT_NEAR(c.areaH, area.height, 0.01f) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(c.scale, scale) << c.w << "x" << c.h;
    }
}

TEST(GameManagerPlayArea, TooSmallWindowDoesNotDivideByZero)
{
    CCSize area;
    float scale = 0.0f;
    GameManager::computePlayArea(CCSize(30, 20), &area, &scale);
    EXPECT_TRUE(std::isfinite(area.width) && area.width > 0);
    EXPECT_TRUE(std::isfinite(area.height) && area.height > 0);
    EXPECT_GT(scale, 0.0f);
}

TEST_F(GameManagerTest, InitBuildsManagersAndTickGatesTheGameUpdate)
{
    GameManager* manager = new GameManager();
    ASSERT_TRUE(manager->init(NULL));
    EXPECT_EQ(manager, GameManager::getInstance());
    EXPECT_NE(nullptr, manager->getGameLayer());
    EXPECT_NEAR(2.1176471f, manager->getGameScale(), 1e-6);
    EXPECT_FLOAT_EQ(1.0f, manager->getGameSpeedMod());

    FrameRecorder recorder;
    manager->getUpdateSignal().connect(&recorder, &FrameRecorder::onUpdate);
    manager->getGameUpdateSignal().connect(&recorder, &FrameRecorder::onGameUpdate);
    manager->getPausedSignal().connect(&recorder, &FrameRecorder::onPaused);
    manager->setGameSpeedMod(2.0f);

    manager->tick(0.01f);
    manager->setPaused(true);
    manager->setPaused(true);
    manager->tick(0.02f);
    manager->setPaused(false);
    manager->setTempPaused(true);
    manager->tick(0.03f);

    EXPECT_EQ((std::vector<float>{ 0.01f, 0.02f, 0.03f }), recorder.updates);
    ASSERT_EQ(1u, recorder.gameUpdates.size());
    EXPECT_FLOAT_EQ(0.02f, recorder.gameUpdates[0]);
    EXPECT_EQ((std::vector<bool>{ true, true, false }), recorder.pausedValues);
    EXPECT_FLOAT_EQ(0.03f, GameManager::getLastFrameTime());
    // The scheduled tick holds the manager until it is cleaned up.
    manager->cleanup();
    manager->release();
    EXPECT_EQ(nullptr, GameManager::getInstance());
}

TEST_F(GameManagerTest, TickRunsFromTheSchedulerOnceInTheRunningScene)
{
    GameManager* manager = new GameManager();
    ASSERT_TRUE(manager->init(NULL));
    FrameRecorder recorder;
    manager->getUpdateSignal().connect(&recorder, &FrameRecorder::onUpdate);

    CCScene* scene = CCScene::create();
    scene->addChild(manager);
    manager->release();
    CCDirector::sharedDirector()->runWithScene(scene);
    for (int i = 0; i < 4; ++i)
    {
        CCDirector::sharedDirector()->step(1.0f / 60.0f);
    }
    // The first scheduled frame only starts the clock.
    EXPECT_GE(recorder.updates.size(), 3u);
}

TEST_F(GameManagerTest, MissingSetupFailsBeforeAnalytics)
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::makeTempDir("no-setup").c_str());
    vorntest::LogCapture log;
    GameManager* manager = new GameManager();
    EXPECT_FALSE(manager->init(NULL));
    EXPECT_EQ(nullptr, manager->getAnalyticsManager());
    EXPECT_TRUE(log.contains("setup.plist"));
    manager->cleanup();
    manager->release();
}
