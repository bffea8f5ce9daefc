#include "CCBDocumentDecoder.h"

#include "CCBDataReader.h"
#include "base/CCConsole.h"

#include <cstdio>
#include <set>
#include <string>

namespace cocos2d {
namespace extension {

namespace
{
// Deeper nesting than any real layout; stops crafted files from exhausting the stack.
const int kMaxNodeDepth = 256;

// Deleting a timeline in the editor leaves its keyframes on the nodes, keyed to the old id.
// They are kept as read (no sequence with that id ever runs them); counts them and notes one id.
int countLeftoverKeyframes(const CCBNodeData& node, const CCBDocumentData& doc, int* someId)
{
    int count = 0;
    for (size_t i = 0; i < node.sequences.size(); ++i)
    {
        if (!doc.findSequence(node.sequences[i].sequenceId))
        {
            *someId = node.sequences[i].sequenceId;
            ++count;
        }
    }
    for (size_t i = 0; i < node.children.size(); ++i)
    {
        count += countLeftoverKeyframes(node.children[i], doc, someId);
    }
    return count;
}
} // namespace

bool CCBDocumentDecoder::decode(const unsigned char* bytes, size_t size, const char* name, CCBDocumentData& out,
                                std::string* reason)
{
    CCBDataReader reader(bytes, size);
    CCBDocumentData doc;
    if (reader.readHeader(&doc.jsControlled) && reader.readStringCache() && readSequences(reader, doc))
    {
        readNode(reader, doc, doc.root, 0);
    }
    if (reader.hasFailed())
    {
        CCLog("CCBReader - cannot read '%s': %s", name ? name : "", reader.getFailureReason().c_str());
        if (reason) *reason = reader.getFailureReason();
        return false;
    }
    int leftoverId = -1;
    const int leftovers = countLeftoverKeyframes(doc.root, doc, &leftoverId);
    // Once per file: a screen is read again every time it opens.
    static std::set<std::string> s_noted;
    if (leftovers > 0 && s_noted.insert(name ? name : "").second)
    {
        CCLog("CCBReader - '%s': %d node timeline(s) belong to a deleted timeline (such as sequence id %d); "
              "their keyframes are kept but never play", name ? name : "", leftovers, leftoverId);
    }
    out = doc;
    return true;
}

bool CCBDocumentDecoder::readSequences(CCBDataReader& reader, CCBDocumentData& doc)
{
    int count = reader.readCount("sequences");
    for (int i = 0; i < count && !reader.hasFailed(); ++i)
    {
        CCBSequenceData seq;
        seq.duration = reader.readFloat();
        seq.name = reader.readCachedString();
        seq.sequenceId = reader.readInt(false);
        seq.chainedSequenceId = reader.readInt(true);
        int callbacks = reader.readCount("callback keyframes");
        for (int k = 0; k < callbacks && !reader.hasFailed(); ++k)
        {
            CCBCallbackKeyframeData cb;
            cb.time = reader.readFloat();
            cb.name = reader.readCachedString();
            cb.targetType = reader.readInt(false);
            seq.callbacks.push_back(cb);
        }
        int sounds = reader.readCount("sound keyframes");
        for (int k = 0; k < sounds && !reader.hasFailed(); ++k)
        {
            CCBSoundKeyframeData sound;
            sound.time = reader.readFloat();
            sound.file = reader.readCachedString();
            sound.pitch = reader.readFloat();
            sound.pan = reader.readFloat();
            sound.gain = reader.readFloat();
            seq.sounds.push_back(sound);
        }
        if (reader.hasFailed()) break;
        if (seq.duration < 0) reader.fail("negative sequence duration");
        if (doc.findSequence(seq.sequenceId)) reader.fail("sequence id used twice");
        doc.sequences.push_back(seq);
    }
    doc.autoPlaySequenceId = reader.readInt(true);
    if (reader.hasFailed()) return false;

    // Chained and auto-play ids must name a sequence of this document (-1: none).
    for (size_t i = 0; i < doc.sequences.size(); ++i)
    {
        int chained = doc.sequences[i].chainedSequenceId;
        if (chained != -1 && !doc.findSequence(chained)) reader.fail("chained sequence id unknown");
    }
    if (doc.autoPlaySequenceId != -1 && !doc.findSequence(doc.autoPlaySequenceId))
    {
        reader.fail("auto-play sequence id unknown");
    }
    return !reader.hasFailed();
}

bool CCBDocumentDecoder::readNode(CCBDataReader& reader, const CCBDocumentData& doc, CCBNodeData& node, int depth)
{
    if (depth > kMaxNodeDepth)
    {
        reader.fail("nodes nested too deeply");
        return false;
    }
    node.className = reader.readCachedString();
    if (doc.jsControlled) node.jsControlledName = reader.readCachedString();
    node.memberAssignType = reader.readInt(false);
    if (node.memberAssignType >= kCCBTargetType_MAX) reader.fail("unknown member target");
    if (node.memberAssignType != kCCBTargetTypeNone) node.memberAssignName = reader.readCachedString();

    int sequences = reader.readCount("node sequences");
    for (int s = 0; s < sequences && !reader.hasFailed(); ++s)
    {
        CCBNodeSequenceData seq;
        seq.sequenceId = reader.readInt(false);
        int props = reader.readCount("animated properties");
        for (int p = 0; p < props && !reader.hasFailed(); ++p)
        {
            CCBAnimatedPropertyData prop;
            prop.name = reader.readCachedString();
            prop.type = reader.readInt(false);
            if (!reader.hasFailed() && prop.type >= kCCBPropType_MAX) reader.fail("unknown property type");
            int keys = reader.readCount("keyframes");
            for (int k = 0; k < keys && !reader.hasFailed(); ++k)
            {
                CCBKeyframeData key;
                readKeyframe(reader, prop.type, key);
                prop.keyframes.push_back(key);
            }
            seq.properties.push_back(prop);
        }
        node.sequences.push_back(seq);
    }

    int regular = reader.readCount("properties");
    int extra = reader.readCount("custom properties");
    for (int i = 0; i < regular + extra && !reader.hasFailed(); ++i)
    {
        CCBPropertyData prop;
        prop.extra = i >= regular;
        int type = reader.readInt(false);
        prop.name = reader.readCachedString();
        prop.platform = reader.readByte();
        if (reader.hasFailed()) break;
        if (type >= kCCBPropType_MAX)
        {
            reader.fail("unknown property type");
            break;
        }
        if (prop.platform >= kCCBPlatform_MAX)
        {
            reader.fail("unknown platform");
            break;
        }
        prop.value.type = type;
        readValue(reader, prop.value);
        node.properties.push_back(prop);
    }

    int children = reader.readCount("children");
    for (int i = 0; i < children && !reader.hasFailed(); ++i)
    {
        node.children.push_back(CCBNodeData());
        readNode(reader, doc, node.children.back(), depth + 1);
    }
    return !reader.hasFailed();
}

void CCBDocumentDecoder::readKeyframe(CCBDataReader& reader, int type, CCBKeyframeData& key)
{
    key.time = reader.readFloat();
    key.easing = reader.readInt(false);
    if (!reader.hasFailed() && key.easing >= kCCBKeyframeEasing_MAX) reader.fail("unknown easing");
    key.easingOpt = ccbEasingHasOption(key.easing) ? reader.readFloat() : 0.0f;
    CCBValueData& v = key.value;
    v.type = type;
    switch (type)
    {
    case kCCBPropTypeCheck: v.bytes[0] = reader.readBool() ? 1 : 0; break;
    case kCCBPropTypeByte: v.bytes[0] = reader.readByte(); break;
    case kCCBPropTypeColor3:
        for (int i = 0; i < 3; ++i) v.bytes[i] = reader.readByte();
        break;
    case kCCBPropTypeDegrees: v.floats[0] = reader.readFloat(); break;
    case kCCBPropTypePosition:
    case kCCBPropTypeScaleLock:
    case kCCBPropTypeFloatXY:
        v.floats[0] = reader.readFloat();
        v.floats[1] = reader.readFloat();
        break;
    case kCCBPropTypeSpriteFrame:
        v.strings[0] = reader.readCachedString();
        v.strings[1] = reader.readCachedString();
        break;
    default: break;  // keyframes of other types carry no value
    }
}

void CCBDocumentDecoder::readValue(CCBDataReader& reader, CCBValueData& v)
{
    switch (v.type)
    {
    case kCCBPropTypePosition:
    case kCCBPropTypeSize:
    case kCCBPropTypeScaleLock:
    {
        v.floats[0] = reader.readFloat();
        v.floats[1] = reader.readFloat();
        v.ints[0] = reader.readInt(false);
        int limit = (int)kCCBScaleType_MAX;
        if (v.type == kCCBPropTypePosition) limit = (int)kCCBPositionType_MAX;
        if (v.type == kCCBPropTypeSize) limit = (int)kCCBSizeType_MAX;
        if (!reader.hasFailed() && v.ints[0] >= limit) reader.fail("unknown position, size or scale kind");
        break;
    }
    case kCCBPropTypePoint:
    case kCCBPropTypePointLock:
    case kCCBPropTypeFloatXY:
    case kCCBPropTypeFloatVar:
        v.floats[0] = reader.readFloat();
        v.floats[1] = reader.readFloat();
        break;
    case kCCBPropTypeDegrees:
    case kCCBPropTypeFloat: v.floats[0] = reader.readFloat(); break;
    case kCCBPropTypeFloatScale:
        v.floats[0] = reader.readFloat();
        v.ints[0] = reader.readInt(false);
        if (!reader.hasFailed() && v.ints[0] >= kCCBScaleType_MAX) reader.fail("unknown scale kind");
        break;
    case kCCBPropTypeInteger:
    case kCCBPropTypeIntegerLabeled: v.ints[0] = reader.readInt(true); break;
    case kCCBPropTypeCheck: v.bytes[0] = reader.readBool() ? 1 : 0; break;
    case kCCBPropTypeByte: v.bytes[0] = reader.readByte(); break;
    case kCCBPropTypeFlip:
        v.bytes[0] = reader.readBool() ? 1 : 0;
        v.bytes[1] = reader.readBool() ? 1 : 0;
        break;
    case kCCBPropTypeColor3:
        for (int i = 0; i < 3; ++i) v.bytes[i] = reader.readByte();
        break;
    case kCCBPropTypeColor4FVar:
        for (int i = 0; i < 8; ++i) v.floats[i] = reader.readFloat();
        break;
    case kCCBPropTypeBlendmode:
        v.ints[0] = reader.readInt(false);
        v.ints[1] = reader.readInt(false);
        break;
    case kCCBPropTypeSpriteFrame:
    case kCCBPropTypeAnimation:
        v.strings[0] = reader.readCachedString();
        v.strings[1] = reader.readCachedString();
        break;
    case kCCBPropTypeTexture:
    case kCCBPropTypeFntFile:
    case kCCBPropTypeText:
    case kCCBPropTypeFontTTF:
    case kCCBPropTypeString:
    case kCCBPropTypeCCBFile: v.strings[0] = reader.readCachedString(); break;
    case kCCBPropTypeBlock:
        v.strings[0] = reader.readCachedString();
        v.ints[0] = reader.readInt(false);
        break;
    case kCCBPropTypeBlockCCControl:
        v.strings[0] = reader.readCachedString();
        v.ints[0] = reader.readInt(false);
        v.ints[1] = reader.readInt(false);
        break;
    default: reader.fail("unknown property type"); break;
    }
}

} // namespace extension
} // namespace cocos2d
