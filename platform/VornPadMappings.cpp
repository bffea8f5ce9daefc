#include "VornPadMappings.h"

#include "cocos2d.h"

#include <SDL.h>

#include <strings.h>
#include <sys/stat.h>

using namespace cocos2d;

const char* const VornPadMappings::kFileName = "gamecontrollerdb.txt";

namespace
{
// SDL's whole community list is well under this; anything larger is not a mapping file.
const unsigned long kMaxFileSize = 8 * 1024 * 1024;

std::string trimmed(const std::string& line)
{
    const char* blanks = " \t\r";
    const size_t first = line.find_first_not_of(blanks);
    if (first == std::string::npos)
    {
        return "";
    }
    return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

// The mapping lists carry every platform's lines; only ours (or a line naming none) apply here.
bool isForAnotherPlatform(const std::string& mapping)
{
    static const char kField[] = "platform:";
    const size_t at = mapping.find(kField);
    if (at == std::string::npos)
    {
        return false;
    }
    const size_t start = at + sizeof(kField) - 1;
    const size_t end = mapping.find(',', start);
    const std::string platform = mapping.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return strcasecmp(platform.c_str(), SDL_GetPlatform()) != 0;
}
} // namespace

int VornPadMappings::loadFile(const std::string& path)
{
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    struct stat st;
    if (!files->isFileExist(path) || stat(path.c_str(), &st) != 0)
    {
        return 0;
    }
    if ((unsigned long long)st.st_size > kMaxFileSize)
    {
        CCLog("ERROR: The pad mappings file %s is %lld bytes, too large to be one; it is not read", path.c_str(),
              (long long)st.st_size);
        return 0;
    }
    unsigned long size = 0;
    unsigned char* data = files->getFileData(path.c_str(), "rt", &size);
    if (!data)
    {
        CCLog("ERROR: The pad mappings in %s could not be read", path.c_str());
        return 0;
    }
    const std::string text((const char*)data, size);
    delete[] data;

    int added = 0;
    int lineNumber = 0;
    size_t start = 0;
    while (start <= text.size())
    {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
        {
            end = text.size();
        }
        ++lineNumber;
        const std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#' || isForAnotherPlatform(line))
        {
            continue;
        }
        if (SDL_GameControllerAddMapping(line.c_str()) < 0)
        {
            CCLog("ERROR: %s:%d: not a pad mapping SDL can use (%s); the line is skipped", path.c_str(), lineNumber,
                  SDL_GetError());
            continue;
        }
        ++added;
    }
    CCLogDebug("VornPadMappings - %d pad mappings from %s", added, path.c_str());
    return added;
}

int VornPadMappings::loadPlayersFile()
{
    return loadFile(CCFileUtils::sharedFileUtils()->getWritablePath() + kFileName);
}
