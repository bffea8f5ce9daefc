#ifndef __VORN_SCRIPT_ERROR_TALLY_H__
#define __VORN_SCRIPT_ERROR_TALLY_H__

#include "CCPlatformMacros.h"

#include <map>
#include <string>

NS_CC_BEGIN

/**
 * Tells each distinct script error once and counts its repeats. A fault in a function the game
 * calls every frame for every enemy of a kind would otherwise fill the log with one line per
 * enemy per frame and bury everything else.
 *
 * The first time an error is seen it is logged whole (message and traceback). Its repeats are
 * counted and told as one short line ("... (repeated N times)") when the count reaches 10, 100,
 * 1000 and so on, and once more at flush() for what was not told yet. flush() forgets every
 * error, so the next one is told whole again.
 */
class VornScriptErrorTally
{
public:
    VornScriptErrorTally() : m_nUnlisted(0) {}
    ~VornScriptErrorTally() { flush(); }

    /** An error's log line: its message, with any traceback on the following lines. */
    void report(const std::string& error);
    /** Tells the repeats not told yet and forgets every error. */
    void flush();

    /** How many different errors are told whole before the rest are only counted. */
    static const size_t kMaxDistinct = 64;

private:
    struct tEntry
    {
        unsigned long repeats;  ///< sightings after the first
        unsigned long told;     ///< repeats already in the log
    };
    void tellRepeats(const std::string& error, tEntry& entry);

    std::map<std::string, tEntry> m_entries;
    unsigned long m_nUnlisted;  ///< errors past kMaxDistinct, counted only
};

NS_CC_END

#endif // __VORN_SCRIPT_ERROR_TALLY_H__
