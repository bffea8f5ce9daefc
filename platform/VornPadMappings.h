#ifndef __VORN_PAD_MAPPINGS_H__
#define __VORN_PAD_MAPPINGS_H__

#include <string>

/**
 * Pad layouts a player adds for pads SDL does not know: a text file in SDL's mapping format
 * (one "<guid>,<name>,a:b0,b:b1,...,platform:Linux," per line; '#' starts a comment), read into
 * SDL's game-controller mappings. Lines naming another platform are passed over; a line SDL
 * refuses is logged with its line number and skipped, and the rest still count.
 */
class VornPadMappings
{
public:
    /** The file players drop beside their saves. */
    static const char* const kFileName;

    /** Adds the mappings of the file at path (a missing file is no error); answers how many. */
    static int loadFile(const std::string& path);
    /** The file beside the saves, when there is one. Needs SDL's game-controller subsystem. */
    static int loadPlayersFile();
};

#endif // __VORN_PAD_MAPPINGS_H__
