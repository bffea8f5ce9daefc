#include "NodeTestSupport.h"

#include <SDL.h>
#include <SDL_image.h>

#include <string>

USING_NS_CC;

namespace
{
// A 128x64 PNG whose pixel (0,0) is a half-transparent orange.
void writePng(const std::string& path)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 128, 64, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(s, NULL, SDL_MapRGBA(s->format, 0, 0, 255, 255));
    Uint8* p = (Uint8*)s->pixels;
    p[0] = 200;
    p[1] = 100;
    p[2] = 50;
    p[3] = 128;
    IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
}

// One trimmed frame (10x12 cut from a 16x20 image, centre offset (1,-2)) at x = 2 + 24 * format.
std::string sheet(int format, bool namesTexture)
{
    const int x = 2 + 24 * format;
    const std::string name = "f" + std::to_string(format) + ".png";
    const std::string rect = "{{" + std::to_string(x) + ",4},{10,12}}";
    std::string frame;
    if (format == 0)
    {
        frame = "<key>x</key><integer>" + std::to_string(x) + "</integer><key>y</key><integer>4</integer>"
                "<key>width</key><integer>10</integer><key>height</key><integer>12</integer>"
                "<key>offsetX</key><real>1</real><key>offsetY</key><real>-2</real>"
                "<key>originalWidth</key><integer>16</integer><key>originalHeight</key><integer>-20</integer>";
    }
    else if (format == 1 || format == 2)
    {
        frame = "<key>frame</key><string>" + rect + "</string><key>offset</key><string>{1,-2}</string>"
                "<key>sourceColorRect</key><string>{{4,2},{10,12}}</string>"
                "<key>sourceSize</key><string>{16,20}</string>";
        if (format == 2)
        {
            frame += "<key>rotated</key><true/>";
        }
    }
    else
    {
        frame = "<key>aliases</key><array><string>alias3</string></array>"
                "<key>spriteOffset</key><string>{1,-2}</string><key>spriteSize</key><string>{10,12}</string>"
                "<key>spriteSourceSize</key><string>{16,20}</string>"
                "<key>textureRect</key><string>" + rect + "</string><key>textureRotated</key><false/>";
    }
    std::string meta = "<key>format</key><integer>" + std::to_string(format) + "</integer>";
    if (namesTexture)
    {
        meta += "<key>textureFileName</key><string>art.png</string>";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>frames</key><dict><key>" + name + "</key><dict>" + frame + "</dict></dict>"
           "<key>metadata</key><dict>" + meta + "</dict></dict></plist>\n";
}
} // namespace

class SpriteTest : public EngineTest
{
protected:
    virtual void SetUp()
    {
        EngineTest::SetUp();
        m_dir = vorntest::makeTempDir("sprites");
        writePng(m_dir + "/art.png");
        writePng(m_dir + "/sheet3.png");
    }
    virtual void TearDown()
    {
        CCSpriteFrameCache::purgeSharedSpriteFrameCache();
        CCAnimationCache::purgeSharedAnimationCache();
        CCTextureCache::purgeSharedTextureCache();
        EngineTest::TearDown();
    }
    std::string m_dir;
};

TEST_F(SpriteTest, TextureKeepsStraightAlphaAndIsCachedByFullPath)
{
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    CCTexture2D* texture = cache->addImage((m_dir + "/art.png").c_str());
    ASSERT_TRUE(texture != NULL);
    EXPECT_EQ(128u, texture->getPixelsWide());
    EXPECT_EQ(64u, texture->getPixelsHigh());
    EXPECT_TRUE(texture->getContentSize().equals(CCSize(128, 64)));
    EXPECT_FALSE(texture->hasPremultipliedAlpha());
    const Uint8* p = (const Uint8*)texture->getSurface()->pixels;
    EXPECT_EQ(200, p[0]);
    EXPECT_EQ(100, p[1]);
    EXPECT_EQ(50, p[2]);
    EXPECT_EQ(128, p[3]);
    texture->setAliasTexParameters();
    EXPECT_FALSE(texture->isAntiAliased());

    EXPECT_EQ(texture, cache->addImage((m_dir + "/art.png").c_str()));
    EXPECT_EQ(texture, cache->textureForKey((m_dir + "/art.png").c_str()));
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string previous = files->getResourceDirectory();
    files->setResourceDirectory(m_dir.c_str());
    EXPECT_EQ(texture, cache->addImage("art.png"));   // a relative name finds the same entry
    files->setResourceDirectory(previous.c_str());

    vorntest::LogCapture log;
    EXPECT_EQ(NULL, cache->addImage((m_dir + "/missing.png").c_str()));
    EXPECT_TRUE(log.contains("missing.png"));
    EXPECT_EQ(NULL, CCSprite::create((m_dir + "/missing.png").c_str()));
}

