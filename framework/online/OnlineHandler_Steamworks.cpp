#include "OnlineHandler_Steamworks.h"

#include "CCConsole.h"
#include "GameManager.h"
#include "OnlineManager.h"

NS_CC_BEGIN

const char* const OnlineHandler_Steamworks::kName = "Steamworks";

static void steamWarningHook(int severity, const char* text)
{
    CCLog("SteamDebug:%d:%s", severity, text ? text : "");
}

OnlineHandler_Steamworks::OnlineHandler_Steamworks()
    : m_bInitialised(false),
      m_appID(0),
      m_bUploading(false),
      m_leaderboard(0),
      m_pendingScore(0),
      m_pJoinedGameManager(NULL),
      m_userStatsReceived(this, &OnlineHandler_Steamworks::onUserStatsReceived),
      m_userStatsStored(this, &OnlineHandler_Steamworks::onUserStatsStored),
      m_userAchievementStored(this, &OnlineHandler_Steamworks::onUserAchievementStored)
{
}

OnlineHandler_Steamworks::~OnlineHandler_Steamworks()
{
    shutdown();
    leaveUpdate();
    // The callback and call-result members unregister themselves as they go.
}

bool OnlineHandler_Steamworks::init()
{
    if (m_bInitialised)
    {
        return true;
    }
    if (!SteamAPI_Init())
    {
        CCLog("SteamAPI_Init() failed\n");
        return true;
    }
    if (SteamClient() != NULL)
    {
        SteamClient()->SetWarningMessageHook(&steamWarningHook);
    }
    m_appID = SteamUtils() != NULL ? SteamUtils()->GetAppID() : 0;
    m_bInitialised = true;
    return true;
}

void OnlineHandler_Steamworks::connect()
{
    if (!m_bInitialised || m_bConnected)
    {
        return;
    }
    ISteamUserStats* stats = SteamUserStats();
    ISteamUser* user = SteamUser();
    if (stats != NULL && user != NULL && user->BLoggedOn() && stats->RequestCurrentStats())
    {
        joinUpdate();
    }
    else
    {
        CCLog("Error connecting to Steam!");
    }
}

void OnlineHandler_Steamworks::shutdown()
{
    if (!m_bInitialised)
    {
        return;
    }
    // Cleared first: whatever the announcement below sets off, Steam stops only once.
    m_bInitialised = false;
    leaveUpdate();
    m_findResult.Cancel();
    m_uploadResult.Cancel();
    m_bUploading = false;
    SteamAPI_Shutdown();
    OnlineHandler::shutdown();
}

void OnlineHandler_Steamworks::onDisconnected()
{
    OnlineHandler::onDisconnected();
    leaveUpdate();
}

void OnlineHandler_Steamworks::joinUpdate()
{
    GameManager* gameManager = GameManager::getInstance();
    if (gameManager == NULL || gameManager == m_pJoinedGameManager)
    {
        return;
    }
    leaveUpdate();
    gameManager->getUpdateSignal().connect(this, &OnlineHandler_Steamworks::update);
    m_pJoinedGameManager = gameManager;
}

void OnlineHandler_Steamworks::leaveUpdate()
{
    // A game manager that is no longer the instance has gone, and its signal with it.
    if (m_pJoinedGameManager != NULL && m_pJoinedGameManager == GameManager::getInstance())
    {
        m_pJoinedGameManager->getUpdateSignal().disconnect(this, &OnlineHandler_Steamworks::update);
    }
    m_pJoinedGameManager = NULL;
}

void OnlineHandler_Steamworks::onUserStatsReceived(UserStatsReceived_t* pParam)
{
    if (!m_bConnected && pParam != NULL && pParam->m_nGameID == (uint64)m_appID)
    {
        onConnected();
    }
}

void OnlineHandler_Steamworks::onUserStatsStored(UserStatsStored_t*)
{
}

void OnlineHandler_Steamworks::onUserAchievementStored(UserAchievementStored_t*)
{
}

