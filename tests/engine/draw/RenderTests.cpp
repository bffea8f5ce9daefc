// Drawing through the software renderer, compared with stored frames.
// Regenerate the reference images with VORN_UPDATE_REFERENCES=1 (then look at them).
#include "VornImageCompare.h"
#include "VornRenderTest.h"
#include "VornTestSupport.h"

#include "cocos-ext.h"
#include "cocos2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace cocos2d;
using namespace cocos2d::extension;

namespace
{
// A solid or two-tone texture made in memory: left half `left`, right half `right`, and the top
// four rows white, so rotation and flips show.
CCTexture2D* makeTexture(int w, int h, ccColor4B left, ccColor4B right, bool topStripe)
{
    std::vector<unsigned char> pixels((size_t)w * h * 4);
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            ccColor4B c = x < w / 2 ? left : right;
            if (topStripe && y < 4)
            {
                c = ccc4(255, 255, 255, 255);
            }
            unsigned char* p = &pixels[((size_t)y * w + x) * 4];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = c.a;
        }
    }
    CCTexture2D* texture = new CCTexture2D();
    texture->initWithData(&pixels[0], kCCTexture2DPixelFormat_RGBA8888, w, h, CCSize((float)w, (float)h));
    texture->autorelease();
    return texture;
}

// Clips its children to a rectangle of its own space, as a scroll view does.
class ClipNode : public CCNode
{
public:
    static ClipNode* create(const CCRect& clip)
    {
        ClipNode* node = new ClipNode();
        node->init();
        node->m_clip = clip;
        node->autorelease();
        return node;
    }
    virtual void visit()
    {
        if (!m_bVisible)
        {
            return;
        }
        const CCAffineTransform t = CCAffineTransformConcat(nodeToParentTransform(), CCNode::currentVisitTransform());
        CCRenderer::sharedRenderer()->pushClipRect(m_clip, t);
        CCNode::visit();
        CCRenderer::sharedRenderer()->popClipRect();
    }

private:
    CCRect m_clip;
};

class RenderTest : public vorntest::RenderTest
{
};
} // namespace

TEST_F(RenderTest, SceneMatchesReferenceFrame)
{
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(ccc4(30, 30, 70, 255)));

    // Rotated, flipped, scaled and tinted.
    CCSprite* turned = CCSprite::createWithTexture(
        makeTexture(32, 16, ccc4(220, 40, 40, 255), ccc4(40, 200, 40, 255), true));
    turned->setPosition(ccp(45, 70));
    turned->setRotation(30);
    turned->setScale(2);
    turned->setFlipX(true);
    turned->setColor(ccc3(255, 255, 120));
    scene->addChild(turned);

    CCLayerColor* veil = CCLayerColor::create(ccc4(255, 255, 255, 128), 70, 50);
    veil->setPosition(ccp(80, 50));
    scene->addChild(veil);

    CCSprite* glow = CCSprite::createWithTexture(makeTexture(24, 24, ccc4(90, 90, 120, 255), ccc4(90, 90, 120, 255), false));
    glow->setPosition(ccp(110, 40));
    ccBlendFunc additive = { GL_SRC_ALPHA, GL_ONE };
    glow->setBlendFunc(additive);
    scene->addChild(glow);

    // Only the part inside (0,0)-(30,20) of the clip node shows.
    ClipNode* clip = ClipNode::create(CCRectMake(0, 0, 30, 20));
    clip->setPosition(ccp(10, 10));
    CCSprite* clipped = CCSprite::createWithTexture(makeTexture(24, 24, ccc4(250, 160, 20, 255), ccc4(250, 160, 20, 255), false));
    clipped->setPosition(ccp(24, 12));
    clip->addChild(clipped);
    scene->addChild(clip);

    CCDirector::sharedDirector()->runWithScene(scene);
    CCDirector::sharedDirector()->step(1.0f / 60.0f);

    SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
    ASSERT_TRUE(frame != NULL);
    std::string why;
    EXPECT_TRUE(vorntest::matchesReference(frame, vorntest::fixturePath("engine/draw/scene.png"), 8, 0.005, &why)) << why;

    // Spot checks that do not depend on the reference: the veil halves white over the
    // background, the additive sprite adds to it, and the clip cuts the orange square.
    const Uint8* px = (const Uint8*)frame->pixels;
    const int pitch = frame->pitch;
    const Uint8* veilPixel = px + (120 - 1 - 95) * pitch + 145 * 4;   // design (145,95)
    EXPECT_NEAR(142, veilPixel[0], 3);
    EXPECT_NEAR(162, veilPixel[2], 3);
    const Uint8* glowPixel = px + (120 - 1 - 30) * pitch + 105 * 4;   // design (105,30)
    EXPECT_NEAR(30 + 90, glowPixel[0], 3);
    EXPECT_NEAR(70 + 120, glowPixel[2], 3);
    const Uint8* inside = px + (120 - 1 - 15) * pitch + 30 * 4;       // design (30,15)
    const Uint8* outside = px + (120 - 1 - 15) * pitch + 45 * 4;      // design (45,15): clipped away
    EXPECT_EQ(250, inside[0]);
    EXPECT_EQ(30, outside[0]);
    SDL_FreeSurface(frame);
}

