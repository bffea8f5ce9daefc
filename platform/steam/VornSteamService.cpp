#include "VornSteamService.h"

#include "VornSteamBackend.h"

#include "cocos2d.h"
#include "support/CCBackgroundWriter.h"

#include <algorithm>

#include <unistd.h>

using namespace cocos2d;

namespace
{
const uint64 kLocalUserId = 76561197960265729ULL;
} // namespace

VornSteamService& VornSteamService::instance()
{
    static VornSteamService s_service;
    return s_service;
}

VornSteamService::VornSteamService()
    : m_appId(VornSteamBackend::kDefaultAppId),
      m_bFailInit(false),
      m_bFailFind(false),
      m_bFailUpload(false),
      m_bUp(false),
      m_bDispatching(false),
      m_bStatsReady(false),
      m_bStoreWritable(true),
      m_lastCall(0),
      m_warningHook(NULL)
{
}

std::string VornSteamService::storePath() const
{
    if (!m_storePath.empty())
    {
        return m_storePath;
    }
    return CCFileUtils::sharedFileUtils()->getWritablePath() + "steam-local.txt";
}

bool VornSteamService::loadForInspection(VornSteamStore& store)
{
    CCBackgroundWriter::finishQueuedWrites();
    std::string error;
    return store.load(storePath(), error);
}

void VornSteamService::warn(const std::string& text)
{
    CCLog("ERROR: Steam - %s", text.c_str());
    if (m_warningHook)
    {
        m_warningHook(1, text.c_str());
    }
}

bool VornSteamService::init()
{
    if (m_bUp)
    {
        return true;
    }
    if (m_bFailInit)
    {
        return false;
    }
    CCBackgroundWriter::finishQueuedWrites();
    std::string error;
    m_bStoreWritable = true;
    if (!m_stored.load(storePath(), error))
    {
        // An unreadable file that could not be moved aside is left alone: writing over it would
        // lose what it holds.
        m_bStoreWritable = !m_stored.untouchable;
        warn(error);
    }
    m_working = m_stored;
    m_bStatsReady = false;
    m_boardNames.clear();
    m_queue.clear();
    m_bUp = true;
    return true;
}

void VornSteamService::shutdown()
{
    // Their answers go out with the rest of the queue.
    CCBackgroundWriter::finishQueuedWrites();
    m_bUp = false;
    m_bStatsReady = false;
    m_queue.clear();
    m_warningHook = NULL;
}

SteamAPICall_t VornSteamService::newCall()
{
    return ++m_lastCall;
}

CSteamID VornSteamService::GetSteamID()
{
    return m_bUp ? CSteamID(kLocalUserId) : CSteamID();
}

// ---- registrations and delivery ----

void VornSteamService::registerCallback(CCallbackBase* callback, int id)
{
    if (callback == NULL)
    {
        return;
    }
    unregisterCallback(callback);
    callback->m_iCallback = id;
    callback->m_nCallbackFlags |= CCallbackBase::k_ECallbackFlagsRegistered;
    m_callbacks.push_back(std::make_pair(id, callback));
}

void VornSteamService::unregisterCallback(CCallbackBase* callback)
{
    for (size_t i = 0; i < m_callbacks.size(); ++i)
    {
        if (m_callbacks[i].second == callback)
        {
            m_callbacks.erase(m_callbacks.begin() + i);
            break;
        }
    }
    if (callback)
    {
        callback->m_nCallbackFlags &= ~CCallbackBase::k_ECallbackFlagsRegistered;
    }
}

void VornSteamService::registerCallResult(CCallbackBase* callback, SteamAPICall_t call)
{
    if (callback == NULL || call == k_uAPICallInvalid)
    {
        return;
    }
    m_callResults[call] = callback;
    callback->m_nCallbackFlags |= CCallbackBase::k_ECallbackFlagsRegistered;
}

void VornSteamService::unregisterCallResult(CCallbackBase* callback, SteamAPICall_t call)
{
    std::map<SteamAPICall_t, CCallbackBase*>::iterator it = m_callResults.find(call);
    if (it != m_callResults.end() && it->second == callback)
    {
        m_callResults.erase(it);
        callback->m_nCallbackFlags &= ~CCallbackBase::k_ECallbackFlagsRegistered;
    }
}

bool VornSteamService::isCallbackRegistered(CCallbackBase* callback) const
{
    for (size_t i = 0; i < m_callbacks.size(); ++i)
    {
        if (m_callbacks[i].second == callback)
        {
            return true;
        }
    }
    return false;
}

