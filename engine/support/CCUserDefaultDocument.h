#ifndef __CC_USER_DEFAULT_DOCUMENT_H__
#define __CC_USER_DEFAULT_DOCUMENT_H__

#include "base/CCPlatformMacros.h"

#include <map>
#include <string>

NS_CC_BEGIN

/**
 * The saved settings' XML form: a "userDefaultRoot" of "entry" elements, each a key attribute and
 * the value as text. Keys and values that XML cannot carry (bytes that are not UTF-8, most control
 * characters) are written as hex with "keyenc"/"enc" set to "hex". Any key and value round-trip.
 */
class CCUserDefaultDocument
{
public:
    typedef std::map<std::string, std::string> Values;

    /** The document's entries; false (values untouched) when it is not such a document. */
    static bool read(const char* data, size_t size, Values& values);
    /**
     * The stock engine's layout: a "userDefaultRoot" whose child elements are named by their keys
     * and hold their values as text (<level.best>12</level.best>). An element with attributes or
     * child elements makes it no such document (false, values untouched); of two elements with one
     * name the first counts, as lookups in that layout find the first.
     */
    static bool readStockLayout(const char* data, size_t size, Values& values);
    static std::string write(const Values& values);
};

NS_CC_END

#endif // __CC_USER_DEFAULT_DOCUMENT_H__
