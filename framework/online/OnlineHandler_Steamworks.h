#ifndef __ONLINE_HANDLER_STEAMWORKS_H__
#define __ONLINE_HANDLER_STEAMWORKS_H__

#include "OnlineHandler.h"
#include "steam_api.h"

#include <deque>
#include <string>

NS_CC_BEGIN

class GameManager;

/**
 * Steam: signs in by asking for the user's stats, unlocks achievements once complete and uploads
 * scores one at a time (Steam keeps the best). Steam answers only inside SteamAPI_RunCallbacks,
 * which update calls every frame (paused or not) while connecting or connected.
 */
class OnlineHandler_Steamworks : public OnlineHandler
{
public:
    static const char* const kName;

    OnlineHandler_Steamworks();
    virtual ~OnlineHandler_Steamworks();

    /** Starts Steam; true even when it can't (logged), so a missing Steam never stops the game. */
    virtual bool init();
    virtual const char* getName() { return kName; }
    virtual bool connectsOnGameStart() { return true; }
    /** Asks for the user's stats; connected once they arrive for this app. */
    virtual void connect();
    /** Stops Steam once; a later shutdown (quit after sign-out, destruction) does nothing. */
    virtual void shutdown();
    virtual void showAchievements() {}
    virtual void showLeaderboards() {}
    virtual void showLeaderboard(const char*) {}
    /** Queues the score for its Steam leaderboard; dropped when not connected or not mapped. */
    virtual void submitScore(const char* leaderboardId, int score);
    /** Unlocks and stores the Steam achievement at 1.0; lower progress is not sent. */
    virtual void setAchievementProgress(const char* achievementId, float progress);
    virtual void onDisconnected();
    virtual bool canShowAchievements() { return false; }
    virtual bool canShowLeaderboards() { return false; }

    /** Per frame: delivers Steam's answers and starts the next upload when none is in flight. */
    void update(float dt);

    bool isInitialised() const { return m_bInitialised; }
    bool isUploading() const { return m_bUploading; }
    size_t getQueuedScoreCount() const { return m_scoreQueue.size(); }

private:
    struct QueuedScore
    {
        std::string leaderboardName;
        int32 score;
    };

    void joinUpdate();
    void leaveUpdate();
    void startNextUpload();
    void finishUpload();

    void onLeaderboardFound(LeaderboardFindResult_t* result, bool ioFailure);
    void onScoreUploaded(LeaderboardScoreUploaded_t* result, bool ioFailure);

    bool m_bInitialised;
    AppId_t m_appID;
    bool m_bUploading;
    SteamLeaderboard_t m_leaderboard;
    int32 m_pendingScore;
    std::string m_pendingName;
    std::deque<QueuedScore> m_scoreQueue;
    GameManager* m_pJoinedGameManager;  ///< whose update signal we joined; not retained

    STEAM_CALLBACK(OnlineHandler_Steamworks, onUserStatsReceived, UserStatsReceived_t, m_userStatsReceived);
    STEAM_CALLBACK(OnlineHandler_Steamworks, onUserStatsStored, UserStatsStored_t, m_userStatsStored);
    STEAM_CALLBACK(OnlineHandler_Steamworks, onUserAchievementStored, UserAchievementStored_t, m_userAchievementStored);
    CCallResult<OnlineHandler_Steamworks, LeaderboardFindResult_t> m_findResult;
    CCallResult<OnlineHandler_Steamworks, LeaderboardScoreUploaded_t> m_uploadResult;
};

NS_CC_END

#endif // __ONLINE_HANDLER_STEAMWORKS_H__
