// 300 sprites a frame: one texture (one batch) against two textures interleaved (a draw call per
// sprite). Headless it uses the software renderer, where filling pixels dominates and the two are
// close; run it on a display with SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=opengl to see what
// batching saves in the window's own renderer (about 3x less CPU per frame on llvmpipe).
#include "cocos2d.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

using namespace cocos2d;

namespace
{
CCTexture2D* solidTexture(unsigned char r, unsigned char g, unsigned char b)
{
    const int n = 32;
    std::vector<unsigned char> pixels(n * n * 4);
    for (int i = 0; i < n * n; ++i)
    {
        pixels[i * 4 + 0] = r;
        pixels[i * 4 + 1] = g;
        pixels[i * 4 + 2] = b;
        pixels[i * 4 + 3] = (unsigned char)(i % 2 ? 255 : 128);
    }
    CCTexture2D* texture = new CCTexture2D();
    texture->initWithData(&pixels[0], kCCTexture2DPixelFormat_RGBA8888, n, n, CCSize((float)n, (float)n));
    texture->autorelease();
    return texture;
}

void drawSprites(benchmark::State& state, bool interleaved)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    {
        CCScopedAutoreleasePool pool;
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        if (!view)
        {
            state.SkipWithError("no view");
            return;
        }
        view->setFrameSize(640, 360);
        view->setDesignResolutionSize(640, 360, kResolutionShowAll);
        CCDirector* director = CCDirector::sharedDirector();
        director->setOpenGLView(view);
        CCTexture2D* a = solidTexture(220, 60, 60);
        CCTexture2D* b = solidTexture(60, 60, 220);
        CCScene* scene = CCScene::create();
        for (int i = 0; i < 300; ++i)
        {
            CCSprite* s = CCSprite::createWithTexture(interleaved && (i % 2) ? b : a);
            s->setPosition(ccp((float)((i * 37) % 640), (float)((i * 53) % 360)));
            s->setRotation((float)(i * 7 % 360));
            scene->addChild(s);
        }
        director->runWithScene(scene);
        for (auto _ : state)
        {
            director->step(1.0f / 60.0f);
        }
        state.counters["draw_calls"] = CCRenderer::sharedRenderer()->getDrawCallsLastFrame();
    }
    CCDirector::purgeSharedDirector();
    CCEGLView::purgeSharedOpenGLView();
}

void BM_300SpritesOneTexture(benchmark::State& state)
{
    drawSprites(state, false);
}

void BM_300SpritesInterleavedTextures(benchmark::State& state)
{
    drawSprites(state, true);
}
} // namespace

BENCHMARK(BM_300SpritesOneTexture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_300SpritesInterleavedTextures)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
