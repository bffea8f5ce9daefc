#ifndef __CCBC_CCBI_WRITER_H__
#define __CCBC_CCBI_WRITER_H__

#include "CCBDocument.h"

#include <map>
#include <string>
#include <vector>

namespace ccbc
{
/** Encodes a layout document as a version 5 .ccbi file. */
class CcbiWriter
{
public:
    static std::vector<unsigned char> write(const cocos2d::extension::CCBDocumentData& document);

private:
    CcbiWriter() : m_bit(0) {}

    void writeBit(bool bit);
    void align() { m_bit = 0; }
    void writeByte(unsigned char value);
    void writeBool(bool value) { writeByte(value ? 1 : 0); }
    void writeInt(long long value, bool isSigned);
    void writeFloat(float value);
    void writeString(const std::string& value);

    void writeSequence(const cocos2d::extension::CCBSequenceData& sequence);
    void writeNode(const cocos2d::extension::CCBNodeData& node, bool jsControlled);
    void writeKeyframe(const cocos2d::extension::CCBKeyframeData& keyframe);
    void writeValue(const cocos2d::extension::CCBValueData& value);

    std::vector<unsigned char> m_bytes;
    int m_bit;  ///< next free bit of the last byte; 0 means start a new byte
    std::vector<std::string> m_strings;
    std::map<std::string, int> m_stringIndex;
};
} // namespace ccbc

#endif
