#ifndef __ARENA_TASK_STUN_ENEMIES_H__
#define __ARENA_TASK_STUN_ENEMIES_H__

#include "ArenaTask.h"
#include "CCGeometry.h"

NS_CC_BEGIN

class VornActionDesc;

/** Stun enemies: every hit of the player's that leaves its target stunned counts. */
class ArenaTask_StunEnemies : public ArenaTask
{
public:
    static ArenaTask_StunEnemies* create();

    virtual ~ArenaTask_StunEnemies();

    virtual int calculateTarget(float difficulty);
    virtual std::string getDescription(ArenaTaskInstance* instance);
    /** Only characters with a forward attack that stuns. */
    virtual bool isEligible(VornActorDesc* playerDesc);

    void onAttackHit(VornActionDesc* action, VornActor* target, CCPoint point, float value);

protected:
    virtual void connectTo(VornActor* player);
    virtual void disconnectFrom(VornActor* player);
};

NS_CC_END

#endif // __ARENA_TASK_STUN_ENEMIES_H__
