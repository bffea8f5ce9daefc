#ifndef __VORN_CONTENT_TEST_SUPPORT_H__
#define __VORN_CONTENT_TEST_SUPPORT_H__

#include "cocos2d.h"

#include <map>
#include <string>
#include <vector>

namespace vorntest
{
/** Absolute path of a file in Resources/. */
std::string resourcePath(const std::string& name);

/** One "char" line of a BMFont text file, as key → integer. */
typedef std::map<std::string, int> FntChar;

struct FntFile
{
    std::map<std::string, std::string> common; // the "common" line's fields
    std::string pageFile;
    std::map<int, FntChar> chars; // by character id
    std::vector<std::string> errors;
};

/** Reads a BMFont text file, noting every malformed line in errors. */
FntFile readFnt(const std::string& path);

/** The rows of a simple CSV (no quoted line breaks), each split at commas outside quotes. */
std::vector<std::vector<std::string>> readCsv(const std::string& path);

/** Names of the two fighters and their sheets. */
struct FighterFiles
{
    const char* descriptor;
    const char* sheet;
};
extern const FighterFiles kFighters[2];

/** The string under key, or "" when missing or not a string. */
std::string stringFor(cocos2d::CCDictionary* d, const char* key);
} // namespace vorntest

#endif
