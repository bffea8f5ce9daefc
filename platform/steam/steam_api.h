#ifndef __VORN_STEAM_API_H__
#define __VORN_STEAM_API_H__

// The Steamworks calls the game makes, answered by a local stand-in: stats, achievements and
// leaderboards are kept in a file in the writable path, and every event is delivered from
// SteamAPI_RunCallbacks on the caller's thread.

#include "isteamuserstats.h"
#include "steam_callbacks.h"
#include "steamtypes.h"

typedef void (*SteamAPIWarningMessageHook_t)(int nSeverity, const char* pchDebugText);

class ISteamClient
{
public:
    virtual ~ISteamClient() {}
    /** Receives the layer's warnings (severity 0 message, 1 warning). */
    virtual void SetWarningMessageHook(SteamAPIWarningMessageHook_t pFunction) = 0;
};

class ISteamUser
{
public:
    virtual ~ISteamUser() {}
    /** True while the layer is up. */
    virtual bool BLoggedOn() = 0;
    virtual CSteamID GetSteamID() = 0;
};

class ISteamUtils
{
public:
    virtual ~ISteamUtils() {}
    virtual uint32 GetAppID() = 0;
};

/** Starts the layer and loads the local store; false when told to fail. */
bool SteamAPI_Init();
/** Stops the layer; events not yet delivered are dropped. */
void SteamAPI_Shutdown();
/** Delivers the events queued so far; events raised meanwhile wait for the next call. */
void SteamAPI_RunCallbacks();

// NULL while the layer is down.
ISteamClient* SteamClient();
ISteamUser* SteamUser();
ISteamUtils* SteamUtils();
ISteamUserStats* SteamUserStats();

/** A line written into the next crash report; safe inside a signal handler. */
void SteamAPI_SetMiniDumpComment(const char* pchMsg);
/**
 * Writes a short crash report (signal, build, comment, backtrace) into the writable path;
 * safe inside a signal handler. uStructuredExceptionCode is the signal number and
 * pvExceptionInfo the handler's siginfo_t (or NULL).
 */
void SteamAPI_WriteMiniDump(uint32 uStructuredExceptionCode, void* pvExceptionInfo, uint32 uBuildID);

#endif // __VORN_STEAM_API_H__
