#include "NodeTestSupport.h"

#include "cocos-ext.h"

#include <vector>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
CCTexture2D* solidTexture(unsigned int w, unsigned int h)
{
    std::vector<unsigned char> pixels(w * h * 4, 255);
    CCTexture2D* tex = new CCTexture2D();
    tex->initWithData(pixels.data(), kCCTexture2DPixelFormat_RGBA8888, w, h, CCSizeMake((float)w, (float)h));
    tex->autorelease();
    return tex;
}

using vorntest::touchAt;

class EventLog : public CCObject
{
public:
    void onEvent(CCObject* sender, CCControlEvent event)
    {
        CC_UNUSED_PARAM(sender);
        events.push_back(event);
    }
    std::vector<CCControlEvent> events;
};
} // namespace

TEST_F(EngineTest, Scale9KeepsCornersAndStretchesTheRest)
{
    CCScale9Sprite* s9 = CCScale9Sprite::create();
    ASSERT_TRUE(s9->initWithTexture(solidTexture(12, 12), CCRectZero, CCRectMake(4, 4, 4, 4)));
    EXPECT_EQ(CCSizeMake(12, 12), s9->getContentSize());
    s9->setPreferredSize(CCSizeMake(40, 20));
    EXPECT_EQ(CCSizeMake(40, 20), s9->getContentSize());

    CCSprite* bottomLeft = s9->getPiece(0);
    EXPECT_EQ(CCRectMake(0, 8, 4, 4), bottomLeft->getTextureRect());
    EXPECT_FLOAT_EQ(1.0f, bottomLeft->getScaleX());
    CCSprite* centre = s9->getPiece(4);
    EXPECT_EQ(CCPointMake(4, 4), centre->getPosition());
    EXPECT_FLOAT_EQ(8.0f, centre->getScaleX());
    EXPECT_FLOAT_EQ(3.0f, centre->getScaleY());
    CCSprite* topRight = s9->getPiece(8);
    EXPECT_EQ(CCPointMake(36, 16), topRight->getPosition());
    EXPECT_EQ(CCRectMake(8, 0, 4, 4), topRight->getTextureRect());

    // Sides as a layout gives them; no insets cut thirds.
    s9->setInsetLeft(2);
    s9->setInsetRight(2);
    s9->setInsetTop(3);
    s9->setInsetBottom(3);
    EXPECT_EQ(CCRectMake(2, 3, 8, 6), s9->getCapInsets());
    s9->setCapInsets(CCRectZero);
    EXPECT_EQ(CCRectMake(0, 8, 4, 4), s9->getPiece(0)->getTextureRect());
    // Smaller than its corners: the middle pieces vanish instead of flipping.
    s9->setPreferredSize(CCSizeMake(6, 6));
    EXPECT_FALSE(s9->getPiece(4)->isVisible());

    s9->setColor(ccc3(10, 20, 30));
    EXPECT_EQ(20, s9->getPiece(8)->getDisplayedColor().g);

    vorntest::LogCapture log;
    EXPECT_TRUE(CCScale9Sprite::create("nothing-here.png") == NULL);
    EXPECT_TRUE(CCScale9Sprite::createWithSpriteFrameName("nothing") == NULL);
}

TEST_F(EngineTest, ButtonSendsTouchEventsAndLaysOutPerState)
{
    CCScene* scene = runScene();
    CCLabelBMFont* title = CCLabelBMFont::create("AB", vorntest::fixturePath("engine/labels/tiny.fnt").c_str());
    ASSERT_TRUE(title != NULL);
    CCScale9Sprite* background = CCScale9Sprite::create();
    ASSERT_TRUE(background->initWithTexture(solidTexture(12, 12), CCRectZero, CCRectZero));
    CCControlButton* button = CCControlButton::create(title, background);
    ASSERT_TRUE(button != NULL);
    // The background wraps the 12x10 title plus the margins.
    EXPECT_EQ(CCSizeMake(12 + 48, 10 + 24), button->getContentSize());
    button->setPosition(ccp(100, 100));   // spans 70..130 x 83..117
    scene->addChild(button);

    EventLog log;
    button->addTargetWithActionForControlEvents(&log, cccontrol_selector(EventLog::onEvent),
                                                CCControlEventTouchDown | CCControlEventTouchUpInside
                                                    | CCControlEventTouchUpOutside | CCControlEventTouchDragExit);
    CCTouch* t = touchAt(100, 100);
    ASSERT_TRUE(button->ccTouchBegan(t, NULL));
    EXPECT_TRUE(button->isHighlighted());
    t->setTouchInfo(0, 200, 320 - 200);
    button->ccTouchMoved(t, NULL);
    button->ccTouchEnded(t, NULL);
    t = touchAt(130, 117);
    ASSERT_TRUE(button->ccTouchBegan(t, NULL));
    button->ccTouchEnded(t, NULL);
    const CCControlEvent expected[] = { CCControlEventTouchDown, CCControlEventTouchDragExit, CCControlEventTouchUpOutside,
                                        CCControlEventTouchDown, CCControlEventTouchUpInside };
    ASSERT_EQ(5u, log.events.size());
    for (size_t i = 0; i < 5; ++i)
    {
        EXPECT_EQ(expected[i], log.events[i]) << i;
    }

    button->removeTargetWithActionForControlEvents(&log, NULL, CCControlEventTouchDown);
    button->setEnabled(false);
    EXPECT_FALSE(button->ccTouchBegan(touchAt(100, 100), NULL));
    EXPECT_EQ(CCControlStateDisabled, button->getState());

    // A state without its own title shows the normal one.
    button->setTitleForState(CCString::create("BA"), CCControlStateDisabled);
    EXPECT_STREQ("BA", title->getString());
    button->setEnabled(true);
    EXPECT_STREQ("AB", title->getString());
    EXPECT_STREQ("AB", button->getTitleForState(CCControlStateHighlighted)->getCString());
    button->setTitleColorForState(ccc3(1, 2, 3), CCControlStateNormal);
    EXPECT_EQ(2, title->getColor().g);
    button->setPreferredSize(CCSizeMake(90, 40));
    EXPECT_EQ(CCSizeMake(90, 40), button->getContentSize());
    EXPECT_EQ(CCPointMake(45, 20), title->getPosition());
}
