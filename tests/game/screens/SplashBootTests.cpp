#include "CCRenderer.h"
#include "GameManager.h"
#include "ScreenTestSupport.h"
#include "SplashScreen.h"
#include "VornGameManager.h"
#include "VornImageCompare.h"
#include "VornTestSupport.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <dirent.h>

USING_NS_CC;

namespace
{
class BootRecorder
{
public:
    void onReady() { ++ready; }
    void onUpdate(float) { ++updates; }
    int ready = 0;
    int updates = 0;
};
} // namespace

TEST(SplashBoot, TheSplashPlaysThenTheWorldIsBuiltAndTheGameIsReadyOnce)
{
    CCPoolManager::sharedPoolManager()->push();
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    CCDirector::sharedDirector()->setWinSize(CCSize(960, 680));
    VornGameManager* manager = new VornGameManager();
    ASSERT_TRUE(manager->initVornGameManager());
    CCDirector::sharedDirector()->runWithScene(manager);
    manager->release();

    SplashScreen* splash = manager->getSplashScreen();
    ASSERT_NE(nullptr, splash);
    EXPECT_EQ(manager, splash->getParent());
    EXPECT_EQ(10, splash->getZOrder());
    EXPECT_TRUE(splash->isVisible());
    EXPECT_NE(nullptr, splash->getLogoSprite());
    EXPECT_NE(nullptr, splash->getOskvellSprite());
    EXPECT_NE(nullptr, splash->getTaglineSprite());
    SignalCounter splashSignals;
    splashSignals.watch(splash);
    BootRecorder recorder;
    manager->getGameReadySignal().connect(&recorder, &BootRecorder::onReady);
    manager->getUpdateSignal().connect(&recorder, &BootRecorder::onUpdate);
    CCLayer* firstLayer = manager->getGameLayer();

    // While the splash plays, nothing of the game runs.
    int frames = 0;
    while (splashSignals.opened == 0 && frames < 100)
    {
        stepFrames(1, 0.1f);
        ++frames;
        if (splashSignals.opened == 0)
        {
            EXPECT_EQ(-1, manager->getBootState());
        }
    }
    EXPECT_GE(frames, 25);
    EXPECT_EQ(0, recorder.updates);

    // Then one boot step a frame: world, ready (the splash closes), an idle frame, then running.
    int state = manager->getBootState();
    ASSERT_GE(state, 0);
    while (state < 3)
    {
        stepFrames(1, 0.1f);
        EXPECT_EQ(state + 1, manager->getBootState());
        state = manager->getBootState();
        if (state >= 1)
        {
            EXPECT_NE(firstLayer, manager->getGameLayer());
            EXPECT_EQ(manager, manager->getGameLayer()->getParent());
            EXPECT_FALSE(manager->getGameLayer()->isVisible());
            EXPECT_NE(nullptr, manager->getPlayerCharacterSetups());
            EXPECT_NE(nullptr, manager->getEnemyCharacterSetups());
        }
        if (state >= 2)
        {
            EXPECT_TRUE(manager->isReady());
            EXPECT_EQ(1, recorder.ready);
            EXPECT_EQ(1, splashSignals.closing);
        }
        EXPECT_EQ(0, recorder.updates);
    }
    stepFrames(10, 0.1f);
    EXPECT_EQ(10, recorder.updates);
    EXPECT_EQ(1, recorder.ready);
    EXPECT_EQ(1, splashSignals.opened);
    EXPECT_EQ(1, splashSignals.closed);
    EXPECT_FALSE(splash->isVisible());

    CCDirector::purgeSharedDirector();
    CCPoolManager::sharedPoolManager()->pop();
}

// The world and the title are built behind the finished splash, over a frame each: a person sees
// the splash held still until it fades, however the textures it shares with them are set up.
TEST(SplashBoot, TheHeldSplashLooksTheSameWhileTheWorldAndTitleAreBuilt)
{
    CCPoolManager::sharedPoolManager()->push();
    ASSERT_NE(nullptr, vorntest::useViewOfSize(480, 270));
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    VornGameManager* manager = new VornGameManager();
    ASSERT_TRUE(manager->initVornGameManager());
    CCDirector::sharedDirector()->runWithScene(manager);
    manager->release();
    // The splash's last moving key is well before its end: its last frames are the held picture.
    SDL_Surface* held = NULL;
    for (int i = 0; i < 600 && manager->getBootState() < 0; ++i)
    {
        if (held)
        {
            SDL_FreeSurface(held);
        }
        held = CCRenderer::sharedRenderer()->readPixels();
        ASSERT_NE(nullptr, held);
        stepFrames(1, 1.0f / 60.0f);
    }
    ASSERT_GE(manager->getBootState(), 0) << "the splash never finished";
    const std::string dir = vorntest::makeTempDir("splash-held");
    IMG_SavePNG(held, (dir + "/held.png").c_str());
    // The world is built in the frame the splash ends or the next; the title in the one after.
    for (int i = 0; i < 3 && manager->getBootState() < 3; ++i)
    {
        const int state = manager->getBootState();
        SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
        ASSERT_NE(nullptr, frame);
        const std::string path = dir + "/boot-state-" + std::to_string(state) + ".png";
        IMG_SavePNG(frame, path.c_str());
        EXPECT_EQ(0, vorntest::differingBytes(held, frame))
            << "the splash changed by boot state " << state << " (1 the world built, 2 the title): " << path;
        SDL_FreeSurface(frame);
        stepFrames(1, 1.0f / 60.0f);
    }
    SDL_FreeSurface(held);

    CCDirector::purgeSharedDirector();
    CCEGLView::purgeSharedOpenGLView();
    CCTextureCache::purgeSharedTextureCache();
    CCPoolManager::sharedPoolManager()->pop();
}

TEST(SplashBoot, WithoutTheSplashLayoutStartUpFailsWithALogLine)
{
    CCPoolManager::sharedPoolManager()->push();
    // Everything the start-up reads except the splash layout (sounds are not needed).
    const std::string resources = vorntest::sourcePath("Resources");
    const std::string dir = vorntest::makeTempDir("no-splash");
    DIR* listing = opendir(resources.c_str());
    ASSERT_NE(nullptr, listing);
    while (struct dirent* entry = readdir(listing))
    {
        std::string name = entry->d_name;
        if (name == "splash-screen-nudity.ccbi" || name[0] == '.' || name == "sfx")
        {
            continue;
        }
        vorntest::writeFile(dir + "/" + name, vorntest::readFile(resources + "/" + name));
    }
    closedir(listing);
    CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());

    vorntest::LogCapture log;
    VornGameManager* manager = new VornGameManager();
    EXPECT_FALSE(manager->initVornGameManager());
    EXPECT_TRUE(log.contains("Error creating splash screen"));
    EXPECT_EQ(nullptr, manager->getSplashScreen());
    manager->cleanup();
    manager->release();
    CCDirector::purgeSharedDirector();
    CCPoolManager::sharedPoolManager()->pop();
}