TEST_F(RenderTest, ShowAllLetterboxesAndScales)
{
    // A 100x100 design in a 400x200 window: scaled by 2 into the middle, black bars beside it.
    m_view->setFrameSize(400, 200);
    m_view->setDesignResolutionSize(100, 100, kResolutionShowAll);
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(ccc4(200, 0, 0, 255)));
    CCDirector::sharedDirector()->runWithScene(scene);
    CCDirector::sharedDirector()->step(0);

    SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
    ASSERT_TRUE(frame != NULL);
    ASSERT_EQ(400, frame->w);
    ASSERT_EQ(200, frame->h);
    const Uint8* row = (const Uint8*)frame->pixels + 100 * frame->pitch;
    EXPECT_EQ(0, row[99 * 4]);       // bar
    EXPECT_EQ(200, row[100 * 4]);    // design area
    EXPECT_EQ(200, row[299 * 4]);
    EXPECT_EQ(0, row[300 * 4]);      // bar
    SDL_FreeSurface(frame);
}

TEST_F(RenderTest, SpritesOfOneTextureAndModeShareOneDrawCall)
{
    CCTexture2D* a = makeTexture(8, 8, ccc4(255, 0, 0, 255), ccc4(255, 0, 0, 255), false);
    CCTexture2D* b = makeTexture(8, 8, ccc4(0, 255, 0, 255), ccc4(0, 255, 0, 255), false);
    b->retain();   // outlives the pool drain of the first frame
    CCScene* scene = CCScene::create();
    for (int i = 0; i < 40; ++i)
    {
        CCSprite* s = CCSprite::createWithTexture(a);
        s->setPosition(ccp((float)(i * 3), 20));
        scene->addChild(s);
    }
    CCDirector::sharedDirector()->runWithScene(scene);
    CCDirector::sharedDirector()->step(0);
    EXPECT_EQ(40u, CCRenderer::sharedRenderer()->getQuadsLastFrame());
    EXPECT_EQ(1u, CCRenderer::sharedRenderer()->getDrawCallsLastFrame());

    // A change of texture or blend mode starts a new run.
    CCSprite* other = CCSprite::createWithTexture(b);
    scene->addChild(other);
    CCSprite* added = CCSprite::createWithTexture(a);
    ccBlendFunc additive = { GL_SRC_ALPHA, GL_ONE };
    added->setBlendFunc(additive);
    scene->addChild(added);
    CCDirector::sharedDirector()->step(0);
    EXPECT_EQ(3u, CCRenderer::sharedRenderer()->getDrawCallsLastFrame());
    b->release();
}

namespace
{
// Pixels of the frame's area that are not the black background.
int drawnPixels(SDL_Surface* frame, const SDL_Rect& area)
{
    int drawn = 0;
    for (int y = area.y; y < area.y + area.h; ++y)
    {
        const Uint8* row = (const Uint8*)frame->pixels + y * frame->pitch;
        for (int x = area.x; x < area.x + area.w; ++x)
        {
            drawn += (row[x * 4] | row[x * 4 + 1] | row[x * 4 + 2]) != 0;
        }
    }
    return drawn;
}

const char* const kTwinFrameNames[] = { "flag.png", "boot.png", "tower.png", "plank.png" };
const int kTwinFrames = 4;

// The test frames packed turned (first kTwinFrames) and upright (the rest), retained; nearest
// texels, so the twins compare texel for texel at any scale.
CCArray* loadTwinFrames()
{
    CCArray* frames = CCArray::create();
    frames->retain();
    const char* sheets[] = { "/turned.plist", "/upright.plist" };
    for (const char* sheet : sheets)
    {
        // Both sheets name their frames alike: one sheet in the cache at a time.
        CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
        cache->addSpriteFramesWithFile((std::string(FRAME_SHEET_DIR) + sheet).c_str());
        for (const char* name : kTwinFrameNames)
        {
            CCSpriteFrame* frame = cache->spriteFrameByName(name);
            EXPECT_TRUE(frame != NULL) << sheet << " " << name;
            if (frame)
            {
                frame->getTexture()->setAliasTexParameters();
                frames->addObject(frame);
            }
        }
        CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    }
    return frames;
}

CCSpriteFrame* twinFrame(CCArray* frames, bool upright, int index)
{
    return static_cast<CCSpriteFrame*>(frames->objectAtIndex((upright ? kTwinFrames : 0) + index));
}
} // namespace

