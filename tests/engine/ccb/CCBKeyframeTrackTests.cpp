#include "VornTestSupport.h"

#include "cocos-ext.h"

#include <gtest/gtest.h>

USING_NS_CC_EXT;

namespace
{
CCBKeyframeData key(float time, int type, float a, float b, int easing = kCCBKeyframeEasingLinear, float opt = 0)
{
    CCBKeyframeData k;
    k.time = time;
    k.easing = easing;
    k.easingOpt = opt;
    k.value.type = type;
    k.value.floats[0] = a;
    k.value.floats[1] = b;
    k.value.bytes[0] = (unsigned char)a;
    return k;
}
} // namespace

TEST(CCBKeyframeTrack, EasingsStartAtZeroEndAtOneAndKeepTheirShape)
{
    for (int e = 0; e < kCCBKeyframeEasing_MAX; ++e)
    {
        float opt = e <= kCCBKeyframeEasingCubicInOut ? 2.0f : 0.3f;
        EXPECT_FLOAT_EQ(0.0f, CCBKeyframeTrack::ease(e, opt, 0)) << "easing " << e;
        EXPECT_FLOAT_EQ(1.0f, CCBKeyframeTrack::ease(e, opt, 1)) << "easing " << e;
    }
    EXPECT_FLOAT_EQ(0.25f, CCBKeyframeTrack::ease(kCCBKeyframeEasingCubicIn, 2, 0.5f));
    EXPECT_NEAR(0.7071f, CCBKeyframeTrack::ease(kCCBKeyframeEasingCubicOut, 2, 0.5f), 1e-4);
    EXPECT_FLOAT_EQ(0.5f, CCBKeyframeTrack::ease(kCCBKeyframeEasingCubicInOut, 3, 0.5f));
    EXPECT_FLOAT_EQ(0.0f, CCBKeyframeTrack::ease(kCCBKeyframeEasingInstant, 0, 0.99f));
    EXPECT_LT(CCBKeyframeTrack::ease(kCCBKeyframeEasingBackIn, 0, 0.2f), 0.0f);  // pulls back first
    EXPECT_GT(CCBKeyframeTrack::ease(kCCBKeyframeEasingBackOut, 0, 0.8f), 1.0f);  // overshoots
}

TEST(CCBKeyframeTrack, ValuesHoldOutsideTheKeyframesAndBlendBetween)
{
    CCBAnimatedPropertyData move;
    move.type = kCCBPropTypePosition;
    move.keyframes.push_back(key(0.5f, kCCBPropTypePosition, 0, 10));
    move.keyframes.push_back(key(1.5f, kCCBPropTypePosition, 100, 20, kCCBKeyframeEasingInstant));
    move.keyframes.push_back(key(2.0f, kCCBPropTypePosition, 0, 0));

    struct Case { float t; float x; float y; };
    const Case cases[] = {
        { 0, 0, 10 }, { 0.5f, 0, 10 }, { 1.0f, 50, 15 }, { 1.5f, 100, 20 },
        { 1.9f, 100, 20 },  // instant holds until the next keyframe
        { 2.0f, 0, 0 }, { 9, 0, 0 },
    };
    for (const Case& c : cases)
    {
        CCBValueData v = CCBKeyframeTrack::valueAt(move, c.t);
        EXPECT_FLOAT_EQ(c.x, v.floats[0]) << "t=" << c.t;
        EXPECT_FLOAT_EQ(c.y, v.floats[1]) << "t=" << c.t;
    }

    // Opacity overshooting with a back easing stays a byte.
    CCBAnimatedPropertyData fade;
    fade.type = kCCBPropTypeByte;
    fade.keyframes.push_back(key(0, kCCBPropTypeByte, 250, 0, kCCBKeyframeEasingBackOut));
    fade.keyframes.push_back(key(1, kCCBPropTypeByte, 255, 0));
    EXPECT_EQ(255, CCBKeyframeTrack::valueAt(fade, 0.8f).bytes[0]);

    // Visibility switches at the keyframe, not halfway.
    CCBAnimatedPropertyData show;
    show.type = kCCBPropTypeCheck;
    show.keyframes.push_back(key(0, kCCBPropTypeCheck, 0, 0));
    show.keyframes.push_back(key(1, kCCBPropTypeCheck, 1, 0));
    EXPECT_EQ(0, CCBKeyframeTrack::valueAt(show, 0.99f).bytes[0]);
    EXPECT_EQ(1, CCBKeyframeTrack::valueAt(show, 1.0f).bytes[0]);
    EXPECT_EQ(-1, CCBKeyframeTrack::valueAt(CCBAnimatedPropertyData(), 1).type);
}
