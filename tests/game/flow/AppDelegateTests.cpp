#include "AppDelegate.h"
#include "VornGameManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
class Recorder
{
public:
    void onBackground() { ++backgrounds; }
    void onForeground() { ++foregrounds; }
    int backgrounds = 0;
    int foregrounds = 0;
};
} // namespace

TEST(AppDelegate, BackgroundAndForegroundWithAndWithoutAGameManager)
{
    CCScopedAutoreleasePool pool;
    AppDelegate app;
    ASSERT_EQ(nullptr, GameManager::getInstance());
    // Minimised before the game exists: only the director pauses.
    app.applicationDidEnterBackground();
    EXPECT_TRUE(CCDirector::sharedDirector()->isPaused());
    app.applicationWillEnterForeground();
    EXPECT_FALSE(CCDirector::sharedDirector()->isPaused());

    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    VornGameManager* manager = new VornGameManager();
    ASSERT_TRUE(manager->initVornGameManager());
    Recorder recorder;
    manager->getEnterBackgroundSignal().connect(&recorder, &Recorder::onBackground);
    manager->getEnterForegroundSignal().connect(&recorder, &Recorder::onForeground);
    app.applicationDidEnterBackground();
    app.applicationWillEnterForeground();
    EXPECT_EQ(1, recorder.backgrounds);
    EXPECT_EQ(1, recorder.foregrounds);
    manager->cleanup();
    manager->release();
    CCDirector::purgeSharedDirector();
}
