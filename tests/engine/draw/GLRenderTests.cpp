// Drawing through SDL's desktop OpenGL renderer, offscreen (Mesa's llvmpipe where there is no GPU).
#include "cocos2d.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace cocos2d;

namespace
{
const int kViewW = 320;
const int kViewH = 160;

// Half transparent, the top half of the rows red and the rest blue, so each edge shows what it
// samples and how much of it.
CCTexture2D* makeTwoToneTexture(int w, int h)
{
    std::vector<unsigned char> pixels((size_t)w * h * 4);
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            unsigned char* p = &pixels[((size_t)y * w + x) * 4];
            const bool top = y < h / 2;
            p[0] = top ? 200 : 0;
            p[1] = 0;
            p[2] = top ? 0 : 200;
            p[3] = 128;
        }
    }
    CCTexture2D* texture = new CCTexture2D();
    texture->initWithData(&pixels[0], kCCTexture2DPixelFormat_RGBA8888, w, h, CCSize((float)w, (float)h));
    texture->autorelease();
    return texture;
}

// A crisp w x h figure: clear round the edge (margin texels deep), a ring of half alpha inside that, and the rest
// (its body) of alpha bodyAlpha; every texel its own colour, so a texel out of place shows.
CCTexture2D* makeFigureTexture(int w, int h, unsigned char bodyAlpha, int margin = 1)
{
    std::vector<unsigned char> pixels((size_t)w * h * 4);
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            unsigned char* p = &pixels[((size_t)y * w + x) * 4];
            const int fromEdge = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
            p[0] = (unsigned char)(x * 255 / w);
            p[1] = (unsigned char)(y * 255 / h);
            p[2] = (unsigned char)((x * 7 + y * 13) % 256);
            p[3] = fromEdge < margin ? 0 : (fromEdge == margin ? 128 : bodyAlpha);
        }
    }
    CCTexture2D* texture = new CCTexture2D();
    texture->initWithData(&pixels[0], kCCTexture2DPixelFormat_RGBA8888, w, h, CCSize((float)w, (float)h));
    texture->setAliasTexParameters();
    texture->autorelease();
    return texture;
}

ccSpriteQuad wholeTextureQuad(float x0, float y0, float x1, float y1)
{
    ccSpriteQuad q;
    q.bl.vertices = vertex2(x0, y0);
    q.br.vertices = vertex2(x1, y0);
    q.tl.vertices = vertex2(x0, y1);
    q.tr.vertices = vertex2(x1, y1);
    q.bl.colors = q.br.colors = q.tl.colors = q.tr.colors = ccc4(255, 255, 255, 255);
    q.bl.texCoords = tex2(0.0f, 1.0f);
    q.br.texCoords = tex2(1.0f, 1.0f);
    q.tl.texCoords = tex2(0.0f, 0.0f);
    q.tr.texCoords = tex2(1.0f, 0.0f);
    return q;
}

class GLRenderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO)) << SDL_GetError();
        m_window = SDL_CreateWindow("", 0, 0, kViewW, kViewH, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        m_renderer = m_window ? SDL_CreateRenderer(m_window, -1, SDL_RENDERER_ACCELERATED) : NULL;
        SDL_RendererInfo info;
        if (!m_renderer || SDL_GetRendererInfo(m_renderer, &info) != 0 || SDL_strcmp(info.name, "opengl") != 0)
        {
            GTEST_SKIP() << "no desktop OpenGL renderer here: " << SDL_GetError();
        }
        CCRenderer::sharedRenderer()->setSDLRenderer(m_renderer);
        SDL_Rect viewport = { 0, 0, kViewW, kViewH };
        CCRenderer::sharedRenderer()->setDesignViewport(CCSize((float)kViewW, (float)kViewH), viewport);
    }
    void TearDown() override
    {
        CCRenderer::purgeSharedRenderer();
        if (m_renderer)
        {
            SDL_DestroyRenderer(m_renderer);
        }
        if (m_window)
        {
            SDL_DestroyWindow(m_window);
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    CCScopedAutoreleasePool m_pool;
    SDL_Window* m_window = NULL;
    SDL_Renderer* m_renderer = NULL;
};
} // namespace

