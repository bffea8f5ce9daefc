#ifndef __VORN_STEAM_TYPES_H__
#define __VORN_STEAM_TYPES_H__

// The Steamworks base types the game is written with, for our local stand-in of the service.

#include <stdint.h>

typedef unsigned char uint8;
typedef signed char int8;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int32_t int32;
typedef uint32_t uint32;
typedef int64_t int64;
typedef uint64_t uint64;

typedef uint32 AppId_t;
typedef uint64 SteamAPICall_t;
typedef uint64 SteamLeaderboard_t;

const SteamAPICall_t k_uAPICallInvalid = 0;

enum EResult
{
    k_EResultNone = 0,
    k_EResultOK = 1,
    k_EResultFail = 2,
    k_EResultNoConnection = 3,
    k_EResultInvalidParam = 8,
    k_EResultFileNotFound = 9,
};

/** A user's id; the local stand-in has a single user. */
class CSteamID
{
public:
    CSteamID() : m_ulSteamID(0) {}
    explicit CSteamID(uint64 ulSteamID) : m_ulSteamID(ulSteamID) {}
    uint64 ConvertToUint64() const { return m_ulSteamID; }
    bool IsValid() const { return m_ulSteamID != 0; }
    bool operator==(const CSteamID& other) const { return m_ulSteamID == other.m_ulSteamID; }
    bool operator!=(const CSteamID& other) const { return m_ulSteamID != other.m_ulSteamID; }

private:
    uint64 m_ulSteamID;
};

#endif // __VORN_STEAM_TYPES_H__