TEST_F(SpriteTest, EverySheetFormatLoadsItsTrimmedFrame)
{
    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    CCTexture2D* art = CCTextureCache::sharedTextureCache()->addImage((m_dir + "/art.png").c_str());
    CCTexture2D* own = CCTextureCache::sharedTextureCache()->addImage((m_dir + "/sheet3.png").c_str());
    for (int format = 0; format <= 3; ++format)
    {
        const std::string plist = m_dir + "/sheet" + std::to_string(format) + ".plist";
        vorntest::writeFile(plist, sheet(format, format != 3));
        frames->addSpriteFramesWithFile(plist.c_str());
        const std::string name = "f" + std::to_string(format) + ".png";
        CCSpriteFrame* frame = frames->spriteFrameByName(name.c_str());
        ASSERT_TRUE(frame != NULL) << format;
        EXPECT_TRUE(frame->getRect().equals(CCRect(2 + 24 * format, 4, 10, 12))) << format;
        EXPECT_TRUE(frame->getOffset().equals(ccp(1, -2))) << format;
        EXPECT_TRUE(frame->getOriginalSize().equals(CCSize(16, 20))) << format;
        EXPECT_EQ(format == 2, frame->isRotated()) << format;
        // Named by the metadata beside the sheet, or the sheet's own name with .png.
        EXPECT_EQ(format == 3 ? own : art, frame->getTexture()) << format;
    }
    EXPECT_EQ(frames->spriteFrameByName("f3.png"), frames->spriteFrameByName("alias3"));

    vorntest::LogCapture log;
    EXPECT_EQ(NULL, frames->spriteFrameByName("nothing.png"));
    EXPECT_EQ(NULL, CCSprite::createWithSpriteFrameName("nothing.png"));
    frames->addSpriteFramesWithFile((m_dir + "/absent.plist").c_str());
    EXPECT_TRUE(log.contains("absent.plist"));
}

TEST_F(SpriteTest, DisplayFrameSizesAndOffsetsTheQuad)
{
    const std::string plist = m_dir + "/sheet1.plist";
    vorntest::writeFile(plist, sheet(1, true));
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(plist.c_str());

    CCSprite* sprite = CCSprite::createWithSpriteFrameName("f1.png");
    ASSERT_TRUE(sprite != NULL);
    EXPECT_TRUE(sprite->getContentSize().equals(CCSize(16, 20)));
    // Centred in 16x20, then moved by the offset: (16-10)/2 + 1, (20-12)/2 - 2.
    EXPECT_TRUE(sprite->getOffsetPosition().equals(ccp(4, 2)));
    const ccSpriteQuad& quad = sprite->getQuad();
    EXPECT_FLOAT_EQ(14.0f, quad.tr.vertices.x);
    EXPECT_FLOAT_EQ(14.0f, quad.tr.vertices.y);
    EXPECT_FLOAT_EQ(26.0f / 128.0f, quad.bl.texCoords.u);
    EXPECT_FLOAT_EQ(16.0f / 64.0f, quad.bl.texCoords.v);
    EXPECT_TRUE(sprite->isFrameDisplayed(CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName("f1.png")));

    sprite->setFlipX(true);
    EXPECT_TRUE(sprite->getOffsetPosition().equals(ccp(2, 2)));
    EXPECT_FLOAT_EQ(36.0f / 128.0f, sprite->getQuad().bl.texCoords.u);

    // A whole-texture sprite shows a different rect: no longer the frame.
    CCTexture2D* art = sprite->getTexture();
    sprite->setTextureRect(CCRect(0, 0, 128, 64));
    EXPECT_TRUE(sprite->getContentSize().equals(CCSize(128, 64)));
    EXPECT_FALSE(sprite->isFrameDisplayed(CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName("f1.png")));
    CCSpriteFrame* now = sprite->displayFrame();
    EXPECT_EQ(art, now->getTexture());
    EXPECT_TRUE(sprite->isFrameDisplayed(now));

    sprite->setColor(ccc3(10, 20, 30));
    sprite->setOpacity(40);
    EXPECT_EQ(30, sprite->getQuad().tl.colors.b);
    EXPECT_EQ(40, sprite->getQuad().tl.colors.a);   // straight alpha: colour is not scaled
}

