#ifndef __ARENA_TASK_REACH_COMBO_H__
#define __ARENA_TASK_REACH_COMBO_H__

#include "ArenaTask.h"

NS_CC_BEGIN

class VornPlayer;

/** Reach a combo: the slot's progress is the player's combo count, back to 0 when the combo breaks. */
class ArenaTask_ReachCombo : public ArenaTask
{
public:
    static ArenaTask_ReachCombo* create();

    virtual ~ArenaTask_ReachCombo();

    virtual int calculateTarget(float difficulty);
    virtual std::string getDescription(ArenaTaskInstance* instance);
    virtual bool isEligible(VornActorDesc* playerDesc);

    /** The player's combo count changed. */
    void onComboChanged(VornPlayer* player, int combo);

protected:
    /** Only the player keeps a combo count; other fighters give the task nothing to follow. */
    virtual void connectTo(VornActor* player);
    virtual void disconnectFrom(VornActor* player);
};

NS_CC_END

#endif // __ARENA_TASK_REACH_COMBO_H__
