#ifndef __TEXT_HELPERS_H__
#define __TEXT_HELPERS_H__

#include "CCArray.h"

#include <string>

NS_CC_BEGIN

/**
 * The whole resource file as a NUL-terminated text in a new[] buffer that the caller delete[]s.
 * Read in text mode (CRLF arrives as LF). A missing file reads as an empty text, never NULL.
 */
char* readTextFile(const char* fileName);

/**
 * Cuts a text into lines (CCString) at line feeds. A line feed inside double quotes stays in the
 * line (a table cell may hold a line break) unless it is the text's last byte. A final line feed adds
 * no empty line; an empty text gives an empty array.
 */
CCArray* splitLines(const char* text);

/**
 * Cuts one table row into fields (CCString) at commas outside double quotes. Quotes are dropped, a
 * doubled quote reads as one quote, nothing is trimmed and a trailing comma adds no empty field.
 * A comma inside quotes is kept, or dropped when removeQuotedCommas is set (so "1,500" reads 1500).
 */
CCArray* splitCSVLine(const char* line, bool removeQuotedCommas);

/** Replaces every occurrence of search, left to right; replaced text is not searched again. */
void replaceAll(std::string& text, const std::string& search, const std::string& replacement);

/** replaceAll with the number's decimal text, for placeholders such as "<%1>". */
void replaceAllWithInt(std::string& text, const std::string& search, int value);

/** 1234567 gives "1,234,567"; a negative number keeps its sign in front ("-1,234"). */
std::string formatNumberWithCommas(int value);

NS_CC_END

#endif // __TEXT_HELPERS_H__
