#include "labels/ccUTF8.h"

NS_CC_BEGIN

namespace
{
const char16_t kReplacement = 0xFFFD;
} // namespace

int cc_utf8_sequence_length(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

std::u16string cc_utf8_to_utf16(const std::string& text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size())
    {
        const unsigned char lead = (unsigned char)text[i];
        const int len = cc_utf8_sequence_length(lead);
        if (len == 0 || i + len > text.size())
        {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        unsigned int cp = len == 1 ? lead : (lead & (0x7F >> len));
        bool ok = true;
        for (int k = 1; k < len; ++k)
        {
            const unsigned char c = (unsigned char)text[i + k];
            if ((c & 0xC0) != 0x80)
            {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok)
        {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        out.push_back(cp > 0xFFFF || (cp >= 0xD800 && cp <= 0xDFFF) ? kReplacement : (char16_t)cp);
        i += len;
    }
    return out;
}

std::string cc_utf16_to_utf8(const std::u16string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text)
    {
        if (c < 0x80)
        {
            out.push_back((char)c);
        }
        else if (c < 0x800)
        {
            out.push_back((char)(0xC0 | (c >> 6)));
            out.push_back((char)(0x80 | (c & 0x3F)));
        }
        else
        {
            out.push_back((char)(0xE0 | (c >> 12)));
            out.push_back((char)(0x80 | ((c >> 6) & 0x3F)));
            out.push_back((char)(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

NS_CC_END
