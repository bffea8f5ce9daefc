#ifndef __ACHIEVEMENTS_MANAGER_H__
#define __ACHIEVEMENTS_MANAGER_H__

#include "AchievementInfo.h"
#include "CCDictionary.h"
#include "CCLayer.h"

NS_CC_BEGIN

class GameManager;

/**
 * The player's progress towards each achievement (0 to 1), kept in CCUserDefault under the
 * achievement's id and reported to the online manager whenever it rises. The game's achievement
 * rules derive from it. The newest one is the shared one until it is destroyed.
 *
 * A rise goes into the store at once but reaches the disk at the next safe point (saveProgress):
 * a pause, going to the background, quitting and the window closing (the game manager's
 * applicationWillTerminate), and whatever points the game adds. Knock-outs raise progress in the
 * middle of a fight, and a synced file write there would stall the frame. An unlock is the
 * exception: the player sees it, so it is written at once, on the background writer's thread.
 */
class AchievementsManager : public CCLayer
{
public:
    AchievementsManager();
    virtual ~AchievementsManager();

    static AchievementsManager* sharedAchievementsManager();

    /**
     * Reads the ids from the file (a dictionary keyed by achievement id) and each one's saved
     * progress. A missing or unreadable file leaves no achievements (logged); still true.
     */
    virtual bool initWithFile(const char* fileName);
    /**
     * Raises the achievement's progress to the value clamped to [0, 1]: put in the store first
     * (written at the next saveProgress, or at once in the background when it completes), then the online manager
     * is told. False for an unknown
     * id or a value that is not higher.
     */
    virtual bool setAchievementProgress(const char* id, float progress);
    /** Adds delta to the progress (single precision, clamped to [0, 1]) through setAchievementProgress. */
    virtual bool addAchievementProgress(const char* id, float delta);
    virtual bool isAchievementUnlocked(const char* id);

    /** progress + delta, added and clamped to [0, 1] in single precision as the game counts. */
    static float addProgress(float progress, float delta);

    /**
     * Writes the store when progress rose since the last save; false (logged) when the write
     * failed, and the next call tries again.
     */
    bool saveProgress();
    bool hasUnsavedProgress() const { return m_bUnsaved; }

    /** The achievement with that id, or NULL. */
    AchievementInfo* getAchievement(const char* id);
    /** Every achievement back to 0, saved (one flush); the online services are not told. */
    void resetAllAchievements();

    virtual CCDictionary* getAchievements() { return m_pAchievements; }
    /** Retains the new dictionary and releases the old one. */
    virtual void setAchievements(CCDictionary* achievements);
    virtual CCDictionary* getDefinitions() { return m_pDefinitions; }
    /** Retains the new dictionary and releases the old one. */
    virtual void setDefinitions(CCDictionary* definitions);
    /** A mark the game may keep; the framework never reads it. */
    virtual bool getFlag() { return m_bFlag; }
    virtual void setFlag(bool flag) { m_bFlag = flag; }

private:
    /** Follows the game's pause and background, where unsaved progress is written. */
    void joinSafePoints();
    void leaveSafePoints();
    void onPaused(bool paused);
    void onSafePoint();

    CCDictionary* m_pAchievements;  ///< retained; id -> AchievementInfo
    CCDictionary* m_pDefinitions;   ///< retained; the file as read, NULL when it could not be
    bool m_bFlag;
    bool m_bUnsaved;                   ///< progress in the store that is not on disk yet
    GameManager* m_pJoinedGameManager; ///< whose pause and background we follow; not retained (it owns us)
};

NS_CC_END

#endif // __ACHIEVEMENTS_MANAGER_H__
