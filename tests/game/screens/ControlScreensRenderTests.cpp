// The level-up, controls and things-I-like screens drawn through the software renderer at the
// design size. Frames go to VORN_SCREEN_PNG_DIR when it is set (to look at them), else to the
// test's own folder.
#include "CCEGLView.h"
#include "CCLabelBMFont.h"
#include "CCRenderer.h"
#include "CCTextureCache.h"
#include "LevelUpScreen.h"
#include "MenuScreenFixture.h"
#include "RPGWidget.h"
#include "RemapControlsScreen.h"
#include "ThingsILikeScreen.h"
#include "TitleScreen.h"
#include "VornControllerConfigScreen.h"
#include "platform/CCGamepadDispatcher.h"
#include "VornActorDesc.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>

USING_NS_CC;

class ControlScreensRenderTest : public MenuScreenTest
{
protected:
    virtual void SetUp()
    {
        CCEGLView* view = vorntest::useViewOfSize(480, 340);
        ASSERT_NE(nullptr, view);
        CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", "");
        MenuScreenTest::SetUp();
    }
    virtual void TearDown()
    {
        MenuScreenTest::TearDown();
        CCEGLView::purgeSharedOpenGLView();
        CCTextureCache::purgeSharedTextureCache();
        CCLabelBMFont::purgeCachedData();
    }

    /** Draws the current frame, writes it and checks a panel covers the middle. */
    void capture(const char* name)
    {
        stepFrames(60, 1.0f / 60.0f);
        SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
        ASSERT_NE(nullptr, frame);
        const char* dir = getenv("VORN_SCREEN_PNG_DIR");
        std::string path =
            std::string(dir ? dir : vorntest::makeTempDir("control-screens").c_str()) + "/" + name + ".png";
        EXPECT_EQ(0, IMG_SavePNG(frame, path.c_str())) << path;
        int lit = 0;
        const Uint8* pixels = (const Uint8*)frame->pixels;
        for (int y = 100; y < 240; y += 4)
        {
            for (int x = 120; x < 360; x += 4)
            {
                const Uint8* p = pixels + y * frame->pitch + x * 4;
                lit += (p[0] > 40 || p[1] > 40 || p[2] > 40) ? 1 : 0;
            }
        }
        EXPECT_GT(lit, 100) << name;
        SDL_FreeSurface(frame);
    }
};

TEST_F(ControlScreensRenderTest, EachScreenDraws)
{
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    const int points[kRPG_MAX] = { 4, 6, 2, 3 };
    for (int i = 0; i < kRPG_MAX; ++i)
    {
        store->setIntegerForKey(("jors_RPG_" + std::to_string(i)).c_str(), points[i]);
    }
    store->setIntegerForKey("jors_XPPointsSinceUpgrade", 0);
    VornActorDesc* desc = m_game->actorDescWithFile("jors.plist");
    ASSERT_NE(nullptr, desc);
    desc->loadRPGPoints();
    desc->setXPPoints(desc->getMaxXPPoints(desc->getXPLevel()) + desc->getMaxXPPoints(desc->getXPLevel() + 1) + 1);

    LevelUpScreen* levelUp = dynamic_cast<LevelUpScreen*>(m_game->getLevelUpScreen());
    ASSERT_NE(nullptr, levelUp);
    RPGWidget* owner = RPGWidget::create(NULL);
    levelUp->show(owner, NULL, desc);
    levelUp->onPower();
    capture("level-up");
    levelUp->hide();

    RemapControlsScreen* remap = addScreen(RemapControlsScreen::create());
    ASSERT_NE(nullptr, remap);
    remap->open();
    stepFrames(30, 1.0f / 60.0f);
    remap->startRemap();
    stepFrames(2, 1.0f / 60.0f);
    capture("desktop-controller-config");
    remap->hide();
    remap->stopRemap();

    ThingsILikeScreen* things = addScreen(ThingsILikeScreen::create());
    ASSERT_NE(nullptr, things);
    things->open();
    capture("things-i-like");
    things->hide();

    // The title's more panel offers both screens on the desktop and opens them.
    TitleScreen* title = new TitleScreen();
    ASSERT_TRUE(title->initScreen());
    m_game->addChild(title, 10);
    title->release();
    title->open();
    stepFrames(90, 1.0f / 30.0f);
    title->onOpenMore();
    capture("title-more");
    EXPECT_TRUE(title->getThingsILikeScreen() != NULL);
    ASSERT_NE(nullptr, title->getRemapControlsScreen());
    title->onShowThingsILike();
    stepFrames(30, 1.0f / 30.0f);
    EXPECT_TRUE(title->getThingsILikeScreen()->isOpen());
    title->getThingsILikeScreen()->close();
    stepFrames(30, 1.0f / 30.0f);
    EXPECT_FALSE(title->getThingsILikeScreen()->isVisible());
    title->onOpenControlsMenu();
    stepFrames(30, 1.0f / 30.0f);
    EXPECT_TRUE(title->getRemapControlsScreen()->isOpen());
    title->onCloseControlsMenu();
    stepFrames(30, 1.0f / 30.0f);
    EXPECT_FALSE(title->getRemapControlsScreen()->isVisible());
}

TEST_F(ControlScreensRenderTest, ThePadSetUpMidSequenceAndTheArenaFighterPageDraw)
{
    VornControllerConfigScreen* pad = addScreen(VornControllerConfigScreen::create());
    ASSERT_NE(nullptr, pad);
    pad->open();
    stepFrames(30, 1.0f / 60.0f);
    pad->onRemapButtons();
    for (int button = 0; button < 12; ++button)
    {
        CCDirector::sharedDirector()->getGamepadDispatcher()->dispatchButton(true, button, 1, 0x2ab3c4d5);
    }
    capture("android-controller-config");
    pad->hide();

    TitleScreen* title = new TitleScreen();
    ASSERT_TRUE(title->initScreen());
    m_game->addChild(title, 10);
    title->release();
    title->open();
    stepFrames(90, 1.0f / 30.0f);
    title->onOpenArenas();
    capture("title-arena-fighters");
}
