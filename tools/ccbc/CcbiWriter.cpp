#include "CcbiWriter.h"

#include <cmath>
#include <cstring>

using namespace cocos2d::extension;

namespace ccbc
{
std::vector<unsigned char> CcbiWriter::write(const CCBDocumentData& document)
{
    // The body goes first into its own buffer: the string cache that precedes it is only
    // complete once every string has been met.
    CcbiWriter body;
    body.writeInt((long long)document.sequences.size(), false);
    for (size_t i = 0; i < document.sequences.size(); ++i)
    {
        body.writeSequence(document.sequences[i]);
    }
    body.writeInt(document.autoPlaySequenceId, true);
    body.writeNode(document.root, document.jsControlled);

    CcbiWriter head;
    head.m_bytes.assign(kCCBMagic, kCCBMagic + 4);
    head.writeInt(kCCBVersion, false);
    head.writeBool(document.jsControlled);
    head.writeInt((long long)body.m_strings.size(), false);
    for (size_t i = 0; i < body.m_strings.size(); ++i)
    {
        const std::string& s = body.m_strings[i];
        head.writeByte((unsigned char)((s.size() >> 8) & 0xFF));
        head.writeByte((unsigned char)(s.size() & 0xFF));
        head.m_bytes.insert(head.m_bytes.end(), s.begin(), s.end());
    }
    head.m_bytes.insert(head.m_bytes.end(), body.m_bytes.begin(), body.m_bytes.end());
    return head.m_bytes;
}

void CcbiWriter::writeBit(bool bit)
{
    if (m_bit == 0) m_bytes.push_back(0);
    if (bit) m_bytes.back() |= (unsigned char)(1u << m_bit);
    m_bit = (m_bit + 1) & 7;
}

void CcbiWriter::writeByte(unsigned char value)
{
    align();
    m_bytes.push_back(value);
}

// Elias gamma code of a positive number: as many zero bits as the number has bits after its
// leading one, then the number from its leading one down, bits filled from the low end of each byte.
void CcbiWriter::writeInt(long long value, bool isSigned)
{
    unsigned long long code;
    if (isSigned)
    {
        code = value >= 0 ? (unsigned long long)value * 2 + 1 : (unsigned long long)(-value) * 2;
    }
    else
    {
        code = (unsigned long long)value + 1;
    }
    int top = 63;
    while (!(code >> top)) --top;
    for (int i = 0; i < top; ++i) writeBit(false);
    for (int i = top; i >= 0; --i) writeBit(((code >> i) & 1) != 0);
    align();
}

void CcbiWriter::writeFloat(float value)
{
    if (value == 0.0f) { writeByte(kCCBFloat0); return; }
    if (value == 1.0f) { writeByte(kCCBFloat1); return; }
    if (value == -1.0f) { writeByte(kCCBFloatMinus1); return; }
    if (value == 0.5f) { writeByte(kCCBFloat05); return; }
    if (std::floor(value) == value && std::fabs(value) < 1e9f)
    {
        writeByte(kCCBFloatInteger);
        writeInt((long long)value, true);
        return;
    }
    writeByte(kCCBFloatFull);
    unsigned char raw[4];
    std::memcpy(raw, &value, 4);  // little-endian hosts only, as the format is
    for (int i = 0; i < 4; ++i) m_bytes.push_back(raw[i]);
}

void CcbiWriter::writeString(const std::string& value)
{
    std::map<std::string, int>::const_iterator it = m_stringIndex.find(value);
    int index;
    if (it == m_stringIndex.end())
    {
        index = (int)m_strings.size();
        m_strings.push_back(value);
        m_stringIndex[value] = index;
    }
    else
    {
        index = it->second;
    }
    writeInt(index, false);
}

void CcbiWriter::writeSequence(const CCBSequenceData& sequence)
{
    writeFloat(sequence.duration);
    writeString(sequence.name);
    writeInt(sequence.sequenceId, false);
    writeInt(sequence.chainedSequenceId, true);
    writeInt((long long)sequence.callbacks.size(), false);
    for (size_t i = 0; i < sequence.callbacks.size(); ++i)
    {
        writeFloat(sequence.callbacks[i].time);
        writeString(sequence.callbacks[i].name);
        writeInt(sequence.callbacks[i].targetType, false);
    }
    writeInt((long long)sequence.sounds.size(), false);
    for (size_t i = 0; i < sequence.sounds.size(); ++i)
    {
        const CCBSoundKeyframeData& s = sequence.sounds[i];
        writeFloat(s.time);
        writeString(s.file);
        writeFloat(s.pitch);
        writeFloat(s.pan);
        writeFloat(s.gain);
    }
}

void CcbiWriter::writeNode(const CCBNodeData& node, bool jsControlled)
{
    writeString(node.className);
    if (jsControlled) writeString(node.jsControlledName);
    writeInt(node.memberAssignType, false);
    if (node.memberAssignType != kCCBTargetTypeNone) writeString(node.memberAssignName);

    writeInt((long long)node.sequences.size(), false);
    for (size_t i = 0; i < node.sequences.size(); ++i)
    {
        const CCBNodeSequenceData& seq = node.sequences[i];
        writeInt(seq.sequenceId, false);
        writeInt((long long)seq.properties.size(), false);
        for (size_t p = 0; p < seq.properties.size(); ++p)
        {
            const CCBAnimatedPropertyData& prop = seq.properties[p];
            writeString(prop.name);
            writeInt(prop.type, false);
            writeInt((long long)prop.keyframes.size(), false);
            for (size_t k = 0; k < prop.keyframes.size(); ++k) writeKeyframe(prop.keyframes[k]);
        }
    }

    // Regular properties first, then the custom-class ones.
    long long regular = 0, extra = 0;
    for (size_t i = 0; i < node.properties.size(); ++i) (node.properties[i].extra ? extra : regular)++;
    writeInt(regular, false);
    writeInt(extra, false);
    for (int pass = 0; pass < 2; ++pass)
    {
        for (size_t i = 0; i < node.properties.size(); ++i)
        {
            const CCBPropertyData& prop = node.properties[i];
            if (prop.extra != (pass == 1)) continue;
            writeInt(prop.value.type, false);
            writeString(prop.name);
            writeByte((unsigned char)prop.platform);
            writeValue(prop.value);
        }
    }

    writeInt((long long)node.children.size(), false);
    for (size_t i = 0; i < node.children.size(); ++i) writeNode(node.children[i], jsControlled);
}

void CcbiWriter::writeKeyframe(const CCBKeyframeData& keyframe)
{
    writeFloat(keyframe.time);
    writeInt(keyframe.easing, false);
    if (ccbEasingHasOption(keyframe.easing)) writeFloat(keyframe.easingOpt);
    const CCBValueData& v = keyframe.value;
    switch (v.type)
    {
    case kCCBPropTypeCheck: writeBool(v.bytes[0] != 0); break;
    case kCCBPropTypeByte: writeByte(v.bytes[0]); break;
    case kCCBPropTypeColor3:
        for (int i = 0; i < 3; ++i) writeByte(v.bytes[i]);
        break;
    case kCCBPropTypeDegrees: writeFloat(v.floats[0]); break;
    case kCCBPropTypePosition:
    case kCCBPropTypeScaleLock:
    case kCCBPropTypeFloatXY:
        writeFloat(v.floats[0]);
        writeFloat(v.floats[1]);
        break;
    case kCCBPropTypeSpriteFrame:
        writeString(v.strings[0]);
        writeString(v.strings[1]);
        break;
    default: break;  // no value stored
    }
}

void CcbiWriter::writeValue(const CCBValueData& v)
{
    switch (v.type)
    {
    case kCCBPropTypePosition:
    case kCCBPropTypeSize:
    case kCCBPropTypeScaleLock:
        writeFloat(v.floats[0]);
        writeFloat(v.floats[1]);
        writeInt(v.ints[0], false);
        break;
    case kCCBPropTypePoint:
    case kCCBPropTypePointLock:
    case kCCBPropTypeFloatXY:
    case kCCBPropTypeFloatVar:
        writeFloat(v.floats[0]);
        writeFloat(v.floats[1]);
        break;
    case kCCBPropTypeDegrees:
    case kCCBPropTypeFloat: writeFloat(v.floats[0]); break;
    case kCCBPropTypeFloatScale:
        writeFloat(v.floats[0]);
        writeInt(v.ints[0], false);
        break;
    case kCCBPropTypeInteger:
    case kCCBPropTypeIntegerLabeled: writeInt(v.ints[0], true); break;
    case kCCBPropTypeCheck: writeBool(v.bytes[0] != 0); break;
    case kCCBPropTypeByte: writeByte(v.bytes[0]); break;
    case kCCBPropTypeFlip:
        writeBool(v.bytes[0] != 0);
        writeBool(v.bytes[1] != 0);
        break;
    case kCCBPropTypeColor3:
        for (int i = 0; i < 3; ++i) writeByte(v.bytes[i]);
        break;
    case kCCBPropTypeColor4FVar:
        for (int i = 0; i < 8; ++i) writeFloat(v.floats[i]);
        break;
    case kCCBPropTypeBlendmode:
        writeInt(v.ints[0], false);
        writeInt(v.ints[1], false);
        break;
    case kCCBPropTypeSpriteFrame:
    case kCCBPropTypeAnimation:
        writeString(v.strings[0]);
        writeString(v.strings[1]);
        break;
    case kCCBPropTypeTexture:
    case kCCBPropTypeFntFile:
    case kCCBPropTypeText:
    case kCCBPropTypeFontTTF:
    case kCCBPropTypeString:
    case kCCBPropTypeCCBFile: writeString(v.strings[0]); break;
    case kCCBPropTypeBlock:
        writeString(v.strings[0]);
        writeInt(v.ints[0], false);
        break;
    case kCCBPropTypeBlockCCControl:
        writeString(v.strings[0]);
        writeInt(v.ints[0], false);
        writeInt(v.ints[1], false);
        break;
    default: break;
    }
}
} // namespace ccbc
