#ifndef __VORN_GAME_MANAGER_H__
#define __VORN_GAME_MANAGER_H__

#include "CollisionList.h"
#include "GameManager.h"

NS_CC_BEGIN

class CCObjectPool;
class SFXManager;
class VornBackdrop;

/**
 * The game's game manager. Start-up runs the framework's managers and then the game's own; the
 * frame caps its time step before the framework's tick. The game world, screens and boot sequence
 * join as they are built.
 */
class VornGameManager : public GameManager
{
public:
    VornGameManager();
    virtual ~VornGameManager();

    static VornGameManager* getSharedVornGameManager();

    virtual bool initVornGameManager();
    virtual void tick(float dt);
    virtual void applicationDidEnterBackground();

    /** The sound-effect manager, made once the framework's managers exist. */
    virtual SFXManager* getSFXManager() { return m_pSFXManager; }

    /** The current stage's backdrop; the setter retains the new one and releases the old. */
    virtual VornBackdrop* getBackground() { return m_pBackground; }
    virtual void setBackground(VornBackdrop* backdrop);
    /** The ten hit impacts (NULL until the game world is built). */
    virtual CCObjectPool* getImpactPool() { return m_pImpactPool; }
    /** The game world's impacts: ten of them in a fresh pool; false when one cannot be built. */
    virtual bool initImpactPool();
    /**
     * The six collision lists: player 1, enemy 2, sign 4, backdrop 8, bounds 16, trigger 32. The
     * player is pushed out of bounds and backdrop boxes and announces triggers on the trigger-hit
     * signal. False when a list cannot be made.
     */
    virtual bool initCollisionLists();

    /** A member of the player list touches a member of the trigger list: (player, trigger). */
    virtual CollisionSignal& getTriggerHitSignal() { return m_triggerHitSignal; }
    virtual void setTriggerHitSignal(const CollisionSignal& signal) { m_triggerHitSignal = signal; }
    /** The player continues after a game over. */
    virtual Signal<>& getContinueSignal() { return m_continueSignal; }
    virtual void setContinueSignal(const Signal<>& signal) { m_continueSignal = signal; }

    /** The longest frame the game steps at once; a longer pause is played as this. */
    static const float kMaxFrameTime;

protected:
    void releaseImpactPool();

    static const int kImpactCount = 10;

    SFXManager* m_pSFXManager;  ///< owned
    VornBackdrop* m_pBackground;  ///< retained
    CCObjectPool* m_pImpactPool;  ///< retained; each impact holds it too until the manager goes
    CollisionSignal m_triggerHitSignal;
    Signal<> m_continueSignal;
};

NS_CC_END

#endif // __VORN_GAME_MANAGER_H__
