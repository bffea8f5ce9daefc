#include "VornSteamStore.h"

#include "CCFileUtils.h"
#include "CCUserDefault.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <sstream>

namespace
{
const char* const kHeader = "vorn-steam-store 1";

bool parseInt(const std::string& text, int32& value)
{
    if (text.empty())
    {
        return false;
    }
    errno = 0;
    char* end = NULL;
    long long parsed = strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX)
    {
        return false;
    }
    value = (int32)parsed;
    return true;
}

bool parseFloat(const std::string& text, float& value)
{
    if (text.empty())
    {
        return false;
    }
    char* end = NULL;
    value = strtof(text.c_str(), &end);
    return *end == '\0';
}

} // namespace

bool VornSteamStore::isValidName(const char* name)
{
    if (name == NULL || name[0] == '\0' || strlen(name) >= 128)
    {
        return false;
    }
    return strpbrk(name, "\t\r\n") == NULL;
}

bool VornSteamStore::load(const std::string& path, std::string& error)
{
    achievements.clear();
    intStats.clear();
    floatStats.clear();
    leaderboards.clear();
    untouchable = false;
    std::string contents;
    std::string reason;
    // Read as the settings file is: a pipe or a huge file in its place must not hold up start-up.
    cocos2d::CCFileUtils::SavedFileRead found =
        cocos2d::CCFileUtils::readSavedFile(path, cocos2d::CCUserDefault::kMaxFileSize, &contents, &reason);
    if (found == cocos2d::CCFileUtils::kSavedFile_Missing)
    {
        return true;
    }
    std::istringstream lines(contents);
    std::string line;
    if (found == cocos2d::CCFileUtils::kSavedFile_Read && (!std::getline(lines, line) || line != kHeader))
    {
        found = cocos2d::CCFileUtils::kSavedFile_Unreadable;
        reason = "not a stats store";
    }
    if (found == cocos2d::CCFileUtils::kSavedFile_Unreadable)
    {
        const std::string aside = cocos2d::CCFileUtils::setAsideSavedFile(path, "bad");
        untouchable = aside.empty();
        error = "unable to read " + path + " (" + reason + ")" +
                (aside.empty() ? "; it could not be moved aside" : "; moved it to " + aside);
        return false;
    }
    int skipped = 0;
    while (std::getline(lines, line))
    {
        if (line.empty())
        {
            continue;
        }
        const size_t first = line.find('\t');
        const size_t second = first == std::string::npos ? std::string::npos : line.find('\t', first + 1);
        if (second == std::string::npos || line.find('\t', second + 1) != std::string::npos)
        {
            ++skipped;
            continue;
        }
        const std::string kind = line.substr(0, first);
        const std::string name = line.substr(first + 1, second - first - 1);
        const std::string value = line.substr(second + 1);
        int32 number = 0;
        float real = 0.0f;
        if (!isValidName(name.c_str()))
        {
            ++skipped;
        }
        else if (kind == "A" && (value == "0" || value == "1"))
        {
            achievements[name] = value == "1";
        }
        else if (kind == "I" && parseInt(value, number))
        {
            intStats[name] = number;
        }
        else if (kind == "F" && parseFloat(value, real))
        {
            floatStats[name] = real;
        }
        else if (kind == "L" && parseInt(value, number))
        {
            leaderboards[name] = number;
        }
        else
        {
            ++skipped;
        }
    }
    if (skipped > 0)
    {
        std::ostringstream text;
        text << "skipped " << skipped << " unreadable line(s) of " << path;
        error = text.str();
        return false;
    }
    return true;
}

std::string VornSteamStore::toText() const
{
    std::ostringstream out;
    out << kHeader << "\n";
    for (std::map<std::string, bool>::const_iterator it = achievements.begin(); it != achievements.end(); ++it)
    {
        out << "A\t" << it->first << "\t" << (it->second ? 1 : 0) << "\n";
    }
    for (std::map<std::string, int32>::const_iterator it = intStats.begin(); it != intStats.end(); ++it)
    {
        out << "I\t" << it->first << "\t" << it->second << "\n";
    }
    for (std::map<std::string, float>::const_iterator it = floatStats.begin(); it != floatStats.end(); ++it)
    {
        char text[64];
        snprintf(text, sizeof(text), "%.9g", it->second);
        out << "F\t" << it->first << "\t" << text << "\n";
    }
    for (std::map<std::string, int32>::const_iterator it = leaderboards.begin(); it != leaderboards.end(); ++it)
    {
        out << "L\t" << it->first << "\t" << it->second << "\n";
    }
    return out.str();
}

bool VornSteamStore::save(const std::string& path, std::string& error) const
{
    const std::string text = toText();
    if (!cocos2d::CCFileUtils::sharedFileUtils()->writeFileReplacing(path, text.data(), text.size()))
    {
        error = "unable to write " + path + " (" + strerror(errno) + ")";
        return false;
    }
    return true;
}
