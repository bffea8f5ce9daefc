#ifndef __ARENA_TASK_FINISHING_MOVE_H__
#define __ARENA_TASK_FINISHING_MOVE_H__

#include "ArenaTask.h"
#include "CCGeometry.h"

NS_CC_BEGIN

class VornActionDesc;

/** Knock enemies out with one particular move (jump kick, back kick or stomp). */
class ArenaTask_FinishingMove : public ArenaTask
{
public:
    /** The task for moves of that kVAT_ type. */
    static ArenaTask_FinishingMove* create(int moveType);

    ArenaTask_FinishingMove();
    virtual ~ArenaTask_FinishingMove();

    virtual int calculateTarget(float difficulty);
    virtual std::string getDescription(ArenaTaskInstance* instance);
    virtual bool isEligible(VornActorDesc* playerDesc);

    /** A hit of the player's: counts when it was the move and left the target without health. */
    void onAttackHit(VornActionDesc* action, VornActor* target, CCPoint point, float value);

    virtual int getMoveType() { return m_nMoveType; }
    virtual void setMoveType(int type) { m_nMoveType = type; }

protected:
    virtual void connectTo(VornActor* player);
    virtual void disconnectFrom(VornActor* player);

    int m_nMoveType;
};

NS_CC_END

#endif // __ARENA_TASK_FINISHING_MOVE_H__
