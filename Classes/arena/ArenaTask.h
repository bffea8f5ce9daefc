#ifndef __ARENA_TASK_H__
#define __ARENA_TASK_H__

#include "CCArray.h"
#include "CCObject.h"

#include <string>

NS_CC_BEGIN

class ArenaTaskInstance;
class VornActor;
class VornActorDesc;

/**
 * A kind of arena task: it follows one of the player's signals and advances the task slots that
 * hold it. The arena manager keeps a pool of them and draws them into its three slots.
 */
class ArenaTask : public CCObject
{
public:
    ArenaTask();
    virtual ~ArenaTask();

    /** The empty slot list; every kind's create calls it. */
    virtual bool init();

    /** Starts following the player's deeds (stops following any other player first). */
    void connectSignals(VornActor* player);
    /** Stops following the player. */
    void disconnectSignals();
    /** The player followed now, NULL when none. */
    VornActor* getConnectedPlayer() { return m_pConnectedPlayer; }

    /** The count that completes the task at a difficulty factor (0 for the first draw, 0.1 more each draw). */
    virtual int calculateTarget(float difficulty) = 0;
    /** The task's text for the slot, with its target filled in. */
    virtual std::string getDescription(ArenaTaskInstance* instance) = 0;
    /** Whether a character can do the task at all. */
    virtual bool isEligible(VornActorDesc* playerDesc) = 0;

    virtual void addInstance(ArenaTaskInstance* instance);
    virtual void removeInstance(ArenaTaskInstance* instance);
    /** The slot starts the task afresh (drawn again or newly added). */
    virtual void restartInstance(ArenaTaskInstance* instance) { CC_UNUSED_PARAM(instance); }

    virtual CCArray* getInstances() { return m_pInstances; }
    /** Retains the new list and releases the old one. */
    virtual void setInstances(CCArray* instances);

protected:
    virtual void connectTo(VornActor* player) = 0;
    virtual void disconnectFrom(VornActor* player) = 0;

    /** One step for every slot holding the task. */
    void advance();
    /** The same progress for every slot holding the task. */
    void advanceAllTo(int progress);
    /** The locale text of the id with "<%1>" as the slot's target. */
    static std::string describe(const char* localeId, ArenaTaskInstance* instance);
    static std::string localize(const char* localeId);
    /** Whether any action of that type on the descriptor has an event of that kind (and attack type, for attacks). */
    static bool hasActionWithEvent(VornActorDesc* desc, int actionType, int eventType, int attackType);

    CCArray* m_pInstances;           ///< retained; ArenaTaskInstance
    VornActor* m_pConnectedPlayer;   ///< retained while connected
};

NS_CC_END

#endif // __ARENA_TASK_H__