// Smoothly filtered textures of every shape, a fighter's shadow among them, keep their own
// colours when magnified, right up to their top and bottom edges.
TEST_F(GLRenderTest, SmoothTexturesOfEveryShapeKeepTheirColours)
{
    const struct
    {
        int w, h;
    } sizes[] = { { 32, 10 }, { 64, 12 }, { 16, 3 }, { 512, 254 }, { 30, 10 }, { 32, 32 } };
    for (size_t i = 0; i < sizeof(sizes) / sizeof(sizes[0]); ++i)
    {
        SCOPED_TRACE(testing::Message() << sizes[i].w << "x" << sizes[i].h);
        CCTexture2D* texture = makeTwoToneTexture(sizes[i].w, sizes[i].h);
        const ccSpriteQuad quad = wholeTextureQuad(0.0f, 0.0f, (float)kViewW, (float)kViewH);
        const ccBlendFunc blend = { GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA };
        CCRenderer::sharedRenderer()->beginFrame(ccc4(120, 120, 120, 255));
        CCRenderer::sharedRenderer()->drawQuads(texture, &quad, 1, CCAffineTransformIdentity, blend);
        CCRenderer::sharedRenderer()->endFrame();
        SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
        ASSERT_TRUE(frame != NULL);
        const int rows[2] = { 1, kViewH - 2 };
        for (int r = 0; r < 2; ++r)
        {
            const Uint8* p = (const Uint8*)frame->pixels + rows[r] * frame->pitch + (kViewW / 2) * 4;
            // Half of the texture's colour over half of the grey.
            const int red = r == 0 ? 160 : 60;
            const int blue = r == 0 ? 60 : 160;
            EXPECT_NEAR(red, p[0], 6) << "row " << rows[r];
            EXPECT_NEAR(60, p[1], 6) << "row " << rows[r];
            EXPECT_NEAR(blue, p[2], 6) << "row " << rows[r];
        }
        SDL_FreeSurface(frame);
    }
}

namespace
{
// What a frame drawn under GL showed and how many pixels it filled.
struct DrawnFrame
{
    SDL_Surface* pixels;
    unsigned long fill;
};

struct PlacedQuad
{
    CCTexture2D* texture;
    float x0, y0, x1, y1;
    GLubyte opacity;
};

DrawnFrame drawQuadsInTurn(const std::vector<PlacedQuad>& quads, bool skipUnseenWork)
{
    CCRenderer* renderer = CCRenderer::sharedRenderer();
    renderer->setSkipsUnseenWork(skipUnseenWork);
    const ccBlendFunc blend = { GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA };
    renderer->beginFrame(ccc4(30, 60, 90, 255));
    for (const PlacedQuad& placed : quads)
    {
        ccSpriteQuad quad = wholeTextureQuad(placed.x0, placed.y0, placed.x1, placed.y1);
        quad.bl.colors.a = quad.br.colors.a = quad.tl.colors.a = quad.tr.colors.a = placed.opacity;
        renderer->drawQuads(placed.texture, &quad, 1, CCAffineTransformIdentity, blend);
    }
    renderer->endFrame();
    DrawnFrame frame = { renderer->readPixels(), renderer->getFillLastFrame() };
    renderer->setSkipsUnseenWork(true);
    return frame;
}

int differingPixels(SDL_Surface* a, SDL_Surface* b)
{
    int differing = 0;
    for (int y = 0; y < a->h; ++y)
    {
        const Uint32* rowA = (const Uint32*)((const Uint8*)a->pixels + y * a->pitch);
        const Uint32* rowB = (const Uint32*)((const Uint8*)b->pixels + y * b->pitch);
        for (int x = 0; x < a->w; ++x)
        {
            differing += rowA[x] != rowB[x];
        }
    }
    return differing;
}
} // namespace

// A crisp figure drawn at full opacity in front hides what was drawn before it where its body is
// opaque: a smooth backdrop and a figure behind are drawn only where they show, for fewer pixels
// than when the body is a shade short of opaque. Stripes stretched so that texel edges fall on
// pixel centres are drawn whole, as a piece of them could take the texel across an edge. Each
// picture is the one drawn with every quad whole.
TEST_F(GLRenderTest, WhatAnOpaqueBodyHidesIsLeftOutAndThePictureStaysTheSame)
{
    CCTexture2D* backdrop = makeTwoToneTexture(16, 8);
    CCTexture2D* stripes = makeFigureTexture(64, 64, 200);
    const struct Case
    {
        const char* what;
        PlacedQuad behind;  // no texture: a figure like the one in front
        bool fewerPixels;
    } cases[] = {
        { "a figure behind", { NULL, 20.0f, 0.0f, 180.0f, 160.0f, 255 }, true },
        { "stripes stretched 45/16", { stripes, 40.0f, -20.0f, 220.0f, 160.0f, 255 }, false },
    };
    for (const Case& c : cases)
    {
        unsigned long fill[2] = { 0, 0 };  // body a shade short of opaque, then opaque
        for (int opaque = 0; opaque < 2; ++opaque)
        {
            SCOPED_TRACE(testing::Message() << c.what << (opaque ? ", opaque body" : ", body not opaque"));
            CCTexture2D* figure = makeFigureTexture(10, 10, opaque ? 255 : 254);
            PlacedQuad behind = c.behind;
            behind.texture = behind.texture ? behind.texture : figure;
            const std::vector<PlacedQuad> quads = { { backdrop, 0.0f, 0.0f, (float)kViewW, (float)kViewH, 255 },
                                                    behind,
                                                    { figure, 100.0f, 0.0f, 260.0f, 160.0f, 255 } };
            DrawnFrame whole = drawQuadsInTurn(quads, false);
            DrawnFrame shown = drawQuadsInTurn(quads, true);
            ASSERT_TRUE(whole.pixels != NULL && shown.pixels != NULL);
            EXPECT_EQ(0, differingPixels(whole.pixels, shown.pixels));
            fill[opaque] = shown.fill;
            SDL_FreeSurface(whole.pixels);
            SDL_FreeSurface(shown.pixels);
        }
        if (c.fewerPixels)
        {
            EXPECT_LT(fill[1], fill[0]) << c.what;
        }
    }
}