TEST_F(SpriteTest, AnimateStepsThroughFramesAndSetFrameActionShowsOne)
{
    CCTexture2D* art = CCTextureCache::sharedTextureCache()->addImage((m_dir + "/art.png").c_str());
    CCArray* list = CCArray::create();
    list->retain();   // each step drains the pool
    for (int i = 0; i < 3; ++i)
    {
        list->addObject(CCSpriteFrame::createWithTexture(art, CCRect(i * 10, 0, 10, 10)));
    }
    CCAnimation* animation = CCAnimation::createWithSpriteFrames(list, 0.1f);
    EXPECT_FLOAT_EQ(0.3f, animation->getDuration());

    CCScene* scene = runScene();
    CCSprite* sprite = CCSprite::createWithTexture(art, CCRect(100, 0, 10, 10));
    scene->addChild(sprite);
    sprite->runAction(CCAnimate::create(animation));
    stepFrames(1, 0.0f);
    EXPECT_TRUE(sprite->isFrameDisplayed(static_cast<CCSpriteFrame*>(list->objectAtIndex(0))));
    stepFrames(1, 0.15f);
    EXPECT_TRUE(sprite->isFrameDisplayed(static_cast<CCSpriteFrame*>(list->objectAtIndex(1))));
    stepFrames(1, 0.2f);
    EXPECT_TRUE(sprite->isFrameDisplayed(static_cast<CCSpriteFrame*>(list->objectAtIndex(2))));
    EXPECT_EQ(0u, sprite->numberOfRunningActions());

    sprite->runAction(CCSetSpriteFrame::create(static_cast<CCSpriteFrame*>(list->objectAtIndex(0))));
    stepFrames(1);
    EXPECT_TRUE(sprite->isFrameDisplayed(static_cast<CCSpriteFrame*>(list->objectAtIndex(0))));
    list->release();
}

TEST_F(SpriteTest, ASceneOfSpritesAndLayersAdvancesThroughTheDirector)
{
    CCScene* scene = runScene();
    CCLayerColor* backdrop = CCLayerColor::create(ccc4(0, 0, 0, 255));
    scene->addChild(backdrop, -1);
    CCSpriteBatchNode* batch = CCSpriteBatchNode::create((m_dir + "/art.png").c_str());
    ASSERT_TRUE(batch != NULL);
    scene->addChild(batch);
    CCSprite* hero = CCSprite::createWithTexture(batch->getTexture(), CCRect(0, 0, 16, 16));
    batch->addChild(hero);
    EXPECT_EQ(batch, hero->getBatchNode());
    hero->setPosition(ccp(0, 100));
    hero->runAction(CCMoveBy::create(1.0f, ccp(60, 0)));
    backdrop->runAction(CCFadeOut::create(1.0f));

    stepFrames(31);   // clock start + 0.5 s
    EXPECT_NEAR(30.0f, hero->getPositionX(), 1e-3f);
    EXPECT_NEAR(127.0f, backdrop->getOpacity(), 1.0f);
    stepFrames(40);
    EXPECT_NEAR(60.0f, hero->getPositionX(), 1e-4f);
    EXPECT_EQ(0, backdrop->getOpacity());
    CCPoint world = hero->convertToWorldSpace(ccp(0, 0));
    EXPECT_NEAR(52.0f, world.x, 1e-3f);
    EXPECT_NEAR(92.0f, world.y, 1e-3f);
}
