#ifndef __VORN_GAME_MANAGER_H__
#define __VORN_GAME_MANAGER_H__

#include "GameManager.h"

NS_CC_BEGIN

class SFXManager;

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

    /** Whether a pause screen may open now; true until the game's other screens exist. */
    virtual bool canShowPauseScreen();
    /** Pauses a running game or resumes a paused one, when a pause screen may show. */
    virtual void togglePause();

    /** The sound-effect manager, made once the framework's managers exist. */
    virtual SFXManager* getSFXManager() { return m_pSFXManager; }

    /** The longest frame the game steps at once; a longer pause is played as this. */
    static const float kMaxFrameTime;

protected:
    SFXManager* m_pSFXManager;  ///< owned
};

NS_CC_END

#endif // __VORN_GAME_MANAGER_H__