void VornSteamService::runCallbacks()
{
    // Never re-entered: a handler calling this again gets nothing, and events raised while
    // delivering wait for the next call.
    if (!m_bUp || m_bDispatching)
    {
        return;
    }
    m_bDispatching = true;
    std::deque<Event> batch;
    batch.swap(m_queue);
    while (!batch.empty() && m_bUp)
    {
        Event event;
        event.id = batch.front().id;
        event.call = batch.front().call;
        event.data.swap(batch.front().data);
        batch.pop_front();
        void* payload = &event.data[0];
        if (event.call != k_uAPICallInvalid)
        {
            std::map<SteamAPICall_t, CCallbackBase*>::iterator it = m_callResults.find(event.call);
            if (it == m_callResults.end())
            {
                continue;
            }
            CCallbackBase* target = it->second;
            m_callResults.erase(it);
            target->m_nCallbackFlags &= ~CCallbackBase::k_ECallbackFlagsRegistered;
            target->Run(payload, false, event.call);
            continue;
        }
        if (event.id == UserStatsReceived_t::k_iCallback)
        {
            m_bStatsReady = true;
        }
        std::vector<CCallbackBase*> targets;
        for (size_t i = 0; i < m_callbacks.size(); ++i)
        {
            if (m_callbacks[i].first == event.id)
            {
                targets.push_back(m_callbacks[i].second);
            }
        }
        for (size_t i = 0; i < targets.size() && m_bUp; ++i)
        {
            // One handler may have unregistered (or destroyed) another.
            if (isCallbackRegistered(targets[i]))
            {
                targets[i]->Run(payload);
            }
        }
    }
    m_bDispatching = false;
}

// ---- stats and achievements ----

bool VornSteamService::RequestCurrentStats()
{
    if (!m_bUp)
    {
        return false;
    }
    UserStatsReceived_t received = UserStatsReceived_t();
    received.m_nGameID = m_appId;
    received.m_eResult = k_EResultOK;
    received.m_steamIDUser = CSteamID(kLocalUserId);
    post(received, k_uAPICallInvalid);
    return true;
}

bool VornSteamService::GetStat(const char* pchName, int32* pData)
{
    if (!m_bStatsReady || pData == NULL || pchName == NULL)
    {
        return false;
    }
    std::map<std::string, int32>::const_iterator it = m_working.intStats.find(pchName);
    if (it == m_working.intStats.end())
    {
        return false;
    }
    *pData = it->second;
    return true;
}

bool VornSteamService::GetStat(const char* pchName, float* pData)
{
    if (!m_bStatsReady || pData == NULL || pchName == NULL)
    {
        return false;
    }
    std::map<std::string, float>::const_iterator it = m_working.floatStats.find(pchName);
    if (it == m_working.floatStats.end())
    {
        return false;
    }
    *pData = it->second;
    return true;
}

bool VornSteamService::SetStat(const char* pchName, int32 nData)
{
    if (!m_bStatsReady || !VornSteamStore::isValidName(pchName) || m_working.floatStats.count(pchName))
    {
        return false;
    }
    m_working.intStats[pchName] = nData;
    return true;
}

bool VornSteamService::SetStat(const char* pchName, float fData)
{
    if (!m_bStatsReady || !VornSteamStore::isValidName(pchName) || m_working.intStats.count(pchName))
    {
        return false;
    }
    m_working.floatStats[pchName] = fData;
    return true;
}

bool VornSteamService::GetAchievement(const char* pchName, bool* pbAchieved)
{
    if (!m_bStatsReady || pbAchieved == NULL || !VornSteamStore::isValidName(pchName))
    {
        return false;
    }
    std::map<std::string, bool>::const_iterator it = m_working.achievements.find(pchName);
    *pbAchieved = it != m_working.achievements.end() && it->second;
    return true;
}

bool VornSteamService::SetAchievement(const char* pchName)
{
    if (!m_bStatsReady || !VornSteamStore::isValidName(pchName))
    {
        return false;
    }
    m_working.achievements[pchName] = true;
    return true;
}

bool VornSteamService::ClearAchievement(const char* pchName)
{
    if (!m_bStatsReady || !VornSteamStore::isValidName(pchName))
    {
        return false;
    }
    m_working.achievements[pchName] = false;
    return true;
}

bool VornSteamService::saveStore(const VornSteamStore& stored, const std::map<std::string, int32>& boards)
{
    if (!m_bStoreWritable)
    {
        warn("the stats store could not be read, so it is not overwritten");
        return false;
    }
    VornSteamStore file = stored;
    file.leaderboards = boards;
    std::string error;
    if (!file.save(storePath(), error))
    {
        warn(error);
        return false;
    }
    return true;
}

bool VornSteamService::StoreStats()
{
    if (!m_bStatsReady)
    {
        return false;
    }
    VornSteamStore next = m_working;
    next.leaderboards = m_stored.leaderboards;
    if (!m_bStoreWritable)
    {
        warn("the stats store could not be read, so it is not overwritten");
        answerStoreStats(next, false);
        return true;  // the request was made; its result says it failed
    }
    // As the real service stores over the network, the answer comes later: the file is written on
    // the background writer's thread, so an achievement in the middle of a fight costs no frame.
    const std::string path = storePath();
    CCBackgroundWriter::sharedBackgroundWriter()->writeFileReplacing(
        path, next.toText(), [this, next, path](bool ok, int error) {
            if (!ok)
            {
                warn("unable to write " + path + " (" + strerror(error) + ")");
            }
            answerStoreStats(next, ok);
        });
    return true;
}

