#ifndef __GAME_MANAGER_H__
#define __GAME_MANAGER_H__

#include "CCApplicationProtocol.h"
#include "CCLayer.h"
#include "CCScene.h"
#include "Signal.h"

NS_CC_BEGIN

class AnalyticsManager;
class CollisionManager;
class DebugDraw;
class HighScoreManager;
class InputManager;
class LocaleManager;
class OnlineManager;
class RestartManager;
class SetupManager;
class SystemManager;
class TouchInput;

/**
 * The game scene: owns the framework's managers, sizes the play area from the window, holds the
 * root game layer and drives every frame through updateSignal (always) and gameUpdateSignal
 * (unless paused). The game derives its own game manager from it; the last one constructed is the
 * one getInstance answers. Manager setters store the pointer without retaining, as callers expect.
 */
class GameManager : public CCScene
{
public:
    GameManager();
    virtual ~GameManager();

    static GameManager* getInstance();
    /** The frame time the last tick received. */
    static float getLastFrameTime();

    virtual bool init(const char* analyticsKey);
    virtual void tick(float dt);
    virtual bool isUsingTouchControls();
    virtual void applicationDidEnterBackground();
    virtual void applicationWillEnterForeground();
    /**
     * The window loop has ended, or the game quits (the system manager's quit signal): what is
     * saved lazily is written now. The scene is not torn down.
     */
    virtual void applicationWillTerminate();

    void setIsGameLayerVisible(bool visible);
    /** Whether this build is for that platform value (the Linux build answers as the Windows one). */
    static bool isPlatformType(int platform);

    virtual CCSize getPlayAreaSize() { return m_playAreaSize; }
    virtual void setPlayAreaSize(CCSize size) { m_playAreaSize = size; }
    virtual float getResolutionScale() { return m_fResolutionScale; }
    virtual void setResolutionScale(float scale) { m_fResolutionScale = scale; }
    virtual float getGameScale() { return m_fGameScale; }
    virtual void setGameScale(float scale) { m_fGameScale = scale; }
    virtual CCLayer* getGameLayer() { return m_pGameLayer; }
    virtual void setGameLayer(CCLayer* layer) { m_pGameLayer = layer; }
    virtual float getGameSpeedMod() { return m_fGameSpeedMod; }
    virtual void setGameSpeedMod(float mod) { m_fGameSpeedMod = mod; }
    virtual bool isPaused() { return m_bPaused; }
    virtual void setPaused(bool paused);
    virtual bool getTempPaused() { return m_bTempPaused; }
    virtual void setTempPaused(bool paused) { m_bTempPaused = paused; }
    virtual SetupManager* getSetupManager() { return m_pSetupManager; }
    virtual void setSetupManager(SetupManager* manager) { m_pSetupManager = manager; }
    virtual TouchInput* getTouchInput() { return m_pTouchInput; }
    virtual void setTouchInput(TouchInput* input) { m_pTouchInput = input; }
    virtual InputManager* getInputManager() { return m_pInputManager; }
    virtual void setInputManager(InputManager* manager) { m_pInputManager = manager; }
    virtual HighScoreManager* getHighScoreManager() { return m_pHighScoreManager; }
    virtual void setHighScoreManager(HighScoreManager* manager) { m_pHighScoreManager = manager; }
    virtual CollisionManager* getCollisionManager() { return m_pCollisionManager; }
    virtual void setCollisionManager(CollisionManager* manager) { m_pCollisionManager = manager; }
    virtual RestartManager* getRestartManager() { return m_pRestartManager; }
    virtual void setRestartManager(RestartManager* manager) { m_pRestartManager = manager; }
    virtual AnalyticsManager* getAnalyticsManager() { return m_pAnalyticsManager; }
    virtual void setAnalyticsManager(AnalyticsManager* manager) { m_pAnalyticsManager = manager; }
    virtual OnlineManager* getOnlineManager() { return m_pOnlineManager; }
    virtual void setOnlineManager(OnlineManager* manager) { m_pOnlineManager = manager; }
    virtual SystemManager* getSystemManager() { return m_pSystemManager; }
    virtual void setSystemManager(SystemManager* manager) { m_pSystemManager = manager; }
    virtual LocaleManager* getLocaleManager() { return m_pLocaleManager; }
    virtual void setLocaleManager(LocaleManager* manager) { m_pLocaleManager = manager; }
    virtual DebugDraw* getDebugDraw() { return m_pDebugDraw; }
    virtual void setDebugDraw(DebugDraw* debugDraw) { m_pDebugDraw = debugDraw; }
    virtual bool isDebugDrawEnabled() { return m_bDebugDrawEnabled; }
    virtual void setDebugDrawEnabled(bool enabled) { m_bDebugDrawEnabled = enabled; }
    virtual bool getDisplayStats() { return m_bDisplayStats; }
    virtual void setDisplayStats(bool display) { m_bDisplayStats = display; }

