#ifndef __ARENA_TASK_SURVIVE_WITHOUT_HITS_H__
#define __ARENA_TASK_SURVIVE_WITHOUT_HITS_H__

#include "ArenaTask.h"

NS_CC_BEGIN

class GameManager;

/**
 * Survive without being hit: seconds of play while the arena clock runs, back to zero whenever the
 * player loses health (regaining it never resets).
 */
class ArenaTask_SurviveWithoutHits : public ArenaTask
{
public:
    static ArenaTask_SurviveWithoutHits* create();

    ArenaTask_SurviveWithoutHits();
    virtual ~ArenaTask_SurviveWithoutHits();

    /** Also follows the game's time for the task's whole life. */
    virtual bool init();

    /** In seconds. */
    virtual int calculateTarget(float difficulty);
    virtual std::string getDescription(ArenaTaskInstance* instance);
    virtual bool isEligible(VornActorDesc* playerDesc);
    virtual void restartInstance(ArenaTaskInstance* instance);

    /** The player's health as a fraction of its full health. */
    void onHealthChanged(float health);
    /** Game time; counts only while the arena clock runs. */
    void tick(float dt);

    virtual float getTimeSurvived() { return m_fTimeSurvived; }
    virtual void setTimeSurvived(float seconds) { m_fTimeSurvived = seconds; }
    virtual float getLastHealth() { return m_fLastHealth; }
    virtual void setLastHealth(float health) { m_fLastHealth = health; }

protected:
    virtual void connectTo(VornActor* player);
    virtual void disconnectFrom(VornActor* player);

    float m_fTimeSurvived;
    float m_fLastHealth;
    GameManager* m_pTimeSource;  ///< whose game-update signal we follow; not retained (it outlives us)
};

NS_CC_END

#endif // __ARENA_TASK_SURVIVE_WITHOUT_HITS_H__
