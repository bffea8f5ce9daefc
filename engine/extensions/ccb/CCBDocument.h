#ifndef __CCB_DOCUMENT_H__
#define __CCB_DOCUMENT_H__

// The contents of one .ccbi file as plain values: what the decoder produces and the layout
// compiler writes. No engine types, so the compiler can use it without the engine.

#include "CCBFormat.h"

#include <string>
#include <vector>

namespace cocos2d {
namespace extension {

/**
 * One property or keyframe value. Which fields are used depends on the type:
 * - Position, Size, ScaleLock: floats[0..1] and ints[0] (position / size / scale kind);
 *   keyframes of Position and ScaleLock carry floats[0..1] only.
 * - Point, PointLock, FloatXY, FloatVar: floats[0..1]. Degrees, Float: floats[0].
 * - FloatScale: floats[0] and ints[0] (scale kind). Color4FVar: floats[0..7] (rgba, then variance).
 * - Integer, IntegerLabeled: ints[0]. Blendmode: ints[0] source, ints[1] destination.
 * - Check, Byte: bytes[0]. Flip: bytes[0] x, bytes[1] y. Color3: bytes[0..2].
 * - SpriteFrame: strings[0] sheet ("" for a plain image), strings[1] frame or file.
 *   Animation: strings[0] file, strings[1] name.
 * - Texture, FntFile, Text, FontTTF, String, CCBFile: strings[0].
 * - Block: strings[0] selector, ints[0] target type. BlockCCControl: also ints[1] control events.
 */
struct CCBValueData
{
    int type;
    float floats[8];
    int ints[2];
    unsigned char bytes[3];
    std::string strings[2];

    CCBValueData();
    explicit CCBValueData(int valueType);
    bool operator==(const CCBValueData& other) const;
    bool operator!=(const CCBValueData& other) const { return !(*this == other); }
};

struct CCBPropertyData
{
    std::string name;
    int platform;
    bool extra;          ///< listed among the custom-class properties
    CCBValueData value;  ///< value.type is the property type

    CCBPropertyData() : platform(kCCBPlatformAll), extra(false) {}
    bool operator==(const CCBPropertyData& o) const
    {
        return name == o.name && platform == o.platform && extra == o.extra && value == o.value;
    }
};

struct CCBKeyframeData
{
    float time;
    int easing;
    float easingOpt;     ///< rate or period of cubic and elastic easings, else 0
    CCBValueData value;  ///< value.type is the animated property's type

    CCBKeyframeData() : time(0), easing(kCCBKeyframeEasingLinear), easingOpt(0) {}
    bool operator==(const CCBKeyframeData& o) const
    {
        return time == o.time && easing == o.easing && easingOpt == o.easingOpt && value == o.value;
    }
};

struct CCBAnimatedPropertyData
{
    std::string name;
    int type;
    std::vector<CCBKeyframeData> keyframes;

    CCBAnimatedPropertyData() : type(0) {}
    bool operator==(const CCBAnimatedPropertyData& o) const
    {
        return name == o.name && type == o.type && keyframes == o.keyframes;
    }
};

/** The animated properties of one node in one sequence. */
struct CCBNodeSequenceData
{
    int sequenceId;
    std::vector<CCBAnimatedPropertyData> properties;

    CCBNodeSequenceData() : sequenceId(0) {}
    bool operator==(const CCBNodeSequenceData& o) const
    {
        return sequenceId == o.sequenceId && properties == o.properties;
    }
};

struct CCBNodeData
{
    std::string className;         ///< the custom class when one was given
    std::string jsControlledName;  ///< only in script-controlled documents
    int memberAssignType;          ///< a kCCBTargetType
    std::string memberAssignName;
    std::vector<CCBNodeSequenceData> sequences;
    std::vector<CCBPropertyData> properties;
    std::vector<CCBNodeData> children;

    CCBNodeData() : memberAssignType(kCCBTargetTypeNone) {}
    bool operator==(const CCBNodeData& o) const
    {
        return className == o.className && jsControlledName == o.jsControlledName
            && memberAssignType == o.memberAssignType && memberAssignName == o.memberAssignName
            && sequences == o.sequences && properties == o.properties && children == o.children;
    }
};

struct CCBCallbackKeyframeData
{
    float time;
    std::string name;
    int targetType;

    CCBCallbackKeyframeData() : time(0), targetType(kCCBTargetTypeNone) {}
    bool operator==(const CCBCallbackKeyframeData& o) const
    {
        return time == o.time && name == o.name && targetType == o.targetType;
    }
};

struct CCBSoundKeyframeData
{
    float time;
    std::string file;
    float pitch, pan, gain;

    CCBSoundKeyframeData() : time(0), pitch(1), pan(0), gain(1) {}
    bool operator==(const CCBSoundKeyframeData& o) const
    {
        return time == o.time && file == o.file && pitch == o.pitch && pan == o.pan && gain == o.gain;
    }
};

struct CCBSequenceData
{
    int sequenceId;
    std::string name;
    float duration;
    int chainedSequenceId;  ///< -1 when none
    std::vector<CCBCallbackKeyframeData> callbacks;
    std::vector<CCBSoundKeyframeData> sounds;

    CCBSequenceData() : sequenceId(0), duration(0), chainedSequenceId(-1) {}
    bool operator==(const CCBSequenceData& o) const
    {
        return sequenceId == o.sequenceId && name == o.name && duration == o.duration
            && chainedSequenceId == o.chainedSequenceId && callbacks == o.callbacks && sounds == o.sounds;
    }
};

struct CCBDocumentData
{
    bool jsControlled;
    std::vector<CCBSequenceData> sequences;
    int autoPlaySequenceId;  ///< -1 when none
    CCBNodeData root;

    CCBDocumentData() : jsControlled(false), autoPlaySequenceId(-1) {}
    bool operator==(const CCBDocumentData& o) const
    {
        return jsControlled == o.jsControlled && sequences == o.sequences
            && autoPlaySequenceId == o.autoPlaySequenceId && root == o.root;
    }
    /** The sequence with that id, or NULL. */
    const CCBSequenceData* findSequence(int sequenceId) const;
    const CCBSequenceData* findSequence(const std::string& name) const;
};

} // namespace extension
} // namespace cocos2d

#endif // __CCB_DOCUMENT_H__
