#ifndef __CC_DIRECTOR_H__
#define __CC_DIRECTOR_H__

#include "base/CCGeometry.h"
#include "base/CCObject.h"

NS_CC_BEGIN

class CCActionManager;
class CCEGLView;
class CCGamepadDispatcher;
class CCKeyboardDispatcher;
class CCKeypadDispatcher;
class CCNode;
class CCScene;
class CCScheduler;
class CCTouchDispatcher;

typedef enum
{
    kCCDirectorProjection2D,
    kCCDirectorProjection3D,
    kCCDirectorProjectionCustom,
    kCCDirectorProjectionDefault = kCCDirectorProjection2D,
} ccDirectorProjection;

/**
 * Owns the running scene, the scheduler and the action manager, and runs the frame: scheduler
 * (which steps the actions and every scheduled selector), then visit/draw, then the autorelease
 * pool is drained.
 *
 * pause() only raises the flag the game reads: the scheduler and actions keep running so menus
 * and pop-ups work while the game is paused. resume() makes the next frame's dt zero.
 *
 * The window size is the design resolution: the view sets it through setWinSize; without a view
 * (tests) it is 480x320 until setWinSize is called.
 */
class CCDirector : public CCObject
{
public:
    static CCDirector* sharedDirector(void);
    /** Ends the running scene (onExit, cleanup) and drops the director; the next call makes a fresh one. */
    static void purgeSharedDirector(void);
    /** Whether a director exists now (asking does not make one). */
    static bool hasSharedDirector(void);

    virtual ~CCDirector();

    // Scenes
    /** Starts the first scene at once; called again, it replaces the running scene. */
    void runWithScene(CCScene* pScene);
    /** The new scene takes over at the start of the next frame. */
    void replaceScene(CCScene* pScene);
    CCScene* getRunningScene(void) { return m_pRunningScene; }
    /** Visited after the running scene (overlays that outlive scenes). Retained. */
    void setNotificationNode(CCNode* node);
    CCNode* getNotificationNode() { return m_pNotificationNode; }

    // The frame
    /** One frame timed by the wall clock (the window's loop). */
    void mainLoop(void);
    /** One frame of exactly dt seconds: the headless loop of tests and tools. */
    void step(float dt);
    /** Scheduler then visit (into the view's frame when there is a view), without draining the pool. */
    void drawScene(void);
    /**
     * Draws the running scene as it stands and shows it at once, without an update: long work
     * inside a frame (a level load) first puts up the picture the frame has made so far (a cover),
     * so the wait holds that picture.
     */
    void presentScene(void);
    /** Pictures shown so far: one a frame, and one more for each presentScene. */
    unsigned int getPresentCount(void) const { return m_uPresents; }
    float getDeltaTime() const { return m_fDeltaTime; }
    unsigned int getTotalFrames(void) const { return m_uTotalFrames; }
    void setNextDeltaTimeZero(bool bNextDeltaTimeZero) { m_bNextDeltaTimeZero = bNextDeltaTimeZero; }
    bool isNextDeltaTimeZero(void) const { return m_bNextDeltaTimeZero; }
    void pause(void);
    void resume(void);
    bool isPaused(void) const { return m_bPaused; }
    void startAnimation(void) { m_bInvalid = false; }
    void stopAnimation(void) { m_bInvalid = true; }
    bool isAnimationRunning() const { return !m_bInvalid; }
    /** Asks the loop to end; the window's loop reads isEnding. */
    void end(void) { m_bEnding = true; }
    bool isEnding() const { return m_bEnding; }

