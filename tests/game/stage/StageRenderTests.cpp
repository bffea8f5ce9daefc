// The street stage drawn headless as the camera would show it, compared with a stored frame.
// Regenerate the reference with VORN_UPDATE_REFERENCES=1 (then look at it).
#include "StageTestSupport.h"

#include "VornBackdrop.h"
#include "VornImageCompare.h"

#include "cocos2d.h"

#include <cstdlib>

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
};

TEST_F(StageRenderTest, StreetMatchesReferenceFrame)
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
    ASSERT_TRUE(backdrop->initWithFile("stage-street", gameLayer, actors));

    // The camera a third of the way in: the game layer scrolled and zoomed, the parallax applied.
    const float viewX = 250.0f;
    gameLayer->setScale(kZoom);
    gameLayer->setPosition(CCPoint(kViewWidth * 0.5f - viewX * kZoom, kViewHeight * 0.5f));
    backdrop->onCameraMoved(CCPoint(-viewX, 0));
    backdrop->onCameraMoved(CCPoint(-viewX, 0));

    CCDirector::sharedDirector()->runWithScene(scene);
    for (int i = 0; i < 3; ++i)
    {
        CCDirector::sharedDirector()->step(1.0f / 60.0f);
    }
    SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
    ASSERT_TRUE(frame != NULL);
    std::string why;
    EXPECT_TRUE(vorntest::matchesReference(frame, vorntest::fixturePath("game/stage/street.png"), 8, 0.01, &why)) << why;

    // Independent of the reference: dusk sky at the top, asphalt along the bottom.
    const Uint8* sky = pixelAt(frame, 300, kViewHeight - 2);
    EXPECT_GT(sky[2], sky[0]);
    const Uint8* road = pixelAt(frame, 150, 4);
    EXPECT_LT(road[0], 80);
    EXPECT_NEAR(road[0], road[2], 16);
    SDL_FreeSurface(frame);
}
