// Each menu screen drawn through the software renderer at the design size. The frames are written
// to VORN_SCREEN_PNG_DIR when it is set (to look at them), else to the test's own folder.
#include "ArenaCompleteScreen.h"
#include "ArenaManager.h"
#include "ArenaModeHelper.h"
#include "CCEGLView.h"
#include "CCLabelBMFont.h"
#include "CCRenderer.h"
#include "CCTextureCache.h"
#include "ChooseDifficultyScreen.h"
#include "GameOverScreen.h"
#include "HighScoreManager.h"
#include "HighScoreTable.h"
#include "MenuScreenFixture.h"
#include "ResultScreenDoubles.h"
#include "PauseScreen.h"
#include "StageCompleteScreen.h"
#include "VornActorDesc.h"
#include "VornPlayer.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>

USING_NS_CC;

namespace
{
const Uint8* pixelAt(SDL_Surface* frame, int x, int y)
{
    return (const Uint8*)frame->pixels + (frame->h - 1 - y) * frame->pitch + x * 4;
}
} // namespace

class MenuScreenRenderTest : public MenuScreenTest
{
protected:
    virtual void SetUp()
    {
        CCEGLView* view = vorntest::useViewOfSize(480, 340);
        ASSERT_NE(nullptr, view);
        MenuScreenTest::SetUp();
        CCUserDefault* store = CCUserDefault::sharedUserDefault();
        const int points[kRPG_MAX] = { 4, 6, 2, 3 };
        for (int i = 0; i < kRPG_MAX; ++i)
        {
            store->setIntegerForKey(("jors_RPG_" + std::to_string(i)).c_str(), points[i]);
        }
        store->setIntegerForKey("jors_XPPoints", 60);
        store->setIntegerForKey("jors_XPPointsSinceUpgrade", 0);
        m_desc = m_game->actorDescWithFile("jors.plist");
        ASSERT_NE(nullptr, m_desc);
        m_desc->loadRPGPoints();
    }
    virtual void TearDown()
    {
        MenuScreenTest::TearDown();
        CCEGLView::purgeSharedOpenGLView();
        CCTextureCache::purgeSharedTextureCache();
        CCLabelBMFont::purgeCachedData();
    }

    /** Draws the current frame, writes it and checks the panel's middle is drawn over the dimmed game. */
    void capture(const char* name)
    {
        stepFrames(150, 1.0f / 60.0f);
        SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
        ASSERT_NE(nullptr, frame);
        const char* dir = getenv("VORN_SCREEN_PNG_DIR");
        std::string path = std::string(dir ? dir : vorntest::makeTempDir("menu-screens").c_str()) + "/" + name + ".png";
        EXPECT_EQ(0, IMG_SavePNG(frame, path.c_str())) << path;
        // The panel's dark violet, not the black of the dimmed, empty game.
        const Uint8* middle = pixelAt(frame, 240, 172);
        EXPECT_GT(middle[2], 20) << name;
        // The corners stay outside the panel.
        EXPECT_LT(pixelAt(frame, 4, 4)[2], 20) << name;
        SDL_FreeSurface(frame);
    }

    VornActorDesc* m_desc = NULL;
};

TEST_F(MenuScreenRenderTest, EveryMenuScreenDraws)
{
    PauseScreen* pause = addScreen(PauseScreen::create());
    ASSERT_NE(nullptr, pause);
    pause->open();
    capture("pause-screen");
    pause->hide();

    ChooseDifficultyScreen* difficulty = addScreen(ChooseDifficultyScreen::create());
    ASSERT_NE(nullptr, difficulty);
    difficulty->show(NULL, NULL);
    capture("choose-difficulty");
    difficulty->hide();

    ShownGameOver* over = addScreen(ShownGameOver::create());
    ASSERT_NE(nullptr, over);
    over->desc = m_desc;
    over->setScore(NULL, 12870);
    over->open();
    capture("game-over-screen-new");
    over->hide();

    ShownStageComplete* complete = addScreen(ShownStageComplete::create());
    ASSERT_NE(nullptr, complete);
    complete->desc = m_desc;
    complete->open();
    capture("stage-complete");
    complete->hide();
}

TEST_F(MenuScreenRenderTest, ArenaResultsDraw)
{
    ArenaCompleteScreen* results = dynamic_cast<ArenaCompleteScreen*>(m_game->getArenaCompleteScreen());
    ASSERT_NE(nullptr, results);
    ArenaModeHelper* arenas = new ArenaModeHelper();
    ASSERT_TRUE(arenas->init());
    arenas->setCurrentArenaIndex(0);
    m_game->getHighScoreManager()->getTable("arena-rooftop-scores")->addScore("Local", 61250);
    VornPlayer* player = m_game->getPlayer();
    player->setDesc(m_desc);
    m_game->getArenaManager()->setTimeElapsed(185.4f);
    m_game->getArenaManager()->setTasksCompleted(4);
    player->setScore(48250);
    player->setKOs(23);
    player->setAttacksAttempted(40);
    player->setAttacksHitSomething(31);
    results->showResults(player);
    capture("arena-complete");
    results->hide();
    arenas->release();
}
