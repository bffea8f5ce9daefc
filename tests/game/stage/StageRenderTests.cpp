// The street stage drawn headless as the camera would show it, compared with a stored frame.
// Regenerate the reference with VORN_UPDATE_REFERENCES=1 (then look at it).
#include "StageTestSupport.h"

#include "VornBackdrop.h"
#include "VornImageCompare.h"
#include "VornImpact.h"

#include "CCObjectPool.h"

#include "cocos2d.h"

#include <cstdlib>
#include <functional>

USING_NS_CC;

namespace
{
// The camera's zoom on world units and the view it gives at 16:9.
const float kZoom = 4.0f;
const int kViewWidth = 604;
const int kViewHeight = 340;

const Uint8* pixelAt(SDL_Surface* frame, int x, int y)
{
    return (const Uint8*)frame->pixels + (frame->h - 1 - y) * frame->pitch + x * 4;
}
} // namespace

class StageRenderTest : public StageTest
{
protected:
    void SetUp()
    {
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        ASSERT_TRUE(view != NULL);
        view->setFrameSize(kViewWidth, kViewHeight);
        view->setDesignResolutionSize(kViewWidth, kViewHeight, kResolutionShowAll);
        CCDirector::sharedDirector()->setOpenGLView(view);
        StageTest::SetUp();
    }
    void TearDown()
    {
        StageTest::TearDown();
        CCEGLView::purgeSharedOpenGLView();
    }

    /** The stage as the camera shows it centred on viewX, after a few frames; NULL on failure. */
    SDL_Surface* render(const char* stage, float viewX, const std::function<void(CCNode*)>& dress = nullptr,
                        int frames = 3)
    {
        CCScene* scene = CCScene::create();
        CCNode* gameLayer = CCNode::create();
        CCNode* actors = CCNode::create();
        gameLayer->addChild(actors, 0);
        scene->addChild(gameLayer);

        VornBackdrop* backdrop = new VornBackdrop();
        m_pManager->setBackground(backdrop);
        backdrop->release();
        srand(3);
        if (!backdrop->initWithFile(stage, gameLayer, actors))
        {
            return NULL;
        }

        // The game layer scrolled and zoomed, the parallax applied.
        gameLayer->setScale(kZoom);
        gameLayer->setPosition(CCPoint(kViewWidth * 0.5f - viewX * kZoom, kViewHeight * 0.5f));
        backdrop->onCameraMoved(CCPoint(-viewX, 0));
        backdrop->onCameraMoved(CCPoint(-viewX, 0));
        if (dress)
        {
            dress(gameLayer);
        }

        CCDirector::sharedDirector()->runWithScene(scene);
        for (int i = 0; i < frames; ++i)
        {
            CCDirector::sharedDirector()->step(1.0f / 60.0f);
        }
        return CCRenderer::sharedRenderer()->readPixels();
    }

    /** The frame compared with the stored one of that name (regenerated on request). */
    void expectReference(SDL_Surface* frame, const char* reference)
    {
        std::string why;
        EXPECT_TRUE(vorntest::matchesReference(frame, vorntest::fixturePath(std::string("game/stage/") + reference), 8,
                                               0.01, &why))
            << why;
    }
};

TEST_F(StageRenderTest, StreetMatchesReferenceFrame)
{
    // The camera a third of the way in.
    SDL_Surface* frame = render("stage-street", 250.0f);
    ASSERT_TRUE(frame != NULL);
    expectReference(frame, "street.png");

    // Independent of the reference: dusk sky at the top, asphalt along the bottom.
    const Uint8* sky = pixelAt(frame, 300, kViewHeight - 2);
    EXPECT_GT(sky[2], sky[0]);
    const Uint8* road = pixelAt(frame, 150, 4);
    EXPECT_LT(road[0], 80);
    EXPECT_NEAR(road[0], road[2], 16);
    SDL_FreeSurface(frame);
}

TEST_F(StageRenderTest, DocksMatchReferenceFrameWhereQuayMeetsPier)
{
    SDL_Surface* frame = render("stage-docks", 360.0f);
    ASSERT_TRUE(frame != NULL);
    expectReference(frame, "docks.png");

    // Night sky on top, blue water above the walk, concrete left of centre, wooden planks right.
    const Uint8* sky = pixelAt(frame, 400, kViewHeight - 2);
    EXPECT_LT(sky[0], 40);
    EXPECT_GT(sky[2], sky[0]);
    const Uint8* water = pixelAt(frame, 580, kViewHeight / 2 - 8);
    EXPECT_GT(water[2], water[0] + 20);
    const Uint8* quay = pixelAt(frame, 60, 60);
    EXPECT_NEAR(quay[0], quay[2], 20);
    const Uint8* pier = pixelAt(frame, 420, 60);
    EXPECT_GT(pier[0], pier[2] + 30);
    SDL_FreeSurface(frame);
}