    virtual Signal<float>& getUpdateSignal() { return m_updateSignal; }
    virtual void setUpdateSignal(const Signal<float>& signal) { m_updateSignal = signal; }
    virtual Signal<float>& getGameUpdateSignal() { return m_gameUpdateSignal; }
    virtual void setGameUpdateSignal(const Signal<float>& signal) { m_gameUpdateSignal = signal; }
    virtual Signal<>& getGameReadySignal() { return m_gameReadySignal; }
    virtual void setGameReadySignal(const Signal<>& signal) { m_gameReadySignal = signal; }
    virtual Signal<bool>& getPausedSignal() { return m_pausedSignal; }
    virtual void setPausedSignal(const Signal<bool>& signal) { m_pausedSignal = signal; }
    virtual Signal<>& getEnterBackgroundSignal() { return m_enterBackgroundSignal; }
    virtual void setEnterBackgroundSignal(const Signal<>& signal) { m_enterBackgroundSignal = signal; }
    virtual Signal<>& getEnterForegroundSignal() { return m_enterForegroundSignal; }
    virtual void setEnterForegroundSignal(const Signal<>& signal) { m_enterForegroundSignal = signal; }
    virtual Signal<bool>& getGameLayerVisibleSignal() { return m_gameLayerVisibleSignal; }
    virtual void setGameLayerVisibleSignal(const Signal<bool>& signal) { m_gameLayerVisibleSignal = signal; }

    /** Play area and scales for a window (design) size: the desktop rule, exposed for tests. */
    static void computePlayArea(const CCSize& win, CCSize* playArea, float* scale);

protected:
    void initPlayArea();

    CCSize m_playAreaSize;
    float m_fResolutionScale;
    float m_fGameScale;
    CCLayer* m_pGameLayer;                 ///< owned (one reference), also a child
    float m_fGameSpeedMod;
    bool m_bPaused;
    bool m_bTempPaused;
    SetupManager* m_pSetupManager;         ///< owned
    TouchInput* m_pTouchInput;             ///< owned, also a child
    InputManager* m_pInputManager;         ///< owned
    HighScoreManager* m_pHighScoreManager; ///< set by the game, not owned here
    CollisionManager* m_pCollisionManager; ///< owned
    RestartManager* m_pRestartManager;     ///< owned
    AnalyticsManager* m_pAnalyticsManager; ///< owned
    OnlineManager* m_pOnlineManager;       ///< owned
    SystemManager* m_pSystemManager;       ///< owned
    LocaleManager* m_pLocaleManager;       ///< owned
    DebugDraw* m_pDebugDraw;               ///< owned, also a child
    bool m_bDebugDrawEnabled;
    bool m_bDisplayStats;

    Signal<float> m_updateSignal;
    Signal<float> m_gameUpdateSignal;
    Signal<> m_gameReadySignal;
    Signal<bool> m_pausedSignal;
    Signal<> m_enterBackgroundSignal;
    Signal<> m_enterForegroundSignal;
    Signal<bool> m_gameLayerVisibleSignal;
};

NS_CC_END

#endif // __GAME_MANAGER_H__
