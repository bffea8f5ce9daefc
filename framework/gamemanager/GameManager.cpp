#include "GameManager.h"

#include "AnalyticsBackend.h"
#include "AchievementsManager.h"
#include "AnalyticsManager.h"
#include "CCApplication.h"
#include "CCDirector.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCUserDefault.h"
#include "CollisionManager.h"
#include "DebugDraw.h"
#include "InputManager.h"
#include "LocaleManager.h"
#include "OnlineManager.h"
#include "RestartManager.h"
#include "SetupManager.h"
#include "SystemManager.h"
#include "TouchInput.h"

#include <cmath>

NS_CC_BEGIN

static GameManager* s_pInstance = NULL;
static float s_fLastFrameTime = 0.0f;

GameManager::GameManager()
    : m_fResolutionScale(1.0f)
    , m_fGameScale(1.0f)
    , m_pGameLayer(NULL)
    , m_fGameSpeedMod(1.0f)
    , m_bPaused(false)
    , m_bTempPaused(false)
    , m_pSetupManager(NULL)
    , m_pTouchInput(NULL)
    , m_pInputManager(NULL)
    , m_pHighScoreManager(NULL)
    , m_pCollisionManager(NULL)
    , m_pRestartManager(NULL)
    , m_pAnalyticsManager(NULL)
    , m_pOnlineManager(NULL)
    , m_pSystemManager(NULL)
    , m_pLocaleManager(NULL)
    , m_pDebugDraw(NULL)
    , m_bDebugDrawEnabled(false)
    , m_bDisplayStats(false)
{
    s_pInstance = this;
}

GameManager::~GameManager()
{
    CC_SAFE_RELEASE(m_pGameLayer);
    CC_SAFE_RELEASE(m_pSetupManager);
    CC_SAFE_RELEASE(m_pAnalyticsManager);
    CC_SAFE_RELEASE(m_pLocaleManager);
    // Before the system manager: the online manager leaves its quit signal as it goes.
    CC_SAFE_RELEASE(m_pOnlineManager);
    if (m_pSystemManager)
    {
        m_pSystemManager->getQuitSignal().disconnect(this, &GameManager::applicationWillTerminate);
    }
    CC_SAFE_RELEASE(m_pSystemManager);
    CC_SAFE_RELEASE(m_pCollisionManager);
    CC_SAFE_RELEASE(m_pRestartManager);
    CC_SAFE_RELEASE(m_pDebugDraw);
    CC_SAFE_RELEASE(m_pTouchInput);
    CC_SAFE_RELEASE(m_pInputManager);
    // A destroyed game manager is nobody's instance (tests build one after another).
    if (s_pInstance == this)
    {
        s_pInstance = NULL;
    }
}

GameManager* GameManager::getInstance()
{
    return s_pInstance;
}

float GameManager::getLastFrameTime()
{
    return s_fLastFrameTime;
}

bool GameManager::isPlatformType(int platform)
{
    CCApplication* application = CCApplication::sharedApplication();
    if (application)
    {
        return application->isTargetPlatform((TargetPlatform)platform);
    }
    // No application yet (tools, tests): the desktop answer, as the application gives it.
    return platform == kTargetWindows;
}

