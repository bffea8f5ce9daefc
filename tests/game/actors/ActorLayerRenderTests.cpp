// A crowd of fighters drawn through the actor layer, against the same crowd drawn in plain tree
// order (each shadow with its fighter): the fighters come out in the same depth order, every
// shadow is still drawn, and the draw calls stop growing with the crowd.
#include "CombatTestSupport.h"
#include "VornActorLayer.h"

#include "cocos2d.h"

#include <cstring>

USING_NS_CC;

namespace
{
const int kWidth = 320;
const int kHeight = 180;
const int kCrowd = 8;

struct Frame
{
    SDL_Surface* pixels = NULL;
    unsigned int drawCalls = 0;
};

int differingPixels(SDL_Surface* a, SDL_Surface* b)
{
    int count = 0;
    for (int y = 0; y < a->h; ++y)
    {
        const Uint8* rowA = (const Uint8*)a->pixels + y * a->pitch;
        const Uint8* rowB = (const Uint8*)b->pixels + y * b->pitch;
        for (int x = 0; x < a->w; ++x)
        {
            count += memcmp(rowA + x * 4, rowB + x * 4, 3) != 0 ? 1 : 0;
        }
    }
    return count;
}
} // namespace

class ActorLayerRenderTest : public CombatTest
{
protected:
    void SetUp() override
    {
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        ASSERT_TRUE(view != NULL);
        view->setFrameSize(kWidth, kHeight);
        view->setDesignResolutionSize(kWidth, kHeight, kResolutionShowAll);
        CCDirector::sharedDirector()->setOpenGLView(view);
        CombatTest::SetUp();
        // A tight crowd, each thug a little nearer and to the right of the last, so bodies and
        // shadows overlap their neighbours'.
        for (int i = 0; i < kCrowd; ++i)
        {
            spawn("street-thug.plist", kCollisionList_Enemy, 30.0f + 4.0f * i, 40.0f - 3.0f * i,
                  i % 2 ? kFacingDir_Left : kFacingDir_Right);
        }
    }
    void TearDown() override
    {
        for (Frame& frame : m_frames)
        {
            SDL_FreeSurface(frame.pixels);
        }
        CombatTest::TearDown();
        CCEGLView::purgeSharedOpenGLView();
    }

    /** The crowd drawn inside layer (enlarged), farthest first as the game sorts them. */
    Frame draw(CCNode* layer, int count)
    {
        layer->setScale(2.0f);
        for (int i = 0; i < kCrowd; ++i)
        {
            m_actors[i]->removeFromParentAndCleanup(false);
            if (i < count)
            {
                layer->addChild(m_actors[i], i + 1);
            }
        }
        CCRenderer* renderer = CCRenderer::sharedRenderer();
        renderer->beginFrame(ccc4(40, 90, 40, 255));
        layer->visit();
        renderer->endFrame();
        Frame frame;
        frame.pixels = renderer->readPixels();
        frame.drawCalls = renderer->getDrawCallsLastFrame();
        m_frames.push_back(frame);
        for (int i = 0; i < count; ++i)
        {
            m_actors[i]->removeFromParentAndCleanup(false);
        }
        return frame;
    }

    void showShadows(bool shown)
    {
        for (TestActor* actor : m_actors)
        {
            ASSERT_TRUE(actor->getShadow() != NULL);
            actor->getShadow()->setVisible(shown);
        }
    }

    CCScopedAutoreleasePool m_pool;
    std::vector<Frame> m_frames;
};

TEST_F(ActorLayerRenderTest, CrowdKeepsItsDepthOrder)
{
    // Without shadows the two ways of drawing must give the same picture, pixel for pixel.
    showShadows(false);
    Frame plain = draw(CCNode::create(), kCrowd);
    Frame layered = draw(VornActorLayer::create(), kCrowd);
    ASSERT_TRUE(plain.pixels && layered.pixels);
    EXPECT_EQ(0, differingPixels(plain.pixels, layered.pixels));

    // With them, the shadows are all there: as many pixels darkened as in tree order, give or
    // take the few where a shadow now lies under a neighbour's feet instead of over them.
    showShadows(true);
    Frame plainShadowed = draw(CCNode::create(), kCrowd);
    Frame layeredShadowed = draw(VornActorLayer::create(), kCrowd);
    const int shadowPixels = differingPixels(plain.pixels, plainShadowed.pixels);
    EXPECT_GT(shadowPixels, 0);
    EXPECT_NEAR(shadowPixels, differingPixels(plain.pixels, layeredShadowed.pixels), shadowPixels / 4);
}

TEST_F(ActorLayerRenderTest, DrawCallsDoNotGrowWithTheCrowd)
{
    const unsigned int one = draw(VornActorLayer::create(), 1).drawCalls;
    const unsigned int crowd = draw(VornActorLayer::create(), kCrowd).drawCalls;
    const unsigned int plainCrowd = draw(CCNode::create(), kCrowd).drawCalls;
    EXPECT_EQ(one, crowd);
    // Tree order switches between the shadow and the fighters' sheet at every fighter.
    EXPECT_GE(plainCrowd, 2u * kCrowd);
}
