#ifndef __ONLINE_HANDLER_H__
#define __ONLINE_HANDLER_H__

#include "CCObject.h"

NS_CC_BEGIN

class OnlineManager;

/**
 * One online service (achievements, leaderboards, sign-in). The online manager keeps the handlers
 * the setup enables and forwards every request to each of them; identifiers are the game's own,
 * mapped to the service's through the manager's identifier files.
 */
class OnlineHandler : public CCObject
{
public:
    OnlineHandler() : m_bConnected(false), m_pManager(NULL) {}
    virtual ~OnlineHandler() {}

    /** Prepares the service; false stops the online manager's init. */
    virtual bool init() { return true; }
    /** The name listed under "OnlineHandlers" and used as inner key of the identifier files. */
    virtual const char* getName() = 0;
    virtual bool connectsOnGameStart() = 0;
    /** Signs in; the handler calls onConnected once that has completed. */
    virtual void connect() = 0;
    /** Signs out: not connected any more, and the manager announces it. */
    virtual void shutdown();
    virtual void showAchievements() = 0;
    virtual void showLeaderboards() = 0;
    virtual void showLeaderboard(const char* leaderboardId) = 0;
    virtual void submitScore(const char* leaderboardId, int score) = 0;
    virtual void setAchievementProgress(const char* achievementId, float progress) = 0;
    /**
     * Sign-in completed: marks the handler connected, announces it and reports the progress and
     * best scores made while offline.
     */
    virtual void onConnected();
    /** The service was lost. */
    virtual void onDisconnected() { m_bConnected = false; }
    /** Whether the service has an achievements view of its own to show. */
    virtual bool canShowAchievements() { return true; }
    /** Whether the service has a leaderboards view of its own to show. */
    virtual bool canShowLeaderboards() { return true; }
    virtual bool isConnected() { return m_bConnected; }
    virtual void setConnected(bool connected) { m_bConnected = connected; }

    /** The manager that keeps this handler (not retained: the manager owns its handlers). */
    OnlineManager* getOnlineManager() { return m_pManager; }
    void setOnlineManager(OnlineManager* manager) { m_pManager = manager; }

protected:
    bool m_bConnected;

private:
    OnlineManager* m_pManager;
};

NS_CC_END

#endif // __ONLINE_HANDLER_H__
