#ifndef __VORN_STEAM_BACKEND_H__
#define __VORN_STEAM_BACKEND_H__

#include "steamtypes.h"

#include <string>

/** Settings and test switches of the local Steam stand-in. */
class VornSteamBackend
{
public:
    static const AppId_t kDefaultAppId = 480;  ///< Steamworks' public test app

    /** The app id SteamUtils answers and stats events carry. */
    static void setAppId(AppId_t appId);
    static AppId_t getAppId();

    // Test switches: a failed find or upload still delivers its answer, flagged as failed.
    static void setFailInit(bool fail);
    static void setFailFindLeaderboard(bool fail);
    static void setFailUpload(bool fail);
    /** Everything back to the defaults (switches off, default app id). */
    static void resetSwitches();

    /** The store file; "steam-local.txt" in the writable path unless set (empty: the default). */
    static void setStorePath(const std::string& path);
    static std::string getStorePath();
    /** The stored best score of a leaderboard; false when it has none. */
    static bool storedLeaderboardScore(const std::string& name, int32* score);

    /** Where crash reports go; prepared before any crash, as a signal handler can't allocate. */
    static void setCrashReportPath(const std::string& path);
    /**
     * Makes the crash report ready: "crash-report.txt" in the writable path (unless a path was
     * set) and the backtrace machinery loaded, so the crash path needs no allocation.
     */
    static void prepareCrashReport();
};

#endif // __VORN_STEAM_BACKEND_H__