// Sheet packers store tall frames turned a quarter to pack tighter. A frame from such a sheet must
// draw as the same frame packed upright, pixel by pixel, however its sprite is scaled, turned or
// flipped. Both sheets come from one set of frames (spritemaker pack with and without --rotate).
TEST_F(RenderTest, FramesPackedTurnedDrawLikeTheirUprightTwins)
{
    const char* const* names = kTwinFrameNames;
    const int kFrames = kTwinFrames;
    CCArray* frames = loadTwinFrames();
    ASSERT_EQ((unsigned int)(2 * kFrames), frames->count());
    for (int i = 0; i < kFrames; ++i)
    {
        // The tall frames were stored turned, the wide one upright; the twins all upright.
        const bool tall = i < 3;
        EXPECT_EQ(tall, twinFrame(frames, false, i)->isRotated()) << names[i];
        EXPECT_FALSE(twinFrame(frames, true, i)->isRotated()) << names[i];
    }

    struct Case
    {
        const char* what;
        float scale;
        float rotation;
        bool flipX;
        bool flipY;
    } cases[] = {
        { "as packed", 1, 0, false, false },     { "scaled", 2, 0, false, false },
        { "flipped across", 1, 0, true, false }, { "flipped upside down", 1, 0, false, true },
        { "turned right", 1, 90, false, false }, { "turned left and flipped", 1, 270, true, false },
        { "upside down", 1, 180, false, false },
    };
    CCScene* scene = CCScene::create();
    CCDirector::sharedDirector()->runWithScene(scene);
    const SDL_Rect left = { 0, 0, 80, 120 };
    const SDL_Rect right = { 80, 0, 80, 120 };
    for (const Case& c : cases)
    {
        for (int i = 0; i < kFrames; ++i)
        {
            scene->removeAllChildren();
            for (int side = 0; side < 2; ++side)
            {
                CCSprite* sprite = CCSprite::createWithSpriteFrame(twinFrame(frames, side == 1, i));
                sprite->setPosition(ccp(side ? 120 : 40, 60));
                sprite->setScale(c.scale);
                sprite->setRotation(c.rotation);
                sprite->setFlipX(c.flipX);
                sprite->setFlipY(c.flipY);
                scene->addChild(sprite);
            }
            CCDirector::sharedDirector()->step(1.0f / 60.0f);
            SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
            ASSERT_TRUE(frame != NULL);
            std::string why;
            EXPECT_GT(drawnPixels(frame, left), 0) << c.what << ", " << names[i];
            // SDL's software rasterizer may put a texel one texel off where it interpolates
            // triangles (and truncates coordinates on sheets of odd sizes); a frame drawn
            // unturned or squeezed is off by far more.
            const int reach = (int)ceilf(c.scale);
            EXPECT_TRUE(vorntest::areasMatch(frame, left, right, 0, reach, &why))
                << c.what << ", " << names[i] << ": " << why;
            SDL_FreeSurface(frame);
        }
    }
    frames->release();
}

namespace
{
// Where a texture coordinate of a piece lands in its frame, in the frame's upright pixels (y down).
CCPoint framePixelOf(CCSpriteFrame* frame, const ccTex2F& uv)
{
    const float x = uv.u * frame->getTexture()->getPixelsWide() - frame->getRect().origin.x;
    const float y = uv.v * frame->getTexture()->getPixelsHigh() - frame->getRect().origin.y;
    // Stored turned a quarter clockwise: the stored column counts up from the frame's bottom.
    return frame->isRotated() ? ccp(y, frame->getRect().size.height - x) : ccp(x, y);
}
} // namespace

