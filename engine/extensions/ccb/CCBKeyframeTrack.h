#ifndef __CCB_KEYFRAME_TRACK_H__
#define __CCB_KEYFRAME_TRACK_H__

#include "CCBDocument.h"

namespace cocos2d {
namespace extension {

/**
 * The value of one animated property at a moment of its timeline. Works on plain values, so
 * the animation manager only applies the result to its node.
 */
class CCBKeyframeTrack
{
public:
    /**
     * Eased progress (0 at the start of a segment, 1 at its end) for a keyframe easing and its
     * option (rate of cubic easings, period of elastic ones). Elastic and back easings overshoot.
     */
    static float ease(int easing, float option, float t);

    /**
     * The property's value at time t: the first keyframe's value before it, the last one's
     * after it, and between two keyframes the earlier keyframe's easing from one value to the
     * next. Visibility and sprite frames do not blend: the latest keyframe reached holds.
     * An empty track gives a value of type -1.
     */
    static CCBValueData valueAt(const CCBAnimatedPropertyData& track, float t);

    /** Blends two values of the same type by f (0 = from, 1 = to); used for tweens. */
    static CCBValueData blend(const CCBValueData& from, const CCBValueData& to, float f);
};

} // namespace extension
} // namespace cocos2d

#endif // __CCB_KEYFRAME_TRACK_H__
