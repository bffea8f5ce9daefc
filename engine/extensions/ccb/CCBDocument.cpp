#include "CCBDocument.h"

// Kept free of engine calls: the layout compiler builds this file too.

namespace cocos2d {
namespace extension {

CCBValueData::CCBValueData() : type(-1)
{
    for (int i = 0; i < 8; ++i) floats[i] = 0;
    ints[0] = ints[1] = 0;
    bytes[0] = bytes[1] = bytes[2] = 0;
}

CCBValueData::CCBValueData(int valueType) : CCBValueData()
{
    type = valueType;
}

bool CCBValueData::operator==(const CCBValueData& o) const
{
    if (type != o.type) return false;
    for (int i = 0; i < 8; ++i)
    {
        if (floats[i] != o.floats[i]) return false;
    }
    return ints[0] == o.ints[0] && ints[1] == o.ints[1] && bytes[0] == o.bytes[0] && bytes[1] == o.bytes[1]
        && bytes[2] == o.bytes[2] && strings[0] == o.strings[0] && strings[1] == o.strings[1];
}

const CCBSequenceData* CCBDocumentData::findSequence(int sequenceId) const
{
    for (size_t i = 0; i < sequences.size(); ++i)
    {
        if (sequences[i].sequenceId == sequenceId) return &sequences[i];
    }
    return 0;
}

const CCBSequenceData* CCBDocumentData::findSequence(const std::string& name) const
{
    for (size_t i = 0; i < sequences.size(); ++i)
    {
        if (sequences[i].name == name) return &sequences[i];
    }
    return 0;
}

} // namespace extension
} // namespace cocos2d