// A scale-9 image cut from a frame stored turned: every piece shows the same part of the image as
// its twin cut from the upright frame, at every size, and the whole draws alike.
TEST_F(RenderTest, ScaleNineOfATurnedFrameDrawsLikeItsUprightTwin)
{
    CCArray* frames = loadTwinFrames();
    ASSERT_EQ((unsigned int)(2 * kTwinFrames), frames->count());
    const int tall[] = { 0, 2 };   // flag and tower, both stored turned
    const CCSize sizes[] = { CCSizeMake(0, 0), CCSizeMake(30, 40), CCSizeMake(20, 70) };
    CCScene* scene = CCScene::create();
    CCDirector::sharedDirector()->runWithScene(scene);
    for (int index : tall)
    {
        for (const CCSize& size : sizes)
        {
            SCOPED_TRACE(std::string(kTwinFrameNames[index]) + (size.width > 0 ? " stretched" : " as it is"));
            scene->removeAllChildren();
            CCScale9Sprite* nines[2];
            for (int side = 0; side < 2; ++side)
            {
                nines[side] = CCScale9Sprite::createWithSpriteFrame(twinFrame(frames, side == 1, index),
                                                                    CCRectMake(3, 5, 3, 7));
                ASSERT_TRUE(nines[side] != NULL);
                if (size.width > 0)
                {
                    nines[side]->setPreferredSize(size);
                }
                nines[side]->setPosition(ccp(side ? 120 : 40, 60));
                scene->addChild(nines[side]);
            }
            for (int piece = 0; piece < 9; ++piece)
            {
                const ccSpriteQuad& turned = nines[0]->getPiece(piece)->getQuad();
                const ccSpriteQuad& upright = nines[1]->getPiece(piece)->getQuad();
                const ccSpriteVertex* a[4] = { &turned.bl, &turned.br, &turned.tl, &turned.tr };
                const ccSpriteVertex* b[4] = { &upright.bl, &upright.br, &upright.tl, &upright.tr };
                for (int corner = 0; corner < 4; ++corner)
                {
                    const CCPoint p = framePixelOf(twinFrame(frames, false, index), a[corner]->texCoords);
                    const CCPoint q = framePixelOf(twinFrame(frames, true, index), b[corner]->texCoords);
                    EXPECT_NEAR(q.x, p.x, 1e-3) << "piece " << piece << " corner " << corner;
                    EXPECT_NEAR(q.y, p.y, 1e-3) << "piece " << piece << " corner " << corner;
                }
            }
            if (size.width > 0)
            {
                continue;   // stretched, SDL's software rasterizer may be a texel off (many pixels)
            }
            CCDirector::sharedDirector()->step(1.0f / 60.0f);
            SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
            ASSERT_TRUE(frame != NULL);
            const SDL_Rect left = { 0, 0, 80, 120 };
            const SDL_Rect right = { 80, 0, 80, 120 };
            std::string why;
            EXPECT_GT(drawnPixels(frame, left), 0);
            EXPECT_TRUE(vorntest::areasMatch(frame, left, right, 0, 1, &why)) << why;
            SDL_FreeSurface(frame);
        }
    }
    frames->release();
}

TEST_F(RenderTest, QuadsThatChangeNoPixelAreLeftOut)
{
    // The view is 160x120; each sprite is 8x8 around its position.
    const ccBlendFunc normal = { GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA };
    const ccBlendFunc additive = { GL_SRC_ALPHA, GL_ONE };
    const ccBlendFunc modulate = { GL_DST_COLOR, GL_ZERO };
    const struct Case
    {
        const char* what;
        float x, y;
        GLubyte opacity;
        ccBlendFunc blend;
        unsigned int quads;
    } cases[] = {
        { "inside", 80, 60, 255, normal, 1 },
        { "across the left edge", 2, 60, 255, normal, 1 },
        { "touching the right edge from inside", 156.5f, 60, 255, normal, 1 },
        { "wholly left", -4, 60, 255, normal, 0 },
        { "wholly right", 164, 60, 255, normal, 0 },
        { "wholly below", 80, -4, 255, normal, 0 },
        { "wholly above", 80, 125, 255, normal, 0 },
        { "faded out", 80, 60, 0, normal, 0 },
        { "faded out, added", 80, 60, 0, additive, 0 },
        { "faded out, modulating", 80, 60, 0, modulate, 1 },
        { "nearly faded out", 80, 60, 1, normal, 1 },
    };
    CCTexture2D* texture = makeTexture(8, 8, ccc4(200, 60, 60, 255), ccc4(200, 60, 60, 255), false);
    texture->retain();
    for (const Case& c : cases)
    {
        CCScene* scene = CCScene::create();
        CCSprite* sprite = CCSprite::createWithTexture(texture);
        sprite->setPosition(ccp(c.x, c.y));
        sprite->setOpacity(c.opacity);
        sprite->setBlendFunc(c.blend);
        scene->addChild(sprite);
        CCDirector* director = CCDirector::sharedDirector();
        if (director->getRunningScene())
        {
            director->replaceScene(scene);
        }
        else
        {
            director->runWithScene(scene);
        }
        director->step(0);
        EXPECT_EQ(c.quads, CCRenderer::sharedRenderer()->getQuadsLastFrame()) << c.what;
    }
    texture->release();
}

