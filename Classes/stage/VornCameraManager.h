#ifndef __VORN_CAMERA_MANAGER_H__
#define __VORN_CAMERA_MANAGER_H__

#include "CCGeometry.h"
#include "CCObject.h"
#include "Signal.h"

NS_CC_BEGIN

class AutoLerpFloat;
class CCNode;
class GameManager;
class VornBackdrop;

/**
 * Keeps the target (the player) in view: eases the game layer toward it between the stage's edge
 * walls, zooms by an eased scale, shakes on request, publishes the visible rectangle in game-layer
 * coordinates and tells the backdrop where it is for the parallax. Runs on the update signal, so
 * it keeps going while the game is paused (only the shake stops).
 *
 * Ownership: the camera holds a reference on its game layer, its target and the backdrop it feeds,
 * so none of them can vanish under it; it owns its two eased values.
 */
class VornCameraManager : public CCObject
{
public:
    /** The zoom on top of the game-area scale at a level start. */
    static const float kDefaultGameScale;
    /** Easing rate per second of the view, the zoom and the centre height. */
    static const float kSmoothScale;
    /** The front of the stage: how far above the window's bottom edge the feet are stopped, so a
     *  fighter at the front is still seen whole. */
    static const float kFloorInset;

    VornCameraManager();
    virtual ~VornCameraManager();

    /** Takes the layer, joins the game's signals and registers the shake with the checkpoint store. False (logged) for NULL. */
    bool initWithGameLayer(CCNode* gameLayer);
    /** The per-frame step; nothing while the game layer is empty. */
    void tick(float dt);
    /** Level start and continue: no shake, default zoom and height, the next frame jumps to the target. */
    void onRestart();

    /** True: the wall goes to the view's edge (the player is locked in); false: back to the level's edge. */
    void setLeftEdgeCollisionToCameraBounds(bool toCamera);
    void setRightEdgeCollisionToCameraBounds(bool toCamera);
    /** The wall goes to x at the bottom of the view. */
    void setLeftEdgeCollision(float x);
    void setRightEdgeCollision(float x);

    virtual CCNode* getGameLayer() { return m_pGameLayer; }
    virtual void setGameLayer(CCNode* layer);
    virtual CCNode* getTarget() { return m_pTarget; }
    virtual void setTarget(CCNode* target);
    virtual AutoLerpFloat* getGameScale() { return m_pGameScale; }
    /** Retains the new value and releases the old one. */
    virtual void setGameScale(AutoLerpFloat* scale);
    virtual CCPoint getCameraPosition() { return m_cameraPosition; }
    virtual void setCameraPosition(CCPoint position) { m_cameraPosition = position; }
    virtual AutoLerpFloat* getCameraCenterHeight() { return m_pCameraCenterHeight; }
    /** Retains the new value and releases the old one. */
    virtual void setCameraCenterHeight(AutoLerpFloat* height);
    /** The part of the game world on screen, in game-layer coordinates, as of the last step. */
    virtual CCRect getGameScreenBounds() { return m_gameScreenBounds; }
    virtual void setGameScreenBounds(CCRect bounds) { m_gameScreenBounds = bounds; }
    virtual float getShakeScale() { return m_fShakeScale; }
    virtual void setShakeScale(float scale) { m_fShakeScale = scale; }
    /** Emitted every step with (-view x, 0). */
    virtual Signal<CCPoint>& getCameraMovedSignal() { return m_cameraMovedSignal; }
    virtual void setCameraMovedSignal(const Signal<CCPoint>& signal) { m_cameraMovedSignal = signal; }
    virtual bool getJustRestarted() { return m_bJustRestarted; }
    virtual void setJustRestarted(bool restarted) { m_bJustRestarted = restarted; }

private:
    /** Feeds the game's current backdrop (and only it) with the camera's moves. */
    void followBackdrop();
    VornBackdrop* currentBackdrop();
    void moveEdge(bool left, const CCPoint& position);

    CCNode* m_pGameLayer;  ///< retained
    CCNode* m_pTarget;     ///< retained
    AutoLerpFloat* m_pGameScale;           ///< retained
    CCPoint m_cameraPosition;
    AutoLerpFloat* m_pCameraCenterHeight;  ///< retained
    CCRect m_gameScreenBounds;
    float m_fShakeScale;
    Signal<CCPoint> m_cameraMovedSignal;
    bool m_bJustRestarted;

    GameManager* m_pSignalSource;  ///< the game manager whose signals the camera joined
    VornBackdrop* m_pBackdrop;     ///< retained while connected to the camera-moved signal
    bool m_bRestartValueRegistered;
};

NS_CC_END

#endif // __VORN_CAMERA_MANAGER_H__
