#ifndef __CCB_DOCUMENT_DECODER_H__
#define __CCB_DOCUMENT_DECODER_H__

#include "CCBDocument.h"

#include <string>

namespace cocos2d {
namespace extension {

class CCBDataReader;

/**
 * Decodes a whole .ccbi buffer into plain values without making any node, so a file can be
 * checked before anything is built. Never reads past the buffer.
 */
class CCBDocumentDecoder
{
public:
    /**
     * Decodes bytes into out. On malformed data returns false, logs
     * "CCBReader - cannot read '<name>': <reason> at byte <n>" and, when reason is given, stores
     * the reason there.
     */
    static bool decode(const unsigned char* bytes, size_t size, const char* name, CCBDocumentData& out,
                       std::string* reason = 0);

    /** Reads the sequences and the auto-play id into doc (after the header and string cache). */
    static bool readSequences(CCBDataReader& reader, CCBDocumentData& doc);
    /** Reads one property value of the given type (as the node properties store it). */
    static void readValue(CCBDataReader& reader, CCBValueData& value);
    /** Reads one keyframe of an animated property of the given type. */
    static void readKeyframe(CCBDataReader& reader, int type, CCBKeyframeData& keyframe);

private:
    static bool readNode(CCBDataReader& reader, const CCBDocumentData& doc, CCBNodeData& node, int depth);
};

} // namespace extension
} // namespace cocos2d

#endif // __CCB_DOCUMENT_DECODER_H__
