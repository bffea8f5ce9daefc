#include "CCSlider.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
class SliderListener : public CCObject
{
public:
    void onChanged(CCObject* sender) { values.push_back(static_cast<CCSlider*>(sender)->getValue()); }
    std::vector<float> values;
};

class SliderTest : public ::testing::Test
{
protected:
    CCSlider* makeSlider(float trackWidth, float thumbWidth)
    {
        CCNode* track = CCNode::create();
        track->setContentSize(CCSize(trackWidth, 10));
        CCNode* thumb = CCNode::create();
        thumb->setContentSize(CCSize(thumbWidth, 20));
        CCSlider* slider = CCSlider::create(track, thumb, &m_listener, menu_selector(SliderListener::onChanged));
        slider->setPosition(ccp(100, 100));
        return slider;
    }

    // A touch at an offset from the slider's origin (the slider has no parent: node space = world).
    CCTouch* touchAt(float dx, float dy = 0.0f)
    {
        CCTouch* touch = new CCTouch();
        touch->autorelease();
        float height = CCDirector::sharedDirector()->getWinSize().height;
        touch->setTouchInfo(0, 100 + dx, height - (100 + dy));
        return touch;
    }

    void TearDown() override { CCDirector::purgeSharedDirector(); }

    CCScopedAutoreleasePool m_pool;
    SliderListener m_listener;
};
} // namespace

TEST_F(SliderTest, TouchesMapTheTrackOntoTheRange)
{
    CCSlider* slider = makeSlider(200, 20);
    ASSERT_TRUE(slider != NULL);
    EXPECT_FLOAT_EQ(180, slider->getLength());
    EXPECT_FLOAT_EQ(20, slider->getHeight());
    EXPECT_EQ(0.0f, slider->getValue());

    struct Case { float x; float value; float thumbX; };
    const Case cases[] = { { 90, 100, 90 }, { -90, 0, -90 }, { 0, 50, 0 }, { 45, 75, 45 } };
    for (const Case& c : cases)
    {
        EXPECT_TRUE(slider->ccTouchBegan(touchAt(c.x), NULL)) << c.x;
        EXPECT_FLOAT_EQ(c.value, slider->getValue()) << c.x;
        EXPECT_FLOAT_EQ(c.thumbX, slider->getThumb()->getPositionX()) << c.x;
        slider->ccTouchEnded(touchAt(c.x), NULL);
    }
    EXPECT_FALSE(slider->ccTouchBegan(touchAt(91), NULL));    // outside the travel
    EXPECT_FALSE(slider->ccTouchBegan(touchAt(0, 11), NULL));  // above it
    EXPECT_EQ(4u, m_listener.values.size());

    // A drag may leave the area and keeps following, clamped.
    EXPECT_TRUE(slider->ccTouchBegan(touchAt(0), NULL));
    slider->ccTouchMoved(touchAt(500, 40), NULL);
    EXPECT_FLOAT_EQ(100, slider->getValue());
    EXPECT_FLOAT_EQ(90, slider->getThumb()->getPositionX());
}

TEST_F(SliderTest, SetValueClampsAndDisabledSlidersIgnoreEverything)
{
    CCSlider* slider = makeSlider(200, 20);
    slider->setValue(150);
    EXPECT_FLOAT_EQ(100, slider->getValue());
    EXPECT_FLOAT_EQ(90, slider->getThumb()->getPositionX());
    slider->setValue(-5);
    EXPECT_FLOAT_EQ(0, slider->getValue());
    EXPECT_FLOAT_EQ(-90, slider->getThumb()->getPositionX());

    slider->setEnabled(false);
    slider->setValue(50);
    EXPECT_FALSE(slider->ccTouchBegan(touchAt(0), NULL));
    EXPECT_FLOAT_EQ(0, slider->getValue());
    EXPECT_EQ(2u, m_listener.values.size());
}

TEST_F(SliderTest, WithoutTrackOutsideLeavingEndsTheDrag)
{
    CCSlider* slider = makeSlider(200, 20);
    slider->setTrackOutside(false);
    ASSERT_TRUE(slider->ccTouchBegan(touchAt(0), NULL));
    slider->ccTouchMoved(touchAt(10, 30), NULL);
    EXPECT_FALSE(slider->isDragging());
    slider->ccTouchMoved(touchAt(20), NULL);  // back on the track: no resume
    EXPECT_FLOAT_EQ(50, slider->getValue());
}

TEST_F(SliderTest, WithoutJumpOnlyTheThumbStartsADrag)
{
    CCSlider* slider = makeSlider(200, 20);
    slider->setJumpToTouch(false);
    slider->setValue(50);
    EXPECT_FALSE(slider->ccTouchBegan(touchAt(40), NULL));
    EXPECT_TRUE(slider->ccTouchBegan(touchAt(5), NULL));
    EXPECT_FLOAT_EQ(50, slider->getValue());
    slider->ccTouchMoved(touchAt(45), NULL);
    EXPECT_FLOAT_EQ(75, slider->getValue());
}

TEST_F(SliderTest, AHiddenParentMakesTheSliderIgnoreTouches)
{
    CCNode* parent = CCNode::create();
    CCSlider* slider = makeSlider(200, 20);
    slider->setPosition(CCPointZero);
    parent->setPosition(ccp(100, 100));
    parent->addChild(slider);
    parent->setVisible(false);
    EXPECT_FALSE(slider->ccTouchBegan(touchAt(0), NULL));
    parent->setVisible(true);
    EXPECT_TRUE(slider->ccTouchBegan(touchAt(0), NULL));
}

TEST_F(SliderTest, NothingToTravelGivesTheMinimumAtTheStart)
{
    const float trackWidths[] = { 20, 10 };  // thumb as wide as the track, or wider
    for (float width : trackWidths)
    {
        CCSlider* slider = makeSlider(width, 20);
        slider->setValue(70);
        EXPECT_EQ(0.0f, slider->getValue()) << width;
        EXPECT_EQ(0.0f, slider->getThumb()->getPositionX()) << width;
        slider->ccTouchBegan(touchAt(0), NULL);
        EXPECT_EQ(0.0f, slider->getValue()) << width;
    }

    CCSlider* empty = makeSlider(200, 20);
    empty->setMinimumValue(10);
    empty->setMaximumValue(10);
    empty->setValue(70);
    EXPECT_EQ(10.0f, empty->getValue());
    EXPECT_FLOAT_EQ(-90, empty->getThumb()->getPositionX());
    EXPECT_TRUE(empty->ccTouchBegan(touchAt(30), NULL));
    EXPECT_EQ(10.0f, empty->getValue());
    EXPECT_TRUE(std::isfinite(empty->getThumb()->getPositionX()));

    EXPECT_EQ(NULL, CCSlider::create(NULL, CCNode::create(), NULL, NULL));
    EXPECT_EQ(NULL, CCSlider::create(CCNode::create(), NULL, NULL, NULL));
}
