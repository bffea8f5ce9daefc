// libFuzzer entry: the saved settings document. Whatever the reader takes must come back the same
// through the writer, and any keys and values the game stores must survive a write and a read.
#include "CCUserDefaultDocument.h"
#include "FuzzQuiet.h"

#include <cstdint>
#include <cstdlib>
#include <string>

USING_NS_CC;

namespace
{
void checkRoundTrip(const CCUserDefaultDocument::Values& values)
{
    const std::string text = CCUserDefaultDocument::write(values);
    CCUserDefaultDocument::Values back;
    if (!CCUserDefaultDocument::read(text.data(), text.size(), back)) abort();
    if (back != values) abort();
    if (CCUserDefaultDocument::write(back) != text) abort();  // the writer is deterministic
}

// The input cut at 0xFF bytes into key, value, key, value ...: any bytes at all as data.
CCUserDefaultDocument::Values valuesFrom(const uint8_t* data, size_t size)
{
    CCUserDefaultDocument::Values values;
    std::string parts[2];
    int part = 0;
    for (size_t i = 0; i <= size; ++i)
    {
        if (i == size || data[i] == 0xFF)
        {
            if (part == 1)
            {
                values[parts[0]] = parts[1];
                parts[0].clear();
                parts[1].clear();
            }
            part ^= 1;
            continue;
        }
        parts[part] += (char)data[i];
    }
    return values;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzQuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCUserDefaultDocument::Values values;
    if (CCUserDefaultDocument::read((const char*)data, size, values))
    {
        checkRoundTrip(values);
    }
    else if (!values.empty())
    {
        abort();  // a refused document leaves the values alone
    }
    checkRoundTrip(valuesFrom(data, size));
    return 0;
}