bool GameManager::init(const char* analyticsKey)
{
    CCScene::init();

    const char* setupFile = "setup.plist";
    if (isPlatformType(kTargetAndroid))
    {
        setupFile = "setup.android.plist";
    }
    else if (isPlatformType(kTargetIpad) || isPlatformType(kTargetIphone))
    {
        setupFile = "setup.ios.plist";
    }
    m_pSetupManager = new SetupManager();
    if (!m_pSetupManager->initWithFile(setupFile))
    {
        return false;
    }

    m_pAnalyticsManager = new AnalyticsManager();
    if (m_pAnalyticsManager->getBackend())
    {
        m_pAnalyticsManager->getBackend()->init(analyticsKey);
    }

    initPlayArea();

    m_pGameLayer = new CCLayer();
    m_pGameLayer->init();
    addChild(m_pGameLayer);

    m_pLocaleManager = new LocaleManager();
    if (!m_pLocaleManager->init())
    {
        return false;
    }

    m_pCollisionManager = new CollisionManager();
    CCArray* collisionLists = new CCArray();
    if (!collisionLists->init())
    {
        collisionLists->release();
        return false;
    }
    m_pCollisionManager->setCollisionLists(collisionLists);
    collisionLists->release();

    m_pRestartManager = RestartManager::create();
    if (!m_pRestartManager)
    {
        return false;
    }
    m_pRestartManager->retain();

    m_pSystemManager = SystemManager::create();
    if (!m_pSystemManager)
    {
        return false;
    }
    m_pSystemManager->retain();
    // Quitting ends the process at once: the same last save as a closed window.
    m_pSystemManager->getQuitSignal().connect(this, &GameManager::applicationWillTerminate);

    m_pOnlineManager = OnlineManager::create();
    if (!m_pOnlineManager)
    {
        return false;
    }
    m_pOnlineManager->retain();

    m_pTouchInput = new TouchInput();
    if (!m_pTouchInput->init())
    {
        return false;
    }
    addChild(m_pTouchInput, 10);

    m_pInputManager = new InputManager();
    if (!m_pInputManager->init())
    {
        return false;
    }

    // Rectangles expire on the raw frame time, also while the game is paused.
    m_pDebugDraw = new DebugDraw();
    m_pDebugDraw->init();
    m_pDebugDraw->scheduleUpdate();
    addChild(m_pDebugDraw, 100);

    schedule(schedule_selector(GameManager::tick), 0.0f);
    m_fGameSpeedMod = 1.0f;
    return true;
}

void GameManager::computePlayArea(const CCSize& win, CCSize* playArea, float* scale)
{
    // Ten world units to every 34 pixels of the shorter side, rounded down to a tenth.
    const float shorter = win.width < win.height ? win.width : win.height;
    const float unit = floorf(shorter / 34.0f) * 0.1f;
    if (unit <= 0.0f)
    {
        // Below 34 pixels there is no whole unit: keep the layout scale and a 1:1 world.
        CCLog("GameManager::initPlayArea - window %.0fx%.0f is too small, using a 1:1 play area", win.width,
              win.height);
        *playArea = win;
    }
    else
    {
        *playArea = CCSize(win.width / unit, win.height / unit);
    }
    const float scaleX = win.width / 480.0f;
    const float scaleY = win.height / 340.0f;
    *scale = scaleX < scaleY ? scaleX : scaleY;
}

void GameManager::initPlayArea()
{
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    float scale = 1.0f;
    computePlayArea(win, &m_playAreaSize, &scale);
    m_fResolutionScale = scale;
    m_fGameScale = scale;
}

void GameManager::tick(float dt)
{
    CCDirector::sharedDirector()->setDisplayStats(m_bDisplayStats);
    s_fLastFrameTime = dt;
    m_updateSignal.emit(dt);
    if (!m_bPaused && !m_bTempPaused)
    {
        m_gameUpdateSignal.emit(dt * m_fGameSpeedMod);
        if (m_pCollisionManager)
        {
            m_pCollisionManager->update();
        }
    }
}

bool GameManager::isUsingTouchControls()
{
    // Touch controls are in use until the menus show keyboard and pad selections.
    return !CCMenuGamepadInputDispatcher::sharedDispatcher()->getShowSelection();
}

void GameManager::applicationDidEnterBackground()
{
    m_enterBackgroundSignal.emit();
}

void GameManager::applicationWillEnterForeground()
{
    m_enterForegroundSignal.emit();
}

void GameManager::applicationWillTerminate()
{
    // The last safe point: achievement progress, and whatever an earlier save failed to write
    // (a full disk since freed) goes to disk now rather than being lost.
    AchievementsManager* achievements = AchievementsManager::sharedAchievementsManager();
    if (achievements != NULL)
    {
        achievements->saveProgress();
    }
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    if (store->hasUnsavedChanges())
    {
        store->flush();
    }
}

void GameManager::setIsGameLayerVisible(bool visible)
{
    if (m_pGameLayer)
    {
        m_pGameLayer->setVisible(visible);
    }
    m_gameLayerVisibleSignal.emit(visible);
}

void GameManager::setPaused(bool paused)
{
    m_bPaused = paused;
    m_pausedSignal.emit(paused);
}

NS_CC_END