TEST_F(RenderTest, SkippingUnseenWorkLeavesThePictureAsItWas)
{
    // Opaque and translucent art, a faded-out overlay, linear and nearest filtering, an atlas
    // region next to transparent texels and sprites off the view: drawn with and without the
    // renderer's shortcuts, the frames are the same pixel for pixel.
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(ccc4(30, 30, 70, 255)));
    CCTexture2D* opaque = makeTexture(16, 16, ccc4(220, 40, 40, 255), ccc4(40, 200, 40, 255), true);
    CCTexture2D* holed = makeTexture(16, 16, ccc4(220, 220, 40, 255), ccc4(0, 0, 0, 0), false);
    CCTexture2D* crisp = makeTexture(16, 16, ccc4(220, 40, 40, 255), ccc4(40, 200, 40, 255), true);
    CCTexture2D* crispHoled = makeTexture(16, 16, ccc4(220, 220, 40, 255), ccc4(0, 0, 0, 0), false);
    crisp->setAliasTexParameters();
    crispHoled->setAliasTexParameters();
    const struct
    {
        CCTexture2D* texture;
        CCRect rect;
        float x, y, scale, rotation;
        GLubyte opacity;
    } sprites[] = {
        { opaque, CCRectMake(0, 0, 16, 16), 40, 60, 3.0f, 0, 255 },
        { crisp, CCRectMake(0, 0, 16, 16), 70, 40, 2.5f, 20, 255 },
        { holed, CCRectMake(0, 0, 8, 16), 100, 70, 4.0f, 0, 255 },   // the opaque half, next to clear texels
        { crispHoled, CCRectMake(0, 0, 8, 16), 130, 30, 4.0f, 0, 255 },
        { holed, CCRectMake(0, 0, 16, 16), 120, 90, 2.0f, 0, 255 },
        { opaque, CCRectMake(0, 0, 16, 16), 60, 90, 2.0f, 0, 160 },
        { opaque, CCRectMake(0, 0, 16, 16), -40, 60, 2.0f, 0, 255 },
        { opaque, CCRectMake(0, 0, 16, 16), 80, 60, 10.0f, 0, 0 },   // a faded-out cover
    };
    for (const auto& s : sprites)
    {
        CCSprite* sprite = CCSprite::createWithTexture(s.texture, s.rect);
        sprite->setPosition(ccp(s.x, s.y));
        sprite->setScale(s.scale);
        sprite->setRotation(s.rotation);
        sprite->setOpacity(s.opacity);
        scene->addChild(sprite);
    }
    CCDirector::sharedDirector()->runWithScene(scene);
    CCDirector::sharedDirector()->step(0);

    CCRenderer* renderer = CCRenderer::sharedRenderer();
    SDL_Surface* frames[2] = { NULL, NULL };
    unsigned int quads[2] = { 0, 0 };
    for (int skip = 0; skip < 2; ++skip)
    {
        renderer->setSkipsUnseenWork(skip != 0);
        renderer->beginFrame(ccc4(0, 0, 0, 255));
        scene->visit();
        renderer->endFrame();
        frames[skip] = renderer->readPixels();
        quads[skip] = renderer->getQuadsLastFrame();
        ASSERT_TRUE(frames[skip] != NULL);
    }
    renderer->setSkipsUnseenWork(true);
    const int differing = vorntest::differingBytes(frames[0], frames[1]);
    EXPECT_EQ(0, differing);
    EXPECT_EQ(quads[0] - 2, quads[1]) << "the sprite off the view and the faded-out cover are left out";
    SDL_FreeSurface(frames[0]);
    SDL_FreeSurface(frames[1]);
}

