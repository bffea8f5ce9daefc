#ifndef __ARENA_TASK_THROW_ENEMIES_H__
#define __ARENA_TASK_THROW_ENEMIES_H__

#include "ArenaTask.h"

NS_CC_BEGIN

class VornActionDesc;
class VornAnimate;

/** Throw enemies: every throw the player plays through counts. */
class ArenaTask_ThrowEnemies : public ArenaTask
{
public:
    static ArenaTask_ThrowEnemies* create();

    ArenaTask_ThrowEnemies();
    virtual ~ArenaTask_ThrowEnemies();

    virtual int calculateTarget(float difficulty);
    virtual std::string getDescription(ArenaTaskInstance* instance);
    /** Only characters with a forward throw that throws. */
    virtual bool isEligible(VornActorDesc* playerDesc);

    /** The action on top of the player's stack finished a loop. */
    void onActionLooped(VornActionDesc* action);

protected:
    virtual void connectTo(VornActor* player);
    virtual void disconnectFrom(VornActor* player);

    VornAnimate* m_pAnimate;  ///< retained: the animation we listen to, left even if the player swaps it
};

NS_CC_END

#endif // __ARENA_TASK_THROW_ENEMIES_H__
