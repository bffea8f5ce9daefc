#ifndef __VORN_STEAM_SERVICE_H__
#define __VORN_STEAM_SERVICE_H__

#include "VornSteamStore.h"
#include "steam_api.h"

#include <string.h>

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

/**
 * The local Steam stand-in behind the steam_api calls: the store, the queue of events and the
 * registrations they are delivered to.
 */
class VornSteamService : public ISteamClient, public ISteamUser, public ISteamUtils, public ISteamUserStats
{
public:
    static VornSteamService& instance();

    bool init();
    void shutdown();
    bool isUp() const { return m_bUp; }
    void runCallbacks();

    void registerCallback(CCallbackBase* callback, int id);
    void unregisterCallback(CCallbackBase* callback);
    void registerCallResult(CCallbackBase* callback, SteamAPICall_t call);
    void unregisterCallResult(CCallbackBase* callback, SteamAPICall_t call);

    // Settings (VornSteamBackend).
    AppId_t m_appId;
    bool m_bFailInit;
    bool m_bFailFind;
    bool m_bFailUpload;
    std::string m_storePath;
    std::string storePath() const;
    const VornSteamStore& persisted() const { return m_stored; }
    bool loadForInspection(VornSteamStore& store);

    // ISteamClient
    virtual void SetWarningMessageHook(SteamAPIWarningMessageHook_t pFunction) { m_warningHook = pFunction; }
    // ISteamUser
    virtual bool BLoggedOn() { return m_bUp; }
    virtual CSteamID GetSteamID();
    // ISteamUtils
    virtual uint32 GetAppID() { return m_appId; }
    // ISteamUserStats
    virtual bool RequestCurrentStats();
    virtual bool GetStat(const char* pchName, int32* pData);
    virtual bool GetStat(const char* pchName, float* pData);
    virtual bool SetStat(const char* pchName, int32 nData);
    virtual bool SetStat(const char* pchName, float fData);
    virtual bool GetAchievement(const char* pchName, bool* pbAchieved);
    virtual bool SetAchievement(const char* pchName);
    virtual bool ClearAchievement(const char* pchName);
    virtual bool StoreStats();
    virtual SteamAPICall_t FindLeaderboard(const char* pchLeaderboardName);
    virtual const char* GetLeaderboardName(SteamLeaderboard_t hSteamLeaderboard);
    virtual SteamAPICall_t UploadLeaderboardScore(SteamLeaderboard_t hSteamLeaderboard,
                                                  ELeaderboardUploadScoreMethod eLeaderboardUploadScoreMethod,
                                                  int32 nScore, const int32* pScoreDetails, int cScoreDetailsCount);

private:
    VornSteamService();

    struct Event
    {
        int id;
        SteamAPICall_t call;  ///< 0 for a broadcast
        std::vector<uint64> data;
    };

    template <class P>
    void post(const P& payload, SteamAPICall_t call)
    {
        Event event;
        event.id = P::k_iCallback;
        event.call = call;
        event.data.resize((sizeof(P) + sizeof(uint64) - 1) / sizeof(uint64));
        memcpy(&event.data[0], &payload, sizeof(P));
        m_queue.push_back(event);
    }
    SteamAPICall_t newCall();
    void warn(const std::string& text);
    bool saveStore(const VornSteamStore& stored, const std::map<std::string, int32>& boards);
    /** Posts StoreStats' answer and, when saved, what it stored. */
    void answerStoreStats(const VornSteamStore& next, bool saved);
    bool isCallbackRegistered(CCallbackBase* callback) const;

    bool m_bUp;
    bool m_bDispatching;
    bool m_bStatsReady;
    bool m_bStoreWritable;
    SteamAPICall_t m_lastCall;
    SteamAPIWarningMessageHook_t m_warningHook;
    std::deque<Event> m_queue;
    std::vector<std::pair<int, CCallbackBase*> > m_callbacks;  // in registration order
    std::map<SteamAPICall_t, CCallbackBase*> m_callResults;
    VornSteamStore m_working;  ///< stats and achievements as set, before StoreStats
    VornSteamStore m_stored;   ///< what the file holds
    std::vector<std::string> m_boardNames;  ///< a leaderboard's handle is its index + 1
};

#endif // __VORN_STEAM_SERVICE_H__
