#include "CCEGLView.h"
#include "CCLayerColor.h"
#include "CCRenderer.h"
#include "CCTextureCache.h"
#include "ComboCounterScreen.h"
#include "HUD.h"
#include "PlayerHealthScreen.h"
#include "VornTestSupport.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
Uint32 pixelAt(SDL_Surface* s, int x, int y)
{
    return *(Uint32*)((Uint8*)s->pixels + y * s->pitch + x * s->format->BytesPerPixel);
}

/** A running scene of the HUD over a plain (40, 56, 72) backdrop in a window of that size; NULL without a view. */
HUD* runHudOverPlainBackdrop(float width, float height)
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    if (vorntest::useViewOfSize(width, height) == NULL)
    {
        return NULL;
    }
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(ccc4(40, 56, 72, 255)));
    HUD* hud = HUD::create();
    if (hud != NULL)
    {
        scene->addChild(hud);
    }
    CCDirector::sharedDirector()->runWithScene(scene);
    return hud;
}
} // namespace

// Draws the HUD with its bars, counter, caption and hints over a plain backdrop, once, to a PNG
// in the test's folder (HUD_RENDER_PNG names another place) for a person to look at.
TEST(HudRender, OverlaysDrawOverAPlainBackdrop)
{
    CCScopedAutoreleasePool pool;
    HUD* hud = runHudOverPlainBackdrop(480, 340);
    ASSERT_NE(nullptr, hud);
    CCDirector::sharedDirector()->step(0.0f);

    CCNode* player = CCNode::create();
    CCNode* thug = CCNode::create();
    hud->showPlayerHealth(player, "jors", 400.0f, 0.7f);
    hud->getPlayerHealthScreen()->onScoreChanged(12500);
    hud->showEnemyHealth(thug, "street-thug", 200.0f, 0.4f);
    hud->showBossHealth(CCNode::create(), "street-thug", 600.0f, 0.9f);
    hud->showFightHealth(player, "jors", 0.7f, thug, "street-thug", 0.4f);
    hud->onComboChanged(7);
    hud->showTimeAndLocation("Dusk", "Old Town Street", 5.0f);
    hud->showLeftThumb("Press X to punch");
    hud->showRightThumb("Jump over the crates");
    hud->showGO();
    hud->onPlayerHealthChanged(0.85f);
    for (int i = 0; i < 30; ++i)
    {
        hud->tick(1.0f / 30.0f);
        CCDirector::sharedDirector()->step(1.0f / 30.0f);
    }
    hud->showLeftThumb("Press X to punch");  // the right hint's end hid it; both for the picture

    SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
    ASSERT_NE(nullptr, frame);
    const char* out = getenv("HUD_RENDER_PNG");
    std::string path = out ? out : vorntest::makeTempDir("hud-render") + "/hud.png";
    EXPECT_EQ(0, IMG_SavePNG(frame, path.c_str()));
    printf("HUD frame: %s\n", path.c_str());
    // The backdrop shows in the middle of the screen, away from every overlay.
    Uint8 r, g, b;
    SDL_GetRGB(pixelAt(frame, 240, 200), frame->format, &r, &g, &b);
    EXPECT_NEAR(40, r, 12);
    EXPECT_NEAR(72, b, 12);
    // The player's bar is drawn at the top left (red fill).
    SDL_GetRGB(pixelAt(frame, 60, 16), frame->format, &r, &g, &b);
    EXPECT_GT(r, 120);
    SDL_FreeSurface(frame);

    CCDirector::purgeSharedDirector();
    CCEGLView::purgeSharedOpenGLView();
    CCTextureCache::purgeSharedTextureCache();
}

// At low health the edges whiten and the middle of the screen, where the fight is, stays as it
// was; at both window shapes the game meets.
TEST(HudRender, LowHealthWhitensTheEdgesAndLeavesTheMiddleClear)
{
    const CCSize sizes[] = { CCSize(480, 340), CCSize(960, 540) };
    for (const CCSize& size : sizes)
    {
        CCScopedAutoreleasePool pool;
        HUD* hud = runHudOverPlainBackdrop(size.width, size.height);
        ASSERT_NE(nullptr, hud);
        for (int i = 0; i < 30; ++i)
        {
            hud->tick(1.0f / 30.0f);  // past the level start's fade from white
            CCDirector::sharedDirector()->step(1.0f / 30.0f);
        }
        hud->setVisible(true);
        hud->onPlayerHealthChanged(0.1f);
        CCDirector::sharedDirector()->step(1.0f / 30.0f);

        SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
        ASSERT_NE(nullptr, frame);
        const std::string path = vorntest::makeTempDir("hud-render") + "/hud-low-health.png";
        IMG_SavePNG(frame, path.c_str());
        const int w = frame->w, h = frame->h;
        Uint8 r, g, b;
        // The middle half of the screen shows the backdrop as it is.
        for (int y = h * 3 / 8; y <= h * 5 / 8; y += h / 16)
        {
            for (int x = w * 3 / 8; x <= w * 5 / 8; x += w / 16)
            {
                SDL_GetRGB(pixelAt(frame, x, y), frame->format, &r, &g, &b);
                EXPECT_NEAR(40, r, 3) << size.width << " at " << x << "," << y << " " << path;
                EXPECT_NEAR(56, g, 3) << size.width << " at " << x << "," << y;
                EXPECT_NEAR(72, b, 3) << size.width << " at " << x << "," << y;
            }
        }
        // Every edge is washed light.
        const int edges[][2] = { { 2, h / 2 }, { w - 3, h / 2 }, { w / 2, 2 }, { w / 2, h - 3 } };
        for (const auto& p : edges)
        {
            SDL_GetRGB(pixelAt(frame, p[0], p[1]), frame->format, &r, &g, &b);
            EXPECT_GT(r, 150) << size.width << " at " << p[0] << "," << p[1] << " " << path;
        }
        SDL_FreeSurface(frame);

        CCDirector::purgeSharedDirector();
        CCEGLView::purgeSharedOpenGLView();
        CCTextureCache::purgeSharedTextureCache();
    }
}
