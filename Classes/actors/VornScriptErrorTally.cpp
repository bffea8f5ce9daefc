#include "VornScriptErrorTally.h"

#include "CCConsole.h"

NS_CC_BEGIN

namespace
{
// The message without its traceback: enough to match a repeat line with the error told whole.
std::string firstLine(const std::string& error)
{
    return error.substr(0, error.find('\n'));
}

bool isPowerOfTen(unsigned long n)
{
    while (n >= 10 && n % 10 == 0)
    {
        n /= 10;
    }
    return n == 1;
}
} // namespace

void VornScriptErrorTally::report(const std::string& error)
{
    std::map<std::string, tEntry>::iterator found = m_entries.find(error);
    if (found != m_entries.end())
    {
        tEntry& entry = found->second;
        ++entry.repeats;
        if (isPowerOfTen(entry.repeats) && entry.repeats >= 10)
        {
            tellRepeats(error, entry);
        }
        return;
    }
    if (m_entries.size() >= kMaxDistinct)
    {
        // Messages that differ every time (a value in the text) would each be new.
        if (m_nUnlisted++ == 0)
        {
            CCLog("ERROR: VornScriptErrorTally::report - too many different script errors; further ones are only counted");
        }
        return;
    }
    tEntry entry = {0, 0};
    m_entries[error] = entry;
    CCLog("%s", error.c_str());
}

void VornScriptErrorTally::tellRepeats(const std::string& error, tEntry& entry)
{
    CCLog("%s (repeated %lu times)", firstLine(error).c_str(), entry.repeats);
    entry.told = entry.repeats;
}

void VornScriptErrorTally::flush()
{
    for (std::map<std::string, tEntry>::iterator it = m_entries.begin(); it != m_entries.end(); ++it)
    {
        if (it->second.repeats > it->second.told)
        {
            tellRepeats(it->first, it->second);
        }
    }
    m_entries.clear();
    if (m_nUnlisted > 0)
    {
        CCLog("ERROR: VornScriptErrorTally::flush - %lu more script errors of other kinds were not shown", m_nUnlisted);
        m_nUnlisted = 0;
    }
}

NS_CC_END
