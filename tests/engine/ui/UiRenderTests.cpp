// Labels, particles, a stretched button background, a menu and a clipping scroll view drawn
// through the software renderer and compared with a stored frame.
// Regenerate the reference with VORN_UPDATE_REFERENCES=1 (then look at it).
#include "VornImageCompare.h"
#include "VornRenderTest.h"
#include "VornTestSupport.h"

#include "cocos-ext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
CCTexture2D* frameTexture()
{
    // A 12x12 panel: a light 3-pixel border round a dark middle.
    std::vector<unsigned char> pixels(12 * 12 * 4);
    for (int y = 0; y < 12; ++y)
    {
        for (int x = 0; x < 12; ++x)
        {
            const bool border = x < 3 || y < 3 || x > 8 || y > 8;
            unsigned char* p = &pixels[(y * 12 + x) * 4];
            p[0] = border ? 230 : 40;
            p[1] = border ? 200 : 60;
            p[2] = border ? 80 : 90;
            p[3] = 255;
        }
    }
    CCTexture2D* texture = new CCTexture2D();
    texture->initWithData(&pixels[0], kCCTexture2DPixelFormat_RGBA8888, 12, 12, CCSizeMake(12, 12));
    texture->autorelease();
    return texture;
}

const Uint8* pixelAt(SDL_Surface* frame, int x, int y)
{
    return (const Uint8*)frame->pixels + (frame->h - 1 - y) * frame->pitch + x * 4;
}
} // namespace

class UiRenderTest : public vorntest::RenderTest
{
};

TEST_F(UiRenderTest, WidgetsMatchReferenceFrame)
{
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(ccc4(20, 24, 40, 255)));

    // The game's font, tinted, and the fixture font wrapped and centred.
    CCLabelBMFont* title = CCLabelBMFont::create("TULMEK 1.0", vorntest::sourcePath("Resources/unibody8bold.fnt").c_str());
    ASSERT_TRUE(title != NULL);
    title->setColor(ccc3(255, 220, 120));
    title->setPosition(ccp(80, 108));
    scene->addChild(title);
    CCLabelBMFont* wrapped = CCLabelBMFont::create("AB AVA B", vorntest::fixturePath("engine/labels/tiny.fnt").c_str(),
                                                   24, kCCTextAlignmentCenter);
    ASSERT_TRUE(wrapped != NULL);
    wrapped->setPosition(ccp(24, 84));
    scene->addChild(wrapped);

    // A stretched panel under a menu with one label item.
    CCScale9Sprite* panel = CCScale9Sprite::create();
    ASSERT_TRUE(panel->initWithTexture(frameTexture(), CCRectZero, CCRectMake(3, 3, 6, 6)));
    panel->setPreferredSize(CCSizeMake(60, 24));
    panel->setPosition(ccp(120, 80));
    scene->addChild(panel);
    CCLabelBMFont* itemText = CCLabelBMFont::create("PLAY", vorntest::sourcePath("Resources/unibody8bold.fnt").c_str());
    CCMenuItemLabel* item = CCMenuItemLabel::create(itemText);
    item->setPosition(ccp(0, 0));
    CCMenu* menu = CCMenu::create(item, NULL);
    menu->setPosition(ccp(120, 80));
    scene->addChild(menu);

    // A scroll view showing 50x30 of a taller column of stripes, scrolled part way.
    CCScrollView* scroll = CCScrollView::create(CCSizeMake(50, 30));
    scroll->setPosition(ccp(10, 10));
    scroll->getContainer()->setContentSize(CCSizeMake(50, 90));
    for (int i = 0; i < 9; ++i)
    {
        CCLayerColor* stripe = CCLayerColor::create(i % 2 ? ccc4(60, 160, 220, 255) : ccc4(220, 80, 60, 255), 70, 10);
        stripe->setPosition(ccp(0, (float)(i * 10)));
        scroll->getContainer()->addChild(stripe);
    }
    scroll->setContentOffset(ccp(0, -35));
    scene->addChild(scroll);

    // Particles from the fixture, on a fixed seed.
    srand(5);
    CCParticleSystemQuad* sparks = CCParticleSystemQuad::create(vorntest::fixturePath("engine/particles/burst.plist").c_str());
    ASSERT_TRUE(sparks != NULL);
    sparks->setPosition(ccp(115, 20));
    scene->addChild(sparks);

    CCDirector::sharedDirector()->runWithScene(scene);
    for (int i = 0; i < 45; ++i)
    {
        CCDirector::sharedDirector()->step(1.0f / 60.0f);
    }

    SDL_Surface* frame = CCRenderer::sharedRenderer()->readPixels();
    ASSERT_TRUE(frame != NULL);
    std::string why;
    EXPECT_TRUE(vorntest::matchesReference(frame, vorntest::fixturePath("engine/ui/widgets.png"), 8, 0.01, &why)) << why;

    // Independent of the reference: the scroll view clips its stripes (70 wide) to 50, and the
    // panel's corner keeps the border colour while its middle is stretched dark.
    EXPECT_EQ(220, pixelAt(frame, 55, 15)[0]);   // a red stripe inside the view
    EXPECT_EQ(20, pixelAt(frame, 65, 15)[0]);    // beyond the view: background
    EXPECT_EQ(20, pixelAt(frame, 30, 5)[0]);     // below the view: background
    EXPECT_EQ(230, pixelAt(frame, 91, 69)[0]);   // panel corner
    EXPECT_EQ(40, pixelAt(frame, 96, 74)[0]);    // panel middle
    SDL_FreeSurface(frame);
}
