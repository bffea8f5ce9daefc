// libFuzzer entry: bytes read as a bitmap-font description, or as a particle file's embedded
// image text, must parse or be refused cleanly, never crash, leak or grow without bound.
#include "cocos2d.h"

#include <cstdint>
#include <string>
#include <vector>

USING_NS_CC;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
    {
        return 0;
    }
    const std::string text((const char*)data + 1, size - 1);
    if (data[0] & 1)
    {
        CCBMFontConfiguration config;
        if (config.initWithString(text, "/fuzz/font.fnt"))
        {
            for (unsigned int c = 0; c < 256; ++c)
            {
                const ccBMFontDef* def = config.glyph(c);
                if (def && def->charID != c)
                {
                    __builtin_trap();
                }
                config.kerningAmount(c, 'A');
            }
        }
    }
    else
    {
        std::vector<unsigned char> out;
        ccDecodeEmbeddedImage(text, out, 1 << 20);
        if (out.size() > (1u << 20) + 16384)
        {
            __builtin_trap();
        }
    }
    return 0;
}
