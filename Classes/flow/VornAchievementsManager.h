#ifndef __VORN_ACHIEVEMENTS_MANAGER_H__
#define __VORN_ACHIEVEMENTS_MANAGER_H__

#include "AchievementsManager.h"

NS_CC_BEGIN

class VornActor;
class VornActorDesc;
class VornGameManager;

/**
 * The game's achievement rules on top of the framework's progress store: kills, continues, arena
 * games and maxed-out characters turn into progress, and every achievement that completes queues
 * its pop-up. Besides the framework's safe points, progress is written at the end of a stage or a
 * match, when a level loads and on the way back to the title.
 */
class VornAchievementsManager : public AchievementsManager
{
public:
    VornAchievementsManager();
    virtual ~VornAchievementsManager();

    /** Loads the achievements, then follows the game's new-game and continue-used signals. */
    virtual bool initWithFile(const char* fileName);
    /** Raises the progress; the call that completes an achievement queues its pop-up. */
    virtual bool setAchievementProgress(const char* id, float progress);
    /**
     * Adds delta to the progress. Progress made of whole steps of delta is counted in steps, and a
     * result within half a step of 1.0 is complete, so an achievement of n steps of 1/n completes on
     * exactly the n-th step (a plain single-precision sum would need one step more, or one less).
     */
    virtual bool addAchievementProgress(const char* id, float delta);

    /** Counts a knocked-out enemy towards the take-out achievements (the player's own fall counts nothing). */
    void onEnemyKilled(VornActor* actor);
    /** A new story game: continues are counted across games, so a stored count stays. */
    void onContinuesReset();
    /** A story continue was used. */
    void onContinueUsed();
    /** A character that reached every stat level earns its "max out" achievement. */
    void onRPGPointsIncreased(VornActorDesc* desc);
    /** "max_out_all" when every arena character has every stat level (never for an empty list). */
    void checkMaxOutAll();
    /** The stage at that position of the level list (from 1) was completed; saved. */
    void onLevelCompleted(int levelNumber);
    /** An arena game lasted seconds: one more game for each games tier and the time tiers it reached; saved. */
    void onArenaEnded(float seconds);
    /** A level loading or the way back to the title: no fight runs, so unsaved progress is written. */
    void onBetweenLevels();

protected:
    /** Queues the pop-up of an achievement that has just completed (only logged before the pop-up screen exists). */
    virtual void queuePopup(const char* title, const char* description);

private:
    bool haveAllArenaCharactersMaxedOut();

    VornGameManager* m_pGame;  ///< whose signals we follow; not retained (it owns us)
};

NS_CC_END

#endif // __VORN_ACHIEVEMENTS_MANAGER_H__