void VornSteamService::answerStoreStats(const VornSteamStore& next, bool saved)
{
    UserStatsStored_t stored;
    memset(&stored, 0, sizeof(stored));
    stored.m_nGameID = m_appId;
    stored.m_eResult = saved ? k_EResultOK : k_EResultFail;
    post(stored, k_uAPICallInvalid);
    if (!saved)
    {
        return;
    }
    for (std::map<std::string, bool>::const_iterator it = next.achievements.begin(); it != next.achievements.end(); ++it)
    {
        std::map<std::string, bool>::const_iterator before = m_stored.achievements.find(it->first);
        if (it->second && (before == m_stored.achievements.end() || !before->second))
        {
            UserAchievementStored_t achieved;
            memset(&achieved, 0, sizeof(achieved));
            achieved.m_nGameID = m_appId;
            strncpy(achieved.m_rgchAchievementName, it->first.c_str(), sizeof(achieved.m_rgchAchievementName) - 1);
            post(achieved, k_uAPICallInvalid);
        }
    }
    // The boards are written at once and wait for these writes first, so ours are the newest.
    const std::map<std::string, int32> boards = m_stored.leaderboards;
    m_stored = next;
    m_stored.leaderboards = boards;
}

// ---- leaderboards ----

SteamAPICall_t VornSteamService::FindLeaderboard(const char* pchLeaderboardName)
{
    if (!m_bUp)
    {
        return k_uAPICallInvalid;
    }
    LeaderboardFindResult_t result;
    memset(&result, 0, sizeof(result));
    if (!m_bFailFind && VornSteamStore::isValidName(pchLeaderboardName))
    {
        std::vector<std::string>::iterator it = std::find(m_boardNames.begin(), m_boardNames.end(), pchLeaderboardName);
        if (it == m_boardNames.end())
        {
            m_boardNames.push_back(pchLeaderboardName);
            it = m_boardNames.end() - 1;
        }
        result.m_hSteamLeaderboard = (SteamLeaderboard_t)(it - m_boardNames.begin()) + 1;
        result.m_bLeaderboardFound = 1;
    }
    const SteamAPICall_t call = newCall();
    post(result, call);
    return call;
}

const char* VornSteamService::GetLeaderboardName(SteamLeaderboard_t hSteamLeaderboard)
{
    if (hSteamLeaderboard == 0 || hSteamLeaderboard > m_boardNames.size())
    {
        return "";
    }
    return m_boardNames[hSteamLeaderboard - 1].c_str();
}

SteamAPICall_t VornSteamService::UploadLeaderboardScore(SteamLeaderboard_t hSteamLeaderboard,
                                                        ELeaderboardUploadScoreMethod eLeaderboardUploadScoreMethod,
                                                        int32 nScore, const int32* pScoreDetails, int cScoreDetailsCount)
{
    (void)pScoreDetails;
    (void)cScoreDetailsCount;
    if (!m_bUp)
    {
        return k_uAPICallInvalid;
    }
    // Every accepted request gets an answer, failed or not, so a caller waiting for it never stalls.
    LeaderboardScoreUploaded_t result;
    memset(&result, 0, sizeof(result));
    result.m_hSteamLeaderboard = hSteamLeaderboard;
    result.m_nScore = nScore;
    const bool known = hSteamLeaderboard != 0 && hSteamLeaderboard <= m_boardNames.size();
    const bool method = eLeaderboardUploadScoreMethod == k_ELeaderboardUploadScoreMethodKeepBest ||
                        eLeaderboardUploadScoreMethod == k_ELeaderboardUploadScoreMethodForceUpdate;
    if (!m_bFailUpload && known && method)
    {
        // A store still being written holds the older boards: it lands first.
        CCBackgroundWriter::finishQueuedWrites();
        const std::string& name = m_boardNames[hSteamLeaderboard - 1];
        std::map<std::string, int32> boards = m_stored.leaderboards;
        std::map<std::string, int32>::iterator it = boards.find(name);
        const bool had = it != boards.end();
        const int32 previous = had ? it->second : 0;
        const bool better = !had || eLeaderboardUploadScoreMethod == k_ELeaderboardUploadScoreMethodForceUpdate ||
                            nScore > previous;
        if (better)
        {
            boards[name] = nScore;
        }
        if (!better || saveStore(m_stored, boards))
        {
            m_stored.leaderboards = boards;
            result.m_bSuccess = 1;
            result.m_bScoreChanged = better && (!had || previous != nScore) ? 1 : 0;
            result.m_nGlobalRankNew = 1;
            result.m_nGlobalRankPrevious = had ? 1 : 0;
        }
    }
    const SteamAPICall_t call = newCall();
    post(result, call);
    return call;
}