    // Settings
    double getAnimationInterval(void) const { return m_dAnimationInterval; }
    void setAnimationInterval(double dValue) { m_dAnimationInterval = dValue; }
    bool isDisplayStats(void) const { return m_bDisplayStats; }
    void setDisplayStats(bool bDisplayStats) { m_bDisplayStats = bDisplayStats; }
    void setDepthTest(bool bOn) { m_bDepthTest = bOn; }
    bool isDepthTest() const { return m_bDepthTest; }
    void setProjection(ccDirectorProjection kProjection) { m_eProjection = kProjection; }
    ccDirectorProjection getProjection(void) const { return m_eProjection; }
    void setAlphaBlending(bool bOn) { CC_UNUSED_PARAM(bOn); }
    void setContentScaleFactor(float scaleFactor);
    /** 1.0 on the desktop. */
    float getContentScaleFactor(void) const { return m_fContentScaleFactor; }

    // View and sizes
    /** The window; not owned (the view lives for the whole run). NULL headless. */
    void setOpenGLView(CCEGLView* pobOpenGLView) { m_pobOpenGLView = pobOpenGLView; }
    CCEGLView* getOpenGLView(void) { return m_pobOpenGLView; }
    /** The design resolution, in points. */
    const CCSize& getWinSize(void) const { return m_obWinSizeInPoints; }
    CCSize getWinSizeInPixels(void) const;
    /** Set by the view when the design resolution changes; tests set it directly. */
    void setWinSize(const CCSize& size);
    CCSize getVisibleSize() const { return m_obWinSizeInPoints; }
    CCPoint getVisibleOrigin() const { return CCPointZero; }
    /** Window coordinates (y down, in design units) to the scene's (y up). */
    CCPoint convertToGL(const CCPoint& obPoint);
    CCPoint convertToUI(const CCPoint& obPoint);

    // Subsystems
    CCScheduler* getScheduler() { return m_pScheduler; }
    void setScheduler(CCScheduler* pScheduler);
    CCActionManager* getActionManager() { return m_pActionManager; }
    void setActionManager(CCActionManager* pActionManager);
    /** The input dispatchers: made and owned by the director; the view feeds them. */
    CCTouchDispatcher* getTouchDispatcher() { return m_pTouchDispatcher; }
    void setTouchDispatcher(CCTouchDispatcher* pTouchDispatcher);
    CCKeypadDispatcher* getKeypadDispatcher() { return m_pKeypadDispatcher; }
    void setKeypadDispatcher(CCKeypadDispatcher* pKeypadDispatcher);
    CCKeyboardDispatcher* getKeyboardDispatcher() { return m_pKeyboardDispatcher; }
    void setKeyboardDispatcher(CCKeyboardDispatcher* pDispatcher);
    CCGamepadDispatcher* getGamepadDispatcher() { return m_pGamepadDispatcher; }
    void setGamepadDispatcher(CCGamepadDispatcher* pDispatcher);

protected:
    CCDirector();
    bool init(void);
    void calculateDeltaTime(void);
    void setNextScene(void);
    void purgeDirector(void);

    CCScheduler* m_pScheduler;             ///< owned
    CCActionManager* m_pActionManager;     ///< owned
    CCScene* m_pRunningScene;              ///< retained
    CCScene* m_pNextScene;                 ///< retained
    CCNode* m_pNotificationNode;           ///< retained
    CCEGLView* m_pobOpenGLView;            ///< weak
    CCTouchDispatcher* m_pTouchDispatcher;       ///< retained
    CCKeypadDispatcher* m_pKeypadDispatcher;     ///< retained
    CCKeyboardDispatcher* m_pKeyboardDispatcher; ///< retained
    CCGamepadDispatcher* m_pGamepadDispatcher;   ///< retained
    CCSize m_obWinSizeInPoints;
    double m_dAnimationInterval;
    float m_fDeltaTime;
    float m_fContentScaleFactor;
    unsigned int m_uTotalFrames;
    unsigned int m_uPresents;
    unsigned long long m_uLastTicks;   ///< SDL performance counter of the previous frame, 0 before the first
    ccDirectorProjection m_eProjection;
    bool m_bPaused;
    bool m_bNextDeltaTimeZero;
    bool m_bDisplayStats;
    bool m_bDepthTest;
    bool m_bInvalid;
    bool m_bEnding;
};

NS_CC_END

#endif // __CC_DIRECTOR_H__
