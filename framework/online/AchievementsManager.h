#ifndef __ACHIEVEMENTS_MANAGER_H__
#define __ACHIEVEMENTS_MANAGER_H__

#include "AchievementInfo.h"
#include "CCDictionary.h"
#include "CCLayer.h"

NS_CC_BEGIN

/**
 * The player's progress towards each achievement (0 to 1), saved in CCUserDefault under the
 * achievement's id and reported to the online manager whenever it rises. The game's achievement
 * rules derive from it. The newest one is the shared one until it is destroyed.
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
     * Raises the achievement's progress to the value clamped to [0, 1]: saved and flushed first,
     * then the online manager is told. False for an unknown id or a value that is not higher.
     */
    virtual bool setAchievementProgress(const char* id, float progress);
    /** Adds delta to the progress (single precision, clamped to [0, 1]) through setAchievementProgress. */
    virtual bool addAchievementProgress(const char* id, float delta);
    virtual bool isAchievementUnlocked(const char* id);

    /** progress + delta, added and clamped to [0, 1] in single precision as the game counts. */
    static float addProgress(float progress, float delta);

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
    CCDictionary* m_pAchievements;  ///< retained; id -> AchievementInfo
    CCDictionary* m_pDefinitions;   ///< retained; the file as read, NULL when it could not be
    bool m_bFlag;
};

NS_CC_END

#endif // __ACHIEVEMENTS_MANAGER_H__
