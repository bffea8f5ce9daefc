#ifndef __CCB_FORMAT_H__
#define __CCB_FORMAT_H__

// Constants of the .ccbi binary layout format. Shared by the engine's reader and the layout
// compiler in tools/ccbc, so this header depends on nothing.

namespace cocos2d {
namespace extension {

/** The first four bytes of every .ccbi file. */
static const char kCCBMagic[4] = { 'i', 'b', 'c', 'c' };

/** The one format version read and written (adds callback and sound channels to sequences). */
enum { kCCBVersion = 5 };

/** Property types: each decides how the value is stored. */
enum
{
    kCCBPropTypePosition = 0,
    kCCBPropTypeSize,
    kCCBPropTypePoint,
    kCCBPropTypePointLock,
    kCCBPropTypeScaleLock,
    kCCBPropTypeDegrees,
    kCCBPropTypeInteger,
    kCCBPropTypeFloat,
    kCCBPropTypeFloatVar,
    kCCBPropTypeCheck,
    kCCBPropTypeSpriteFrame,
    kCCBPropTypeTexture,
    kCCBPropTypeByte,
    kCCBPropTypeColor3,
    kCCBPropTypeColor4FVar,
    kCCBPropTypeFlip,
    kCCBPropTypeBlendmode,
    kCCBPropTypeFntFile,
    kCCBPropTypeText,
    kCCBPropTypeFontTTF,
    kCCBPropTypeIntegerLabeled,
    kCCBPropTypeBlock,
    kCCBPropTypeAnimation,
    kCCBPropTypeCCBFile,
    kCCBPropTypeString,
    kCCBPropTypeBlockCCControl,
    kCCBPropTypeFloatScale,
    kCCBPropTypeFloatXY,
    kCCBPropType_MAX
};

/** How a float is stored: a one-byte tag, then nothing, a signed integer or four IEEE bytes. */
enum
{
    kCCBFloat0 = 0,
    kCCBFloat1,
    kCCBFloatMinus1,
    kCCBFloat05,
    kCCBFloatInteger,
    kCCBFloatFull,
    kCCBFloat_MAX
};

/** Which platform a property is meant for; this engine applies "all" only. */
enum
{
    kCCBPlatformAll = 0,
    kCCBPlatformIOS,
    kCCBPlatformMac,
    kCCBPlatform_MAX
};

/** Who receives a selector or a member: nobody, the document root, the owner. */
enum
{
    kCCBTargetTypeNone = 0,
    kCCBTargetTypeDocumentRoot = 1,
    kCCBTargetTypeOwner = 2,
    kCCBTargetType_MAX
};

enum
{
    kCCBPositionTypeRelativeBottomLeft = 0,
    kCCBPositionTypeRelativeTopLeft,
    kCCBPositionTypeRelativeTopRight,
    kCCBPositionTypeRelativeBottomRight,
    kCCBPositionTypePercent,
    kCCBPositionTypeMultiplyResolution,
    kCCBPositionType_MAX
};

enum
{
    kCCBSizeTypeAbsolute = 0,
    kCCBSizeTypePercent,
    kCCBSizeTypeRelativeContainer,
    kCCBSizeTypeHorizontalPercent,
    kCCBSizeTypeVerticalPercent,
    kCCBSizeTypeMultiplyResolution,
    kCCBSizeType_MAX
};

/** Used by ScaleLock and FloatScale values. */
enum
{
    kCCBScaleTypeAbsolute = 0,
    kCCBScaleTypeMultiplyResolution,
    kCCBScaleType_MAX
};

enum
{
    kCCBKeyframeEasingInstant = 0,
    kCCBKeyframeEasingLinear,
    kCCBKeyframeEasingCubicIn,
    kCCBKeyframeEasingCubicOut,
    kCCBKeyframeEasingCubicInOut,
    kCCBKeyframeEasingElasticIn,
    kCCBKeyframeEasingElasticOut,
    kCCBKeyframeEasingElasticInOut,
    kCCBKeyframeEasingBounceIn,
    kCCBKeyframeEasingBounceOut,
    kCCBKeyframeEasingBounceInOut,
    kCCBKeyframeEasingBackIn,
    kCCBKeyframeEasingBackOut,
    kCCBKeyframeEasingBackInOut,
    kCCBKeyframeEasing_MAX
};

/** Cubic easings store a rate and elastic ones a period after the easing id. */
inline bool ccbEasingHasOption(int easing)
{
    return easing >= kCCBKeyframeEasingCubicIn && easing <= kCCBKeyframeEasingElasticInOut;
}

/** Types a keyframe can carry a value of; any other type has keyframes without values. */
inline bool ccbKeyframeTypeHasValue(int type)
{
    return type == kCCBPropTypeCheck || type == kCCBPropTypeByte || type == kCCBPropTypeColor3
        || type == kCCBPropTypeDegrees || type == kCCBPropTypePosition || type == kCCBPropTypeScaleLock
        || type == kCCBPropTypeFloatXY || type == kCCBPropTypeSpriteFrame;
}

} // namespace extension
} // namespace cocos2d

#endif // __CCB_FORMAT_H__
