// libFuzzer entry: any bytes handed to the plist reader must give a tree or NULL, never a crash,
// a leak or an expansion.
#include "cocos2d.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

USING_NS_CC;

namespace
{
// Touches every node and every byte of text, so a broken tree shows up under the sanitizers.
size_t walk(CCObject* object)
{
    size_t bytes = 0;
    if (CCDictionary* dict = dynamic_cast<CCDictionary*>(object))
    {
        CCDictElement* element = NULL;
        CCDICT_FOREACH(dict, element)
        {
            bytes += strlen(element->getStrKey()) + walk(element->getObject());
        }
    }
    else if (CCArray* array = dynamic_cast<CCArray*>(object))
    {
        CCObject* child = NULL;
        CCARRAY_FOREACH(array, child)
        {
            bytes += walk(child);
        }
    }
    else if (CCString* text = dynamic_cast<CCString*>(object))
    {
        bytes += strlen(text->getCString());
    }
    else
    {
        abort();  // only dicts, arrays and strings may come out
    }
    return bytes;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Every rejected input logs a line; keep the fuzzer's own output readable.
    if (!getenv("VORN_FUZZ_VERBOSE"))
    {
        if (!freopen("/dev/null", "w", stdout))
        {
            return 0;
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCObject* result = CCPlistParser::objectWithData((const char*)data, size, "fuzz");
    if (result)
    {
        if (!dynamic_cast<CCDictionary*>(result) && !dynamic_cast<CCArray*>(result))
        {
            abort();  // the top level is always a dict or an array
        }
        walk(result);
        result->release();
    }
    return 0;
}
