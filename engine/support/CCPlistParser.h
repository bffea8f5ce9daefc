#ifndef __CC_PLIST_PARSER_H__
#define __CC_PLIST_PARSER_H__

#include "base/CCObject.h"

#include <cstddef>

NS_CC_BEGIN

class CCArray;
class CCDictionary;

/**
 * Reads XML property lists: dict, array, key, string, integer, real, true/false ("1"/"0"),
 * date and data (as their text). Every scalar becomes a CCString; dict keys keep file order.
 * Never touches the network and never expands entities. Results are retained (the caller
 * owns one reference); NULL and a logged error when missing or malformed.
 */
class CCPlistParser
{
public:
    static CCDictionary* dictionaryWithContentsOfFile(const char* pFileName);
    static CCArray* arrayWithContentsOfFile(const char* pFileName);
    /** The top-level dict or array of a plist in memory; nameForLog names it in errors. */
    static CCObject* objectWithData(const char* pData, size_t length, const char* nameForLog);

private:
    static CCObject* objectWithContentsOfFile(const char* pFileName);
};

NS_CC_END

#endif // __CC_PLIST_PARSER_H__