// A crisp figure with clear texels round it is drawn as its parts with alpha, for fewer pixels.
// Stretched so that texel edges fall on pixel centres, or so that none does, it looks as it does
// drawn whole.
TEST_F(GLRenderTest, FiguresDrawnAsTheirPartsLookAsDrawnWholeAtAnyStretch)
{
    CCTexture2D* backdrop = makeTwoToneTexture(16, 8);
    CCTexture2D* figure = makeFigureTexture(64, 64, 200, 12);
    const struct Case
    {
        const char* what;
        float x0, y0, size;
        bool fewerPixels;  // no texel edge on a pixel centre
    } cases[] = {
        { "by 45/16", 40.0f, -20.0f, 180.0f, false },
        { "by 7/2", 20.0f, -64.0f, 224.0f, false },
        { "by 5/2 from half a pixel", 60.5f, 0.5f, 160.0f, false },
        { "by 2, on whole pixels", 80.0f, 16.0f, 128.0f, true },
        { "by 8.47", 10.0f, -300.0f, 542.1f, true },
    };
    for (const Case& c : cases)
    {
        const std::vector<PlacedQuad> quads = { { backdrop, 0.0f, 0.0f, (float)kViewW, (float)kViewH, 255 },
                                                { figure, c.x0, c.y0, c.x0 + c.size, c.y0 + c.size, 255 } };
        DrawnFrame whole = drawQuadsInTurn(quads, false);
        DrawnFrame parts = drawQuadsInTurn(quads, true);
        ASSERT_TRUE(whole.pixels != NULL && parts.pixels != NULL) << c.what;
        EXPECT_EQ(0, differingPixels(whole.pixels, parts.pixels)) << c.what;
        if (c.fewerPixels)
        {
            EXPECT_LT(parts.fill, whole.fill) << c.what;
        }
        SDL_FreeSurface(whole.pixels);
        SDL_FreeSurface(parts.pixels);
    }
}

// An overlay round the view's edges (a clear middle), crisp, stretched 45/16 high so that texel
// edges fall on pixel centres: drawn without its clear middle, for fewer pixels, it looks as it
// does drawn whole, over a backdrop and faded.
TEST_F(GLRenderTest, OverlayWithTexelEdgesOnPixelCentresLeavesOutItsMiddleAndLooksTheSame)
{
    const int kSide = 64;
    std::vector<unsigned char> pixels((size_t)kSide * kSide * 4);
    for (int y = 0; y < kSide; ++y)
    {
        for (int x = 0; x < kSide; ++x)
        {
            unsigned char* p = &pixels[((size_t)y * kSide + x) * 4];
            const float dx = (x - 31.5f) / 32.0f;
            const float dy = (y - 31.5f) / 32.0f;
            const float fromMiddle = dx * dx + dy * dy;
            p[0] = 200;
            p[1] = (unsigned char)(y * 4);
            p[2] = (unsigned char)(x * 4);
            p[3] = fromMiddle < 0.5f ? 0 : (unsigned char)std::min(255.0f, (fromMiddle - 0.5f) * 300.0f);
        }
    }
    CCTexture2D* overlay = new CCTexture2D();
    overlay->initWithData(&pixels[0], kCCTexture2DPixelFormat_RGBA8888, kSide, kSide, CCSize(kSide, kSide));
    overlay->setAliasTexParameters();
    overlay->autorelease();
    CCTexture2D* backdrop = makeTwoToneTexture(16, 8);
    const GLubyte opacities[] = { 255, 150 };
    for (GLubyte opacity : opacities)
    {
        SCOPED_TRACE(testing::Message() << "opacity " << (int)opacity);
        const std::vector<PlacedQuad> quads = { { backdrop, 0.0f, 0.0f, (float)kViewW, (float)kViewH, 255 },
                                                { overlay, 0.0f, -20.0f, 320.0f, 160.0f, opacity } };
        DrawnFrame whole = drawQuadsInTurn(quads, false);
        DrawnFrame parts = drawQuadsInTurn(quads, true);
        ASSERT_TRUE(whole.pixels != NULL && parts.pixels != NULL);
        EXPECT_EQ(0, differingPixels(whole.pixels, parts.pixels));
        EXPECT_LT(parts.fill, whole.fill);
        SDL_FreeSurface(whole.pixels);
        SDL_FreeSurface(parts.pixels);
    }
}
