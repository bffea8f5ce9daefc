#ifndef __CCBC_LAYOUT_PARSER_H__
#define __CCBC_LAYOUT_PARSER_H__

#include "CCBDocument.h"

#include <string>

namespace ccbc
{
struct ParseError
{
    std::string file;
    int line;
    std::string message;

    ParseError() : line(0) {}
    /** "file:line: error: message", as compilers print it. */
    std::string text() const;
};

/**
 * Reads a text layout (see tools/ccbc/README.md for the language) into a document.
 * On failure returns false and fills error with the file, line and reason.
 */
bool parseLayout(const std::string& source, const std::string& fileName,
                 cocos2d::extension::CCBDocumentData& out, ParseError& error);

/** The property type of a type name such as "position" or "blockControl"; -1 when unknown. */
int propertyTypeFromName(const std::string& name);
} // namespace ccbc

#endif
