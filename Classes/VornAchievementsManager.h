#ifndef __VORN_ACHIEVEMENTS_MANAGER_H__
#define __VORN_ACHIEVEMENTS_MANAGER_H__

#include "AchievementsManager.h"

NS_CC_BEGIN

class VornActor;
class VornActorDesc;

/** The game's achievement rules on top of the framework's progress store. */
class VornAchievementsManager : public AchievementsManager
{
public:
    /** The characters offered in the arena; all of them maxed out earns "max_out_all". */
    static const char* const kArenaCharactersFile;

    VornAchievementsManager();
    virtual ~VornAchievementsManager();

    /** Raises the progress; the call that completes an achievement queues its pop-up. */
    virtual bool setAchievementProgress(const char* id, float progress);

    /** Counts a knocked-out enemy towards the take-out achievements (the player's own fall counts nothing). */
    void onEnemyKilled(VornActor* actor);

    /** A character that reached every stat level earns its "max out" achievement. */
    void onRPGPointsIncreased(VornActorDesc* desc);

private:
    bool haveAllArenaCharactersMaxedOut();
};

NS_CC_END

#endif // __VORN_ACHIEVEMENTS_MANAGER_H__
