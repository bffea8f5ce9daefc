#ifndef __VORN_STEAM_STORE_H__
#define __VORN_STEAM_STORE_H__

#include "steamtypes.h"

#include <map>
#include <string>

/** What the local Steam stand-in keeps between runs, read and written as one text file. */
struct VornSteamStore
{
    std::map<std::string, bool> achievements;
    std::map<std::string, int32> intStats;
    std::map<std::string, float> floatStats;
    std::map<std::string, int32> leaderboards;  ///< best score per board
    bool untouchable = false;  ///< the file could be neither read nor moved aside: never write over it

    /** A name the file can hold: 1..127 bytes, no tab or line break. */
    static bool isValidName(const char* name);

    /**
     * Reads the file; a missing file is an empty store. A file that can't be read (a pipe, a
     * folder, no permission, over the settings file's size cap) or is not a store is moved aside
     * to "<path>.bad-<time>" (so nothing overwrites it) and the store starts empty; when it can't
     * be moved, untouchable is set.
     */
    bool load(const std::string& path, std::string& error);
    /** The file's text. */
    std::string toText() const;
    /** Writes a temporary file beside path, syncs it and renames it over path. */
    bool save(const std::string& path, std::string& error) const;
};

#endif // __VORN_STEAM_STORE_H__