TEST_F(StageRenderTest, RooftopArenaMatchesReferenceFrame)
{
    SDL_Surface* frame = render("stage-arena", 120.0f);
    ASSERT_TRUE(frame != NULL);
    expectReference(frame, "arena.png");

    // A purple city glow above the parapet, dark tar along the bottom.
    const Uint8* sky = pixelAt(frame, 80, kViewHeight - 20);
    EXPECT_GT(sky[2], sky[1] + 10);
    const Uint8* tar = pixelAt(frame, 200, 10);
    EXPECT_LT(tar[0], 70);
    SDL_FreeSurface(frame);
}



TEST_F(StageRenderTest, HitBurstShowsAsAWarmSparkOverTheFight)
{
    ASSERT_TRUE(m_pManager->initImpactPool());
    const float viewX = 360.0f;
    SDL_Surface* frame = render("stage-docks", viewX, [&](CCNode* gameLayer) {
        srand(5);
        VornImpact* impact = static_cast<VornImpact*>(m_pManager->getImpactPool()->getObject());
        ASSERT_TRUE(impact != nullptr);
        // A punch landing at chest height, thrown to the right, dealing 12.
        impact->showImpact(gameLayer, CCRect(viewX - 2, -14, 4, 4), CCPoint(1, 0), "12", true);
    }, 6);
    ASSERT_TRUE(frame != NULL);
    expectReference(frame, "impact.png");

    // Hot pixels around the centre of the view where the blow landed.
    int hot = 0;
    for (int y = 80; y < 160; ++y)
        for (int x = 260; x < 344; ++x)
        {
            const Uint8* p = pixelAt(frame, x, y);
            if (p[0] > 220 && p[1] > 120)
                ++hot;
        }
    EXPECT_GT(hot, 40);
    SDL_FreeSurface(frame);
}

TEST_F(StageRenderTest, TheLaterStoryStagesAndTheArenasMatchTheirReferenceFrames)
{
    struct
    {
        const char* stage;
        float viewX;
        const char* reference;
    } stages[] = {
        {"stage-market", 250.0f, "market.png"}, {"stage-yard", 360.0f, "yard.png"},
        {"stage-tower", 300.0f, "tower.png"},   {"stage-alley", 160.0f, "alley.png"},
        {"stage-freight", 160.0f, "freight.png"}, {"stage-helipad", 120.0f, "helipad.png"},
        {"stage-pier", 160.0f, "pier.png"},
    };
    for (const auto& st : stages)
    {
        SCOPED_TRACE(st.stage);
        SDL_Surface* frame = render(st.stage, st.viewX);
        ASSERT_TRUE(frame != NULL);
        expectReference(frame, st.reference);
        SDL_FreeSurface(frame);
    }
}

TEST_F(StageRenderTest, LayersHiddenBehindTheLevelAreNotFilledAndThePictureStaysTheSame)
{
    // Each stage drawn as the camera shows it, once with the renderer's shortcuts and once
    // without: the same pixels, while the far layers under the opaque level are not filled.
    struct
    {
        const char* stage;
        float viewX;
    } stages[] = {
        {"stage-street", 250.0f}, {"stage-docks", 360.0f},   {"stage-market", 250.0f}, {"stage-yard", 360.0f},
        {"stage-tower", 300.0f},  {"stage-arena", 120.0f},   {"stage-alley", 160.0f},  {"stage-freight", 160.0f},
        {"stage-helipad", 120.0f}, {"stage-pier", 160.0f},
    };
    CCRenderer* renderer = CCRenderer::sharedRenderer();
    const double view = (double)kViewWidth * kViewHeight;
    for (const auto& st : stages)
    {
        SCOPED_TRACE(st.stage);
        SDL_Surface* first = render(st.stage, st.viewX);
        ASSERT_TRUE(first != NULL);
        SDL_FreeSurface(first);
        SDL_Surface* frames[2] = { NULL, NULL };
        double fill[2] = { 0.0, 0.0 };
        for (int skip = 0; skip < 2; ++skip)
        {
            renderer->setSkipsUnseenWork(skip != 0);
            renderer->beginFrame(ccc4(0, 0, 0, 255));
            CCDirector::sharedDirector()->getRunningScene()->visit();
            renderer->endFrame();
            frames[skip] = renderer->readPixels();
            fill[skip] = renderer->getFillLastFrame() / view;
        }
        renderer->setSkipsUnseenWork(true);
        ASSERT_TRUE(frames[0] != NULL && frames[1] != NULL);
        const int differing = vorntest::differingBytes(frames[0], frames[1]);
        EXPECT_EQ(0, differing);
        // Drawn whole, the layers fill two and a half views and more; the parts under the level
        // are a good share of that.
        EXPECT_LT(fill[1], 0.8 * fill[0]) << "filled " << fill[1] << " views, " << fill[0] << " without shortcuts";
        SDL_FreeSurface(frames[0]);
        SDL_FreeSurface(frames[1]);
        CCDirector::sharedDirector()->end();
        CCDirector::sharedDirector()->step(0);
    }
}