TEST(RendererBlend, PairsMapToTheNearestSDLMode)
{
    struct Case
    {
        GLenum src, dst;
        SDL_BlendMode mode;
        bool logged;
    } cases[] = {
        { GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, SDL_BLENDMODE_BLEND, false },
        { GL_ONE, GL_ONE_MINUS_SRC_ALPHA, SDL_BLENDMODE_BLEND, false },
        { GL_SRC_ALPHA, GL_ONE, SDL_BLENDMODE_ADD, false },
        { GL_ONE, GL_ONE, SDL_BLENDMODE_ADD, false },
        { GL_ONE, GL_ZERO, SDL_BLENDMODE_NONE, false },
        { GL_DST_COLOR, GL_ZERO, SDL_BLENDMODE_MOD, false },
        { GL_ONE_MINUS_DST_COLOR, GL_ONE, SDL_BLENDMODE_ADD, true },
        { GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA, SDL_BLENDMODE_BLEND, true },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
    {
        vorntest::LogCapture log;
        ccBlendFunc f = { cases[i].src, cases[i].dst };
        EXPECT_EQ(cases[i].mode, CCRenderer::blendModeFor(f)) << i;
        EXPECT_EQ(cases[i].logged, !log.lines().empty()) << i;
        // Said once per pair.
        log.clear();
        CCRenderer::blendModeFor(f);
        EXPECT_TRUE(log.lines().empty()) << i;
    }
}

TEST(OcclusionCuller, VisiblePartsAreWhatNoCoverHides)
{
    // Every pixel of the rectangle is in exactly one part or under a cover, never both.
    const SDL_Rect rect = { 10, 20, 100, 60 };
    const struct Case
    {
        const char* what;
        std::vector<SDL_Rect> covers;
        int shown;   // pixels left to draw
    } cases[] = {
        { "no cover", {}, 6000 },
        { "beside it", { { 200, 20, 50, 50 } }, 6000 },
        { "over it whole", { { 0, 0, 200, 200 } }, 0 },
        { "its lower half", { { 0, 50, 200, 100 } }, 3000 },
        { "a hole in the middle", { { 40, 40, 20, 20 } }, 5600 },
        { "two halves side by side", { { 0, 0, 60, 200 }, { 60, 0, 100, 200 } }, 0 },
        { "overlapping covers", { { 10, 20, 60, 60 }, { 50, 20, 40, 30 } }, 1800 },
        { "touching its edge only", { { 110, 20, 10, 60 } }, 6000 },
        // Many small holes would cut it past the limit of parts; the cover over it all still counts.
        { "small holes, then over it whole",
          { { 14, 24, 2, 2 }, { 24, 24, 2, 2 }, { 34, 24, 2, 2 }, { 44, 24, 2, 2 }, { 54, 24, 2, 2 },
            { 14, 34, 2, 2 }, { 24, 34, 2, 2 }, { 34, 34, 2, 2 }, { 44, 34, 2, 2 }, { 54, 34, 2, 2 },
            { 0, 0, 200, 200 } },
          0 },
    };
    for (const Case& c : cases)
    {
        CCOcclusionCuller culler;
        for (const SDL_Rect& cover : c.covers)
        {
            culler.addCover(cover);
        }
        std::vector<SDL_Rect> parts;
        culler.visibleParts(rect, &parts);
        std::vector<int> seen((size_t)rect.w * rect.h, 0);
        for (const SDL_Rect& p : parts)
        {
            for (int y = p.y; y < p.y + p.h; ++y)
            {
                for (int x = p.x; x < p.x + p.w; ++x)
                {
                    ASSERT_TRUE(x >= rect.x && x < rect.x + rect.w && y >= rect.y && y < rect.y + rect.h) << c.what;
                    ++seen[(size_t)(y - rect.y) * rect.w + (x - rect.x)];
                }
            }
        }
        int shown = 0;
        for (int y = rect.y; y < rect.y + rect.h; ++y)
        {
            for (int x = rect.x; x < rect.x + rect.w; ++x)
            {
                bool covered = false;
                for (const SDL_Rect& cover : c.covers)
                {
                    covered = covered || (x >= cover.x && x < cover.x + cover.w && y >= cover.y && y < cover.y + cover.h);
                }
                const int n = seen[(size_t)(y - rect.y) * rect.w + (x - rect.x)];
                EXPECT_EQ(covered ? 0 : 1, n) << c.what << " at " << x << "," << y;
                if (n != (covered ? 0 : 1))
                {
                    return;
                }
                shown += n;
            }
        }
        EXPECT_EQ(c.shown, shown) << c.what;
    }
}

TEST(OcclusionCuller, PixelBoxesOfACorners)
{
    // Inner: whole pixels inside (what an opaque quad surely covers); outer: every pixel touched.
    const struct Case
    {
        SDL_FPoint corners[4];
        SDL_Rect inner, outer;
        bool upright;
    } cases[] = {
        { { { 0, 10 }, { 8, 10 }, { 0, 0 }, { 8, 0 } }, { 0, 0, 8, 10 }, { 0, 0, 8, 10 }, true },
        { { { 0.5f, 10.5f }, { 8.5f, 10.5f }, { 0.5f, 0.5f }, { 8.5f, 0.5f } }, { 1, 1, 7, 9 }, { 0, 0, 9, 11 }, true },
        { { { 8, 0 }, { 0, 0 }, { 8, 10 }, { 0, 10 } }, { 0, 0, 8, 10 }, { 0, 0, 8, 10 }, true },   // flipped both ways
        { { { 0, 5 }, { 5, 0 }, { 5, 10 }, { 10, 5 } }, { 0, 0, 10, 10 }, { 0, 0, 10, 10 }, false }, // turned 45 degrees
        { { { 0, 0 }, { 8, 0 }, { 0, 0 }, { 8, 0 } }, { 0, 0, 8, 0 }, { 0, 0, 8, 0 }, false },      // flat
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
    {
        const Case& c = cases[i];
        const SDL_Rect inner = CCOcclusionCuller::innerPixels(c.corners, 4);
        const SDL_Rect outer = CCOcclusionCuller::outerPixels(c.corners, 4);
        EXPECT_TRUE(inner.x == c.inner.x && inner.y == c.inner.y && inner.w == c.inner.w && inner.h == c.inner.h) << i;
        EXPECT_TRUE(outer.x == c.outer.x && outer.y == c.outer.y && outer.w == c.outer.w && outer.h == c.outer.h) << i;
        EXPECT_EQ(c.upright, CCOcclusionCuller::isUpright(c.corners)) << i;
    }
}

namespace
{
// A scene drawn once whole and once split into the parts of its sprites with any alpha: the two
// frames, and the pixels filled and quads sent for each.
struct SplitOrNot
{
    SDL_Surface* frames[2];
    unsigned long fill[2];
    unsigned int quads[2];
};

// A sprite of texture in the middle of the 160x120 view, enlarged, faded and perhaps added.
CCSprite* addCentredSprite(CCScene* scene, CCTexture2D* texture, float scale, GLubyte opacity, bool added)
{
    CCSprite* sprite = CCSprite::createWithTexture(texture);
    sprite->setPosition(ccp(80, 60));
    sprite->setScale(scale);
    sprite->setOpacity(opacity);
    if (added)
    {
        const ccBlendFunc additive = { GL_SRC_ALPHA, GL_ONE };
        sprite->setBlendFunc(additive);
    }
    scene->addChild(sprite);
    return sprite;
}

bool drawWholeThenSplit(CCScene* scene, SplitOrNot* out)
{
    CCRenderer* renderer = CCRenderer::sharedRenderer();
    bool read = true;
    for (int split = 0; split < 2; ++split)
    {
        renderer->setSplitsClearTexels(split != 0);
        renderer->beginFrame(ccc4(0, 0, 0, 255));
        scene->visit();
        renderer->endFrame();
        out->frames[split] = renderer->readPixels();
        out->fill[split] = renderer->getFillLastFrame();
        out->quads[split] = renderer->getQuadsLastFrame();
        read = read && out->frames[split] != NULL;
    }
    renderer->setSplitsClearTexels(false);
    return read;
}
} // namespace

TEST_F(RenderTest, CrispSpritesDrawnAsTheirPartsWithAlphaLookTheSame)
{
    // A figure in a 16x16 frame with clear texels around it (head, body, legs), crisp, drawn
    // four times enlarged on whole pixels, where the software renderer places texels exactly:
    // upright, flipped, over a backdrop and faded, each the same when only its parts with alpha
    // are drawn, for fewer pixels filled.
    std::vector<unsigned char> pixels(16 * 16 * 4, 0);
    for (int y = 0; y < 16; ++y)
    {
        for (int x = 0; x < 16; ++x)
        {
            const bool head = y < 4 && x >= 6 && x <= 9;
            const bool body = y >= 4 && y < 12 && x >= 2 && x <= 13;
            const bool legs = y >= 12 && ((x >= 4 && x <= 6) || (x >= 9 && x <= 11));
            if (head || body || legs)
            {
                unsigned char* p = &pixels[(size_t)(y * 16 + x) * 4];
                p[0] = (unsigned char)(x * 15);
                p[1] = (unsigned char)(y * 15);
                p[2] = 90;
                p[3] = 255;
            }
        }
    }
    CCTexture2D* figure = new CCTexture2D();
    figure->initWithData(&pixels[0], kCCTexture2DPixelFormat_RGBA8888, 16, 16, CCSize(16, 16));
    figure->autorelease();
    figure->setAliasTexParameters();
    const struct Case
    {
        const char* what;
        bool flipX, flipY;
        GLubyte opacity;
        bool added;
    } cases[] = {
        { "upright", false, false, 255, false },
        { "flipped across", true, false, 255, false },
        { "flipped over", false, true, 255, false },
        { "faded", false, false, 120, false },
        { "added", true, false, 200, true },
    };
    for (const Case& c : cases)
    {
        CCScene* scene = CCScene::create();
        scene->addChild(CCLayerColor::create(ccc4(40, 70, 30, 255)));
        CCSprite* sprite = addCentredSprite(scene, figure, 4.0f, c.opacity, c.added);
        sprite->setFlipX(c.flipX);
        sprite->setFlipY(c.flipY);
        SplitOrNot drawn;
        ASSERT_TRUE(drawWholeThenSplit(scene, &drawn)) << c.what;
        SDL_Surface* const* frames = drawn.frames;
        const unsigned long* fill = drawn.fill;
        const unsigned int* quads = drawn.quads;
        const int differing = vorntest::differingBytes(frames[0], frames[1]);
        EXPECT_EQ(0, differing) << c.what;
        // The backdrop fills the view either way; the figure's 64x64 box, 144 of whose 256 texels
        // its four bands keep.
        EXPECT_EQ(160ul * 120ul + 64ul * 64ul, fill[0]) << c.what;
        EXPECT_EQ(160ul * 120ul + 144ul * 16ul, fill[1]) << c.what;
        EXPECT_EQ(quads[0] + 3, quads[1]) << c.what;
        SDL_FreeSurface(frames[0]);
        SDL_FreeSurface(frames[1]);
    }
}

TEST_F(RenderTest, OverlayDrawnWithoutItsClearMiddleLooksTheSame)
{
    // An 80x60 edge overlay (one colour round a clear middle), smooth or crisp, stretched twice
    // over the whole view on whole pixels, where the software renderer places texels exactly:
    // over a backdrop, faded and added, each the same when its clear middle is left out, for
    // fewer pixels filled. The software renderer's scaled copies do not filter across a part's edge,
    // so the middle's edges lie inside the overlay's row bands (15 rows each).
    const int kWide = 80, kHigh = 60;
    std::vector<unsigned char> pixels(kWide * kHigh * 4, 0);
    for (int y = 0; y < kHigh; ++y)
    {
        for (int x = 0; x < kWide; ++x)
        {
            if (x < 16 || x >= 64 || y < 12 || y >= 47)
            {
                unsigned char* p = &pixels[(size_t)(y * kWide + x) * 4];
                p[0] = 220;
                p[1] = 40;
                p[2] = 30;
                p[3] = 150;
            }
        }
    }
    CCTexture2D* edge = new CCTexture2D();
    edge->initWithData(&pixels[0], kCCTexture2DPixelFormat_RGBA8888, kWide, kHigh, CCSize(kWide, kHigh));
    edge->autorelease();
    const struct Case
    {
        const char* what;
        GLubyte opacity;
        bool added;
        bool smooth;
    } cases[] = {
        { "shown", 255, false, true },
        { "faded", 90, false, true },
        { "added", 200, true, true },
        { "crisp", 200, false, false },
        { "crisp added", 120, true, false },
    };
    for (const Case& c : cases)
    {
        if (c.smooth)
        {
            edge->setAntiAliasTexParameters();
        }
        else
        {
            edge->setAliasTexParameters();
        }
        CCScene* scene = CCScene::create();
        scene->addChild(CCLayerColor::create(ccc4(40, 70, 130, 255)));
        addCentredSprite(scene, edge, 2.0f, c.opacity, c.added);
        SplitOrNot drawn;
        ASSERT_TRUE(drawWholeThenSplit(scene, &drawn)) << c.what;
        SDL_Surface* const* frames = drawn.frames;
        const unsigned long* fill = drawn.fill;
        EXPECT_EQ(0, vorntest::differingBytes(frames[0], frames[1])) << c.what;
        // Backdrop and overlay fill the view each; the bands whose rows (and, smooth, their
        // neighbours) are clear in the middle (rows 15 to 44) leave out its columns (16 to 63),
        // smooth but the one on each side: 30x48 or 30x46 texels, 4 pixels each.
        EXPECT_EQ(2ul * 160ul * 120ul, fill[0]) << c.what;
        EXPECT_EQ(2ul * 160ul * 120ul - 30ul * (c.smooth ? 46ul : 48ul) * 4ul, fill[1]) << c.what;
        SDL_FreeSurface(frames[0]);
        SDL_FreeSurface(frames[1]);
    }
}
