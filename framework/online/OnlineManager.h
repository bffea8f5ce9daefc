#ifndef __ONLINE_MANAGER_H__
#define __ONLINE_MANAGER_H__

#include "CCArray.h"
#include "CCDictionary.h"
#include "OnlineHandler.h"
#include "Signal.h"

NS_CC_BEGIN

class GameManager;
class SystemManager;

/**
 * Holds the online handlers that the setup list enables ("OnlineHandlers") and forwards every
 * request to each of them. The game's achievement and leaderboard ids are mapped to each
 * service's ids through "achievements.plist" and "leaderboards.plist".
 */
class OnlineManager : public CCObject
{
public:
    OnlineManager();
    virtual ~OnlineManager();

    static OnlineManager* create();

    /**
     * Reads the identifier files, keeps the enabled handlers and joins the game-ready and quit
     * signals. False when an enabled handler's init fails.
     */
    virtual bool init();
    /** Keeps the handler when the setup enables its name and its init succeeds; false when init fails. */
    bool addHandler(OnlineHandler* handler);

    /** True when any handler is connected. */
    virtual bool isConnected();
    /** True when any handler answers true. */
    virtual bool canShowAchievements();
    virtual bool canShowLeaderboards();
    virtual void showLeaderboards();
    virtual void showLeaderboard(const char* leaderboardId);
    virtual void submitScore(const char* leaderboardId, int score);
    virtual void setAchievementProgress(const char* achievementId, float progress);

    /** The service's id of a game achievement or leaderboard; NULL when there is none. */
    const char* getAchievementID(const char* achievementId, const char* handlerName);
    const char* getLeaderboardID(const char* leaderboardId, const char* handlerName);

    /** Signs in every handler named "GooglePlayServices". */
    void connectGooglePlayServices();
    /** The game has started: connect the handlers that sign in on their own. */
    void onGameStart();
    /** The player quits: every handler shuts down. */
    void onQuit();

    virtual CCDictionary* getAchievementIDs() { return m_pAchievementIDs; }
    virtual void setAchievementIDs(CCDictionary* ids);
    virtual CCDictionary* getLeaderboardIDs() { return m_pLeaderboardIDs; }
    virtual void setLeaderboardIDs(CCDictionary* ids);
    virtual CCArray* getHandlers() { return m_pHandlers; }
    virtual void setHandlers(CCArray* handlers);
    virtual Signal<OnlineHandler*>& getHandlerConnectedSignal() { return m_handlerConnectedSignal; }
    virtual void setHandlerConnectedSignal(const Signal<OnlineHandler*>& s) { m_handlerConnectedSignal = s; }
    virtual Signal<OnlineHandler*>& getHandlerDisconnectedSignal() { return m_handlerDisconnectedSignal; }
    virtual void setHandlerDisconnectedSignal(const Signal<OnlineHandler*>& s) { m_handlerDisconnectedSignal = s; }

private:
    /** True when any handler answers the query with true. */
    bool anyHandler(bool (OnlineHandler::*query)());

    void leaveSignals();

    CCDictionary* m_pAchievementIDs;  ///< retained; NULL when the file is missing
    CCDictionary* m_pLeaderboardIDs;  ///< retained; NULL when the file is missing
    CCArray* m_pHandlers;             ///< retained
    Signal<OnlineHandler*> m_handlerConnectedSignal;
    Signal<OnlineHandler*> m_handlerDisconnectedSignal;
    GameManager* m_pJoinedGameManager;      ///< whose game-ready signal we joined; not retained
    SystemManager* m_pJoinedSystemManager;  ///< whose quit signal we joined; retained while joined
};

NS_CC_END

#endif // __ONLINE_MANAGER_H__
