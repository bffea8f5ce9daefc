#include "CCBKeyframeTrack.h"

#include <cmath>

namespace cocos2d {
namespace extension {

namespace
{
const float kTwoPi = 6.28318530718f;
const float kBackOvershoot = 1.70158f;

float bounceOut(float t)
{
    if (t < 1 / 2.75f) return 7.5625f * t * t;
    if (t < 2 / 2.75f)
    {
        t -= 1.5f / 2.75f;
        return 7.5625f * t * t + 0.75f;
    }
    if (t < 2.5f / 2.75f)
    {
        t -= 2.25f / 2.75f;
        return 7.5625f * t * t + 0.9375f;
    }
    t -= 2.625f / 2.75f;
    return 7.5625f * t * t + 0.984375f;
}

float elastic(float t, float period, bool in)
{
    if (t <= 0 || t >= 1) return t <= 0 ? 0.0f : 1.0f;
    float s = period / 4;
    if (in)
    {
        t -= 1;
        return -std::pow(2.0f, 10 * t) * std::sin((t - s) * kTwoPi / period);
    }
    return std::pow(2.0f, -10 * t) * std::sin((t - s) * kTwoPi / period) + 1;
}

unsigned char clampByte(float v)
{
    if (v <= 0) return 0;
    if (v >= 255) return 255;
    return (unsigned char)(v + 0.5f);
}
} // namespace

float CCBKeyframeTrack::ease(int easing, float option, float t)
{
    if (t <= 0) return 0;
    if (t >= 1) return 1;
    switch (easing)
    {
    case kCCBKeyframeEasingInstant: return 0;
    case kCCBKeyframeEasingCubicIn: return option > 0 ? std::pow(t, option) : t;
    case kCCBKeyframeEasingCubicOut: return option > 0 ? std::pow(t, 1 / option) : t;
    case kCCBKeyframeEasingCubicInOut:
        if (option <= 0) return t;
        t *= 2;
        return t < 1 ? 0.5f * std::pow(t, option) : 1 - 0.5f * std::pow(2 - t, option);
    case kCCBKeyframeEasingElasticIn: return elastic(t, option > 0 ? option : 0.3f, true);
    case kCCBKeyframeEasingElasticOut: return elastic(t, option > 0 ? option : 0.3f, false);
    case kCCBKeyframeEasingElasticInOut:
    {
        float period = option > 0 ? option : 0.45f;
        return t < 0.5f ? 0.5f * elastic(t * 2, period, true) : 0.5f + 0.5f * elastic(t * 2 - 1, period, false);
    }
    case kCCBKeyframeEasingBounceIn: return 1 - bounceOut(1 - t);
    case kCCBKeyframeEasingBounceOut: return bounceOut(t);
    case kCCBKeyframeEasingBounceInOut:
        return t < 0.5f ? (1 - bounceOut(1 - t * 2)) * 0.5f : bounceOut(t * 2 - 1) * 0.5f + 0.5f;
    case kCCBKeyframeEasingBackIn: return t * t * ((kBackOvershoot + 1) * t - kBackOvershoot);
    case kCCBKeyframeEasingBackOut:
        t -= 1;
        return t * t * ((kBackOvershoot + 1) * t + kBackOvershoot) + 1;
    case kCCBKeyframeEasingBackInOut:
    {
        const float o = kBackOvershoot * 1.525f;
        t *= 2;
        if (t < 1) return t * t * ((o + 1) * t - o) / 2;
        t -= 2;
        return t * t * ((o + 1) * t + o) / 2 + 1;
    }
    default: return t;  // linear, and anything unknown
    }
}

CCBValueData CCBKeyframeTrack::blend(const CCBValueData& from, const CCBValueData& to, float f)
{
    CCBValueData out = to;
    switch (to.type)
    {
    case kCCBPropTypePosition:
    case kCCBPropTypeScaleLock:
    case kCCBPropTypeFloatXY:
        out.floats[1] = from.floats[1] + (to.floats[1] - from.floats[1]) * f;
        // fall through
    case kCCBPropTypeDegrees: out.floats[0] = from.floats[0] + (to.floats[0] - from.floats[0]) * f; break;
    case kCCBPropTypeByte: out.bytes[0] = clampByte(from.bytes[0] + ((float)to.bytes[0] - from.bytes[0]) * f); break;
    case kCCBPropTypeColor3:
        for (int i = 0; i < 3; ++i) out.bytes[i] = clampByte(from.bytes[i] + ((float)to.bytes[i] - from.bytes[i]) * f);
        break;
    default:
        // Visibility and frames switch when the next keyframe is reached.
        if (f < 1) out = from;
        break;
    }
    return out;
}

CCBValueData CCBKeyframeTrack::valueAt(const CCBAnimatedPropertyData& track, float t)
{
    const std::vector<CCBKeyframeData>& keys = track.keyframes;
    if (keys.empty()) return CCBValueData();
    if (t <= keys.front().time) return keys.front().value;
    for (size_t i = 0; i + 1 < keys.size(); ++i)
    {
        const CCBKeyframeData& a = keys[i];
        const CCBKeyframeData& b = keys[i + 1];
        if (t >= b.time) continue;
        float span = b.time - a.time;
        float f = span > 0 ? (t - a.time) / span : 1.0f;
        return blend(a.value, b.value, ease(a.easing, a.easingOpt, f));
    }
    return keys.back().value;
}

} // namespace extension
} // namespace cocos2d
