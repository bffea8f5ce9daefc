// libFuzzer entry: any bytes handed to the .ccbi decoder must give a document or false with a
// reason, never a crash, a read past the buffer or a runaway allocation.
#include "FuzzQuiet.h"
#include "cocos-ext.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

USING_NS_CC_EXT;

namespace
{
size_t touch(const CCBValueData& value)
{
    return value.strings[0].size() + value.strings[1].size() + (size_t)value.type;
}

// Visits every decoded value, so a half-built document shows up under the sanitizers.
size_t walk(const CCBNodeData& node)
{
    size_t n = node.className.size() + node.memberAssignName.size() + node.jsControlledName.size();
    for (size_t i = 0; i < node.properties.size(); ++i)
    {
        n += node.properties[i].name.size() + touch(node.properties[i].value);
    }
    for (size_t s = 0; s < node.sequences.size(); ++s)
    {
        const std::vector<CCBAnimatedPropertyData>& props = node.sequences[s].properties;
        for (size_t p = 0; p < props.size(); ++p)
        {
            for (size_t k = 0; k < props[p].keyframes.size(); ++k) n += touch(props[p].keyframes[k].value);
        }
    }
    for (size_t c = 0; c < node.children.size(); ++c) n += walk(node.children[c]);
    return n;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzQuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCBDocumentData doc;
    std::string reason;
    if (CCBDocumentDecoder::decode(data, size, "fuzz", doc, &reason))
    {
        size_t n = walk(doc.root);
        for (size_t i = 0; i < doc.sequences.size(); ++i)
        {
            const CCBSequenceData& sequence = doc.sequences[i];
            n += sequence.name.size();
            for (size_t c = 0; c < sequence.callbacks.size(); ++c) n += sequence.callbacks[c].name.size();
            for (size_t s = 0; s < sequence.sounds.size(); ++s) n += sequence.sounds[s].file.size();
        }
        if (n == (size_t)-1) abort();  // keeps the walk from being optimised away
    }
    else if (reason.empty())
    {
        abort();  // a refusal always says why
    }
    return 0;
}
