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
