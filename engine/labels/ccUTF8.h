#ifndef __CC_UTF8_H__
#define __CC_UTF8_H__

#include "base/CCPlatformMacros.h"

#include <string>

NS_CC_BEGIN

/**
 * UTF-8 to 16-bit characters, one per code point. A malformed byte and a code point beyond the
 * 16-bit range each become U+FFFD, so the result never has more characters than the code points.
 */
std::u16string cc_utf8_to_utf16(const std::string& text);
std::string cc_utf16_to_utf8(const std::u16string& text);

/** The length of a UTF-8 sequence from its lead byte (1 to 4); 0 for a byte that can't start one. */
int cc_utf8_sequence_length(unsigned char lead);

NS_CC_END

#endif // __CC_UTF8_H__
