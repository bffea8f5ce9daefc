#ifndef __VORN_ISTEAM_USER_STATS_H__
#define __VORN_ISTEAM_USER_STATS_H__

// Stats, achievements and leaderboards: the interface and the events it answers with.

#include "steamtypes.h"

const int k_iSteamUserStatsCallbacks = 1100;
const int k_cchStatNameMax = 128;
const int k_cchLeaderboardNameMax = 128;

enum ELeaderboardUploadScoreMethod
{
    k_ELeaderboardUploadScoreMethodNone = 0,
    k_ELeaderboardUploadScoreMethodKeepBest = 1,     ///< keep the higher of the old and new score
    k_ELeaderboardUploadScoreMethodForceUpdate = 2,  ///< always take the new score
};

/** The user's stats and achievements arrived (after RequestCurrentStats). */
struct UserStatsReceived_t
{
    enum { k_iCallback = k_iSteamUserStatsCallbacks + 1 };
    uint64 m_nGameID;  ///< the app id, widened
    EResult m_eResult;
    CSteamID m_steamIDUser;
};

/** StoreStats finished. */
struct UserStatsStored_t
{
    enum { k_iCallback = k_iSteamUserStatsCallbacks + 2 };
    uint64 m_nGameID;
    EResult m_eResult;
};

/** An achievement newly unlocked by StoreStats. */
struct UserAchievementStored_t
{
    enum { k_iCallback = k_iSteamUserStatsCallbacks + 3 };
    uint64 m_nGameID;
    bool m_bGroupAchievement;
    char m_rgchAchievementName[k_cchStatNameMax];
    uint32 m_nCurProgress;
    uint32 m_nMaxProgress;
};

/** The answer to FindLeaderboard; m_bLeaderboardFound 0 (and handle 0) when it failed. */
struct LeaderboardFindResult_t
{
    enum { k_iCallback = k_iSteamUserStatsCallbacks + 4 };
    SteamLeaderboard_t m_hSteamLeaderboard;
    uint8 m_bLeaderboardFound;
};

/** The answer to UploadLeaderboardScore; m_bSuccess 0 when it failed. */
struct LeaderboardScoreUploaded_t
{
    enum { k_iCallback = k_iSteamUserStatsCallbacks + 6 };
    uint8 m_bSuccess;
    SteamLeaderboard_t m_hSteamLeaderboard;
    int32 m_nScore;
    uint8 m_bScoreChanged;
    int m_nGlobalRankNew;
    int m_nGlobalRankPrevious;
};

class ISteamUserStats
{
public:
    virtual ~ISteamUserStats() {}

    /** Asks for the user's stats; UserStatsReceived_t follows. Stats can't change before it arrives. */
    virtual bool RequestCurrentStats() = 0;

    virtual bool GetStat(const char* pchName, int32* pData) = 0;
    virtual bool GetStat(const char* pchName, float* pData) = 0;
    virtual bool SetStat(const char* pchName, int32 nData) = 0;
    virtual bool SetStat(const char* pchName, float fData) = 0;

    virtual bool GetAchievement(const char* pchName, bool* pbAchieved) = 0;
    virtual bool SetAchievement(const char* pchName) = 0;
    virtual bool ClearAchievement(const char* pchName) = 0;

    /** Keeps the changed stats and achievements; UserStatsStored_t (and UserAchievementStored_t) follow. */
    virtual bool StoreStats() = 0;

    /** LeaderboardFindResult_t answers the returned call. */
    virtual SteamAPICall_t FindLeaderboard(const char* pchLeaderboardName) = 0;
    virtual const char* GetLeaderboardName(SteamLeaderboard_t hSteamLeaderboard) = 0;
    /** LeaderboardScoreUploaded_t answers the returned call, also when the upload failed. */
    virtual SteamAPICall_t UploadLeaderboardScore(SteamLeaderboard_t hSteamLeaderboard,
                                                  ELeaderboardUploadScoreMethod eLeaderboardUploadScoreMethod,
                                                  int32 nScore, const int32* pScoreDetails,
                                                  int cScoreDetailsCount) = 0;
};

#endif // __VORN_ISTEAM_USER_STATS_H__