void OnlineHandler_Steamworks::setAchievementProgress(const char* achievementId, float progress)
{
    if (!m_bConnected)
    {
        return;
    }
    OnlineManager* manager = getOnlineManager();
    const char* steamName = manager ? manager->getAchievementID(achievementId, kName) : NULL;
    if (steamName == NULL)
    {
        CCLog("OnlineHandler_Steamworks::pszAchievementID - Unable to find ID for %s",
              achievementId ? achievementId : "(null)");
        return;
    }
    ISteamUserStats* stats = SteamUserStats();
    if (progress >= 1.0f && m_bConnected && stats != NULL)
    {
        stats->SetAchievement(steamName);
        stats->StoreStats();
    }
}

void OnlineHandler_Steamworks::submitScore(const char* leaderboardId, int score)
{
    if (!m_bConnected)
    {
        return;
    }
    OnlineManager* manager = getOnlineManager();
    const char* steamName = manager ? manager->getLeaderboardID(leaderboardId, kName) : NULL;
    if (steamName == NULL)
    {
        return;
    }
    QueuedScore entry;
    entry.leaderboardName = steamName;
    entry.score = score;
    m_scoreQueue.push_back(entry);
}

void OnlineHandler_Steamworks::update(float)
{
    // Keep ourselves alive: a Steam answer may end up dropping our manager and us with it.
    retain();
    if (m_bInitialised)
    {
        SteamAPI_RunCallbacks();
    }
    if (m_bConnected && !m_bUploading && !m_scoreQueue.empty())
    {
        startNextUpload();
    }
    release();
}

void OnlineHandler_Steamworks::startNextUpload()
{
    ISteamUserStats* stats = SteamUserStats();
    if (stats == NULL)
    {
        return;
    }
    QueuedScore entry = m_scoreQueue.front();
    m_scoreQueue.pop_front();
    m_bUploading = true;
    m_pendingScore = entry.score;
    m_pendingName = entry.leaderboardName;
    SteamAPICall_t call = stats->FindLeaderboard(entry.leaderboardName.c_str());
    if (call == k_uAPICallInvalid)
    {
        CCLog("OnlineHandler_Steamworks::update - unable to look up leaderboard %s, score %d dropped",
              m_pendingName.c_str(), (int)m_pendingScore);
        finishUpload();
        return;
    }
    m_findResult.Set(call, this, &OnlineHandler_Steamworks::onLeaderboardFound);
}

void OnlineHandler_Steamworks::finishUpload()
{
    m_bUploading = false;
    m_pendingName.clear();
}

void OnlineHandler_Steamworks::onLeaderboardFound(LeaderboardFindResult_t* result, bool ioFailure)
{
    // A board that can't be found must not hold up the scores queued behind it.
    if (ioFailure || result == NULL || !result->m_bLeaderboardFound || result->m_hSteamLeaderboard == 0)
    {
        CCLog("OnlineHandler_Steamworks::onLeaderboardFound - leaderboard %s not found, score %d dropped",
              m_pendingName.c_str(), (int)m_pendingScore);
        finishUpload();
        return;
    }
    m_leaderboard = result->m_hSteamLeaderboard;
    ISteamUserStats* stats = SteamUserStats();
    SteamAPICall_t call = stats ? stats->UploadLeaderboardScore(m_leaderboard, k_ELeaderboardUploadScoreMethodKeepBest,
                                                                m_pendingScore, NULL, 0)
                                : k_uAPICallInvalid;
    if (call == k_uAPICallInvalid)
    {
        CCLog("OnlineHandler_Steamworks::onLeaderboardFound - unable to upload score %d to %s",
              (int)m_pendingScore, m_pendingName.c_str());
        finishUpload();
        return;
    }
    m_uploadResult.Set(call, this, &OnlineHandler_Steamworks::onScoreUploaded);
}

void OnlineHandler_Steamworks::onScoreUploaded(LeaderboardScoreUploaded_t* result, bool ioFailure)
{
    if (ioFailure || result == NULL || !result->m_bSuccess)
    {
        CCLog("OnlineHandler_Steamworks::onScoreUploaded - upload of score %d to %s failed",
              (int)m_pendingScore, m_pendingName.c_str());
    }
    finishUpload();
}

NS_CC_END
