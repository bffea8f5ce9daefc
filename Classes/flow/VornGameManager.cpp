#include "VornGameManager.h"

#include <algorithm>

#include "AnalyticsManager.h"
#include "BotManager.h"
#include "ArenaCompleteScreen.h"
#include "ArenaManager.h"
#include "ArenaModeHelper.h"
#include "CCApplication.h"
#include "CCArray.h"
#include "CCConsole.h"
#include "CCDirector.h"
#include "CCFileUtils.h"
#include "CCNode.h"
#include "CCObjectPool.h"
#include "CCNotificationCenter.h"
#include "CCUserDefault.h"
#include "CharacterSetups.h"
#include "GameOverScreen.h"
#include "PauseScreen.h"
#include "StageCompleteScreen.h"
#include "CollisionList.h"
#include "CollisionManager.h"
#include "HUD.h"
#include "AchievementScreen.h"
#include "LevelManager.h"
#include "LevelUpScreen.h"
#include "LocaleManager.h"
#include "MusicManager.h"
#include "RestartDelegate.h"
#include "RestartManager.h"
#include "SFXManager.h"
#include "SplashScreen.h"
#include "SystemManager.h"
#include "TitleScreen.h"
#include "TimedTrigger.h"
#include "VornAchievementsManager.h"
#include "VornActor.h"
#include "VornActorDesc.h"
#include "VornActorLayer.h"
#include "VornHighScoreManager.h"
#include "TouchInput.h"
#include "VornBackdrop.h"
#include "VornCameraManager.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"
#include "VornGameTypes.h"
#include "VornImpact.h"
#include "VornScreen.h"
#include "VornScriptEngine.h"
#include "VornTrigger.h"

#include <cctype>
#include <cstdio>

NS_CC_BEGIN

const float VornGameManager::kMaxFrameTime = 1.0f / 15.0f;
const int VornGameManager::kLuaCollectorStepKb = 1;
const char* const VornGameManager::kDefaultPlayerDesc = "jors.plist";
const char* const VornGameManager::kDefaultBackdrop = "stage-street";

namespace
{
enum
{
    kBootState_Failed = -2,
    kBootState_WaitingForSplash = -1,
    kBootState_SplashFinished = 0,
    kBootState_WorldBuilt = 1,
    kBootState_Ready = 2,
    kBootState_Running = 3,
};
} // namespace

VornGameManager::VornGameManager()
    : m_nBootState(kBootState_WaitingForSplash),
      m_bReady(false),
      m_pSFXManager(NULL),
      m_pMusicManager(NULL),
      m_pSplashScreen(NULL),
      m_pAchievementsManager(NULL),
      m_pPlayerCharacterSetups(NULL),
      m_pEnemyCharacterSetups(NULL),
      m_pActorDescs(new CCDictionary()),
      m_pActorNode(NULL),
      m_nGameMode(kVornGameMode_Story),
      m_nStoryDifficultyLevel(kDifficulty_Easy),
      m_pLevelManager(NULL),
      m_pHUD(NULL),
      m_pAchievementScreen(NULL),
      m_pBackground(NULL),
      m_pImpactPool(NULL),
      m_fTimeInLevel(0.0f),
      m_nNumStoryModeContinues(0),
      m_bIsRestoring(false),
      m_bRestoringFromSave(false),
      m_bSavedGameRefused(false),
      m_bRestartValuesRegistered(false),
      m_bBackdropSet(false),
      m_bRestartStored(false),
      m_pScriptEngine(NULL),
      m_pTimers(new CCArray()),
      m_pTitleScreen(NULL),
      m_pPauseScreen(NULL),
      m_pGameOverScreen(NULL),
      m_pStageCompleteScreen(NULL),
      m_pArenaCompleteScreen(NULL),
      m_pLevelUpScreen(NULL),
      m_pAutosaveNotice(NULL),
      m_pPlayer(NULL),
      m_pCameraManager(NULL),
      m_pBotManager(NULL),
      m_pArenaManager(NULL)
{
    m_pTimers->init();
    // Nothing plays until a level starts.
    m_bPaused = true;
}

VornGameManager::~VornGameManager()
{
    CCNotificationCenter::sharedNotificationCenter()->removeObserver(this, CCUserDefault::kWriteFailedNotification);
    // The HUD only follows the player; it must stop before the player goes.
    if (isOwnChild(m_pHUD))
    {
        m_pHUD->setPlayer(NULL);
    }
    // These reach back into this manager as they go: let them go while it is still whole.
    CC_SAFE_RELEASE_NULL(m_pArenaManager);
    // The enemies first: they hold the player as their target.
    CC_SAFE_RELEASE_NULL(m_pBotManager);
    CC_SAFE_RELEASE_NULL(m_pCameraManager);
    if (m_pPlayer)
    {
        m_pPlayer->getDiedSignal().disconnect(this, &VornGameManager::onPlayerDied);
        m_pPlayer->removeFromCollisionManager();
        CC_SAFE_RELEASE_NULL(m_pPlayer);
    }
    setBackground(NULL);
    releaseImpactPool();
    CC_SAFE_RELEASE(m_pActorNode);
    // Only while it is still our child is it sure to be alive.
    if (m_pSplashScreen && getChildren() && getChildren()->containsObject(m_pSplashScreen))
    {
        m_pSplashScreen->getOpenedSignal().disconnect(this, &VornGameManager::onSplashFinished);
        if (m_pTitleScreen)
        {
            m_pSplashScreen->getClosedSignal().disconnect(m_pTitleScreen, &VornScreen::open);
        }
    }
    ArenaCompleteScreen* results = dynamic_cast<ArenaCompleteScreen*>(
        m_pArenaCompleteScreen && getChildren() && getChildren()->containsObject(m_pArenaCompleteScreen)
            ? m_pArenaCompleteScreen
            : NULL);
    if (results)
    {
        results->getRestartSignal().disconnect(this, &VornGameManager::onContinue);
        results->getQuitSignal().disconnect(this, &VornGameManager::quitToTitleScreen);
    }
    connectMenuScreens(false);
    if (isOwnChild(m_pAutosaveNotice))
    {
        m_pAutosaveNotice->getOpenedSignal().disconnect(this, &VornGameManager::beginNewGame);
    }
    if (m_pHUD && isOwnChild(m_pHUD))
    {
        m_pHUD->getPauseSignal().disconnect(this, &VornGameManager::onPauseButton);
    }
    CC_SAFE_RELEASE_NULL(m_pHUD);
    if (m_pTitleScreen && getChildren() && getChildren()->containsObject(m_pTitleScreen))
    {
        m_pTitleScreen->getOpenedSignal().disconnect(this, &VornGameManager::onTitleOpened);
        if (TitleScreen* title = dynamic_cast<TitleScreen*>(m_pTitleScreen))
        {
            title->getStartArenaSignal().disconnect(this, &VornGameManager::onLevelChosen);
            title->getNewGameSignal().disconnect(this, &VornGameManager::onNewGame);
            title->getContinueSignal().disconnect(this, &VornGameManager::onContinueSavedGame);
        }
    }
    // Every value reads and writes this object: none may outlive it in the store.
    removeRestartValues();
    m_triggerHitSignal.disconnect(this, &VornGameManager::onTriggerHit);
    // Timers hold the script engine; they go first.
    CC_SAFE_RELEASE(m_pTimers);
    CC_SAFE_RELEASE(m_pScriptEngine);
    CC_SAFE_RELEASE(m_pActorDescs);
    CC_SAFE_RELEASE(m_pPlayerCharacterSetups);
    CC_SAFE_RELEASE(m_pEnemyCharacterSetups);
    CC_SAFE_RELEASE(m_pAchievementsManager);
    CC_SAFE_RELEASE(m_pSFXManager);
    CC_SAFE_RELEASE(m_pMusicManager);
    setLevelManager(NULL);
    // The framework only borrows the game's high-score manager.
    CC_SAFE_RELEASE(m_pHighScoreManager);
    m_pHighScoreManager = NULL;
}

void VornGameManager::setLevelManager(LevelManager* manager)
{
    CC_SAFE_RETAIN(manager);
    if (m_pLevelManager)
    {
        m_pLevelManager->getLevelChangedSignal().disconnect(this, &VornGameManager::setLevelName);
    }
    CC_SAFE_RELEASE(m_pLevelManager);
    m_pLevelManager = manager;
    // A level the list selects starts on the next running frame.
    if (m_pLevelManager)
    {
        m_pLevelManager->getLevelChangedSignal().connect(this, &VornGameManager::setLevelName);
    }
}

void VornGameManager::setSFXManager(SFXManager* manager)
{
    CC_SAFE_RETAIN(manager);
    CC_SAFE_RELEASE(m_pSFXManager);
    m_pSFXManager = manager;
}

void VornGameManager::setMusicManager(MusicManager* manager)
{
    CC_SAFE_RETAIN(manager);
    CC_SAFE_RELEASE(m_pMusicManager);
    m_pMusicManager = manager;
}

void VornGameManager::setHUD(HUD* hud)
{
    // The game calls its HUD's overlays all through play: one a script made and never built (or
    // none at all) would crash it there, so the game keeps its own.
    if (m_pHUD && m_pHUD->isBuilt() && (hud == NULL || !hud->isBuilt()))
    {
        CCLog("ERROR: VornGameManager::setHUD - %s cannot serve as the HUD; the game keeps its own",
              hud ? "a HUD that has not been built (init)" : "no HUD");
        return;
    }
    CC_SAFE_RETAIN(hud);
    CC_SAFE_RELEASE(m_pHUD);
    m_pHUD = hud;
}

void VornGameManager::setArenaManager(ArenaManager* manager)
{
    CC_SAFE_RETAIN(manager);
    CC_SAFE_RELEASE(m_pArenaManager);
    m_pArenaManager = manager;
}

void VornGameManager::setPlayer(VornPlayer* player)
{
    if (player == m_pPlayer)
    {
        return;
    }
    CC_SAFE_RETAIN(player);
    if (m_pPlayer)
    {
        m_pPlayer->getDiedSignal().disconnect(this, &VornGameManager::onPlayerDied);
    }
    CC_SAFE_RELEASE(m_pPlayer);
    m_pPlayer = player;
}

void VornGameManager::setCameraManager(VornCameraManager* camera)
{
    CC_SAFE_RETAIN(camera);
    CC_SAFE_RELEASE(m_pCameraManager);
    m_pCameraManager = camera;
}

void VornGameManager::setBotManager(BotManager* manager)
{
    CC_SAFE_RETAIN(manager);
    CC_SAFE_RELEASE(m_pBotManager);
    m_pBotManager = manager;
}

VornHighScoreManager* VornGameManager::getVornHighScoreManager()
{
    return dynamic_cast<VornHighScoreManager*>(m_pHighScoreManager);
}

VornGameManager* VornGameManager::getSharedVornGameManager()
{
    return dynamic_cast<VornGameManager*>(GameManager::getInstance());
}

bool VornGameManager::initVornGameManager()
{
    CCFileUtils::sharedFileUtils()->setWritablePathAppName("TULMEK");
    // Made first so the managers below can hook into it; it is set up with the game world.
    if (m_pPlayer == NULL)
    {
        m_pPlayer = new VornPlayer();
    }
    m_pAchievementsManager = new VornAchievementsManager();
    if (!m_pAchievementsManager->initWithFile("achievements.plist"))
    {
        return false;
    }
    CCNotificationCenter::sharedNotificationCenter()->addObserver(
        this, callfuncO_selector(VornGameManager::onSaveFailed), CCUserDefault::kWriteFailedNotification, NULL);
    // The game's own tables must be in place before anything asks the framework for them.
    VornHighScoreManager* highScores = new VornHighScoreManager();
    setHighScoreManager(highScores);
    if (!highScores->init())
    {
        return false;
    }
    if (!GameManager::init(NULL))
    {
        return false;
    }
    m_pMusicManager = new MusicManager();
    if (!m_pMusicManager->init())
    {
        return false;
    }
    // Menus and actors find it through the shared accessor; it ticks on the update signal.
    m_pSFXManager = new SFXManager();
    if (!m_pSFXManager->init())
    {
        return false;
    }

    SplashScreen* splash = new SplashScreen();
    if (!splash->init())
    {
        CCLog("Error creating splash screen");
        // Its selector proxies hold it; cleanup lets them go so it can be freed.
        splash->cleanup();
        splash->release();
        return false;
    }
    m_pSplashScreen = splash;
    addChild(splash, 10);
    splash->release();
    splash->getOpenedSignal().connect(this, &VornGameManager::onSplashFinished);
    splash->open();
    return true;
}

void VornGameManager::failStartUp(const char* reason)
{
    // A game without its world or title would only look as if it had started.
    CCLog("ERROR: The game cannot start: %s", reason);
    m_nBootState = kBootState_Failed;
    if (CCApplication* application = CCApplication::sharedApplication())
    {
        application->setExitStatus(1);
    }
    CCDirector::sharedDirector()->end();
}

void VornGameManager::onSplashFinished()
{
    // Building the world takes a while; the frame after it must not count that time.
    CCDirector::sharedDirector()->setNextDeltaTimeZero(true);
    m_nBootState = kBootState_SplashFinished;
}

bool VornGameManager::initGameLayer()
{
    CCLayer* layer = dynamic_cast<CCLayer*>(VornScreen::createGameLayer());
    if (!layer)
    {
        CCLog("VornGameManager::initGameLayer - no game layer; the old one stays");
        return false;
    }
    if (m_pGameLayer)
    {
        m_pGameLayer->removeFromParentAndCleanup(true);
        m_pGameLayer->release();
    }
    m_pGameLayer = layer;
    m_pGameLayer->retain();
    addChild(m_pGameLayer);
    return true;
}

static const char* const kPlayerCharacterTable = "character-setup-player.csv";
static const char* const kEnemyCharacterTable = "character-setup-enemy.csv";

static bool hasCharacters(CharacterSetups* table)
{
    return table && table->getSetups() && table->getSetups()->count() > 0;
}

bool VornGameManager::initMain1()
{
    registerRestartValues();
    m_nNumStoryModeContinues = CCUserDefault::sharedUserDefault()->getIntegerForKey("NumStoryModeContinues", 0);
    initGameLayer();
    if (m_pScriptEngine == NULL)
    {
        m_pScriptEngine = new VornScriptEngine();
    }
    setPlayerCharacterSetups(CharacterSetups::create(kPlayerCharacterTable));
    setEnemyCharacterSetups(CharacterSetups::create(kEnemyCharacterTable));
    // Without them every fighter would play with no health and no power.
    if (!hasCharacters(m_pPlayerCharacterSetups) || !hasCharacters(m_pEnemyCharacterSetups))
    {
        CCLog("ERROR: The game cannot start without its character tables");
        return false;
    }
    const struct
    {
        CharacterSetups* table;
        const char* file;
    } tables[] = { { m_pPlayerCharacterSetups, kPlayerCharacterTable },
                   { m_pEnemyCharacterSetups, kEnemyCharacterTable } };
    for (const auto& t : tables)
    {
        const std::string fighter = t.table->findFighterWithoutHealth();
        if (!fighter.empty())
        {
            CCLog("ERROR: The game cannot start: the character table \"%s\" gives %s no health", t.file,
                  fighter.c_str());
            return false;
        }
    }
    if (!initCollisionLists())
    {
        return false;
    }
    // The actors live in one node of the game layer, depth-sorted every frame, shadows under all.
    setActorNode(VornActorLayer::create());
    getGameLayer()->addChild(m_pActorNode, 0);
    m_triggerHitSignal.connect(this, &VornGameManager::onTriggerHit);
    VornPlayerInputMulti* input = new VornPlayerInputMulti();
    input->autorelease();
    if (!input->init() || !initPlayer(input))
    {
        return false;
    }
    if (!initCameraManager())
    {
        return false;
    }
    m_pBotManager = new BotManager();
    if (!m_pBotManager->init(kBotPoolSize))
    {
        CCLog("Failed to create BotManager!\n");
        return false;
    }
    if (m_pArenaManager == NULL)
    {
        m_pArenaManager = new ArenaManager();
        if (!m_pArenaManager->init())
        {
            return false;
        }
    }
    if (!initImpactPool())
    {
        return false;
    }
    // Last of the world: its checkpoint value restores after everything registered before it.
    setLevelManager(LevelManager::create());
    if (m_pLevelManager == NULL)
    {
        return false;
    }
    if (!initScreens() || !initArenaCompleteScreen())
    {
        return false;
    }
    // The store was read while booting; the pop-ups can say so now.
    tellOfSetAsideSave();
    // Nothing of the world shows before a level starts.
    setIsGameLayerVisible(false);
    return true;
}

bool VornGameManager::initPlayer(VornPlayerInputBase* input)
{
    if (m_pPlayer == NULL || !m_pPlayer->initWithInput(input))
    {
        return false;
    }
    m_pPlayer->addToCollisionManager();
    m_pPlayer->getDiedSignal().connect(this, &VornGameManager::onPlayerDied);
    // Playable from the first level on; a level script may pick another character.
    if (m_pPlayer->getDesc() == NULL)
    {
        m_pPlayer->setPlayerDesc(kDefaultPlayerDesc);
    }
    m_pPlayer->setInputConnected(true);
    return true;
}

bool VornGameManager::initCameraManager()
{
    VornCameraManager* camera = new VornCameraManager();
    if (!camera->initWithGameLayer(getGameLayer()))
    {
        camera->release();
        return false;
    }
    setCameraManager(camera);
    camera->release();
    m_pCameraManager->setTarget(m_pPlayer);
    return true;
}

void VornGameManager::onPlayerDied(VornActor* player)
{
    CC_UNUSED_PARAM(player);
    if (m_pTouchInput)
    {
        m_pTouchInput->setVisible(false);
    }
    if (m_nGameMode == kVornGameMode_Arena)
    {
        ArenaCompleteScreen* results = dynamic_cast<ArenaCompleteScreen*>(m_pArenaCompleteScreen);
        if (results && m_pPlayer)
        {
            results->showResults(m_pPlayer);
        }
        return;
    }
    GameOverScreen* gameOver = dynamic_cast<GameOverScreen*>(m_pGameOverScreen);
    if (gameOver && m_pPlayer)
    {
        gameOver->setScore(m_pPlayer, m_pPlayer->getScore());
        gameOver->open();
    }
}

void VornGameManager::onSaveFailed(CCObject* sender)
{
    CC_UNUSED_PARAM(sender);
    showSaveNotice("NOTICE_SAVE_FAILED_TITLE", "NOTICE_SAVE_FAILED");
}

void VornGameManager::tellOfSetAsideSave()
{
    if (CCUserDefault::takeSetAsideFile(NULL))
    {
        showSaveNotice("NOTICE_SAVE_SET_ASIDE_TITLE", "NOTICE_SAVE_SET_ASIDE");
    }
}

void VornGameManager::showSaveNotice(const char* titleKey, const char* textKey)
{
    LocaleManager* locale = LocaleManager::sharedLocaleManager();
    const char* title = locale ? locale->localize(titleKey) : titleKey;
    const char* text = locale ? locale->localize(textKey) : textKey;
    AchievementScreen* popups = AchievementScreen::sharedAchievementScreen();
    if (popups)
    {
        popups->queueAchievement(title, text);
    }
}

bool VornGameManager::initScreens()
{
    // Pop-ups above everything, the title included; the HUD above the game layer.
    if (!m_pAchievementScreen)
    {
        m_pAchievementScreen = AchievementScreen::create();
        if (!m_pAchievementScreen)
        {
            CCLog("VornGameManager::initScreens - the achievement pop-ups cannot be built");
            return false;
        }
        addChild(m_pAchievementScreen, kAchievementScreenZ);
    }
    if (!m_pHUD)
    {
        setHUD(HUD::create());
        if (!m_pHUD)
        {
            CCLog("VornGameManager::initScreens - the HUD cannot be built");
            return false;
        }
        addChild(m_pHUD, kHUDZ);
        m_pHUD->getPauseSignal().connect(this, &VornGameManager::onPauseButton);
        m_pHUD->setPlayer(m_pPlayer);
    }
    if (!m_pLevelUpScreen)
    {
        LevelUpScreen* levelUp = LevelUpScreen::create();
        if (!levelUp)
        {
            CCLog("VornGameManager::initScreens - the level-up screen cannot be built");
            return false;
        }
        m_pLevelUpScreen = levelUp;
        addChild(levelUp, kLevelUpScreenZ);
    }
    if (!m_pAutosaveNotice)
    {
        VornScreen* notice = new VornScreen();
        if (!notice->initWithCCBFile("autosave-notice"))
        {
            CCLog("VornGameManager::initScreens - the autosave notice cannot be built");
            notice->cleanup();
            notice->release();
            return false;
        }
        notice->setVisible(false);
        m_pAutosaveNotice = notice;
        addChild(notice, kMenuScreenZ);
        notice->release();
    }
    return initMenuScreens();
}

namespace
{
template <class T>
T* buildScreen(const char* what)
{
    T* screen = new T();
    if (!screen->init())
    {
        CCLog("VornGameManager::initScreens - the %s cannot be built", what);
        // Its selector proxies hold it; cleanup lets them go so it can be freed.
        screen->cleanup();
        screen->release();
        return NULL;
    }
    screen->autorelease();
    return screen;
}
} // namespace

bool VornGameManager::initMenuScreens()
{
    if (m_pPauseScreen || m_pGameOverScreen || m_pStageCompleteScreen)
    {
        return true;
    }
    PauseScreen* pause = buildScreen<PauseScreen>("pause screen");
    GameOverScreen* gameOver = buildScreen<GameOverScreen>("game-over screen");
    StageCompleteScreen* stageComplete = buildScreen<StageCompleteScreen>("stage-complete screen");
    if (!pause || !gameOver || !stageComplete)
    {
        return false;
    }
    m_pPauseScreen = pause;
    m_pGameOverScreen = gameOver;
    m_pStageCompleteScreen = stageComplete;
    addChild(pause, kMenuScreenZ);
    addChild(gameOver, kMenuScreenZ);
    addChild(stageComplete, kMenuScreenZ);
    connectMenuScreens(true);
    return true;
}

bool VornGameManager::initArenaCompleteScreen()
{
    if (m_pArenaCompleteScreen)
    {
        return true;
    }
    ArenaCompleteScreen* results = new ArenaCompleteScreen();
    if (!results->init())
    {
        CCLog("VornGameManager::initArenaCompleteScreen - the arena results screen cannot be built");
        // Its selector proxies hold it; cleanup lets them go so it can be freed.
        results->cleanup();
        results->release();
        return false;
    }
    m_pArenaCompleteScreen = results;
    // Over the HUD, under the pop-ups.
    addChild(results, kHUDZ + 1);
    results->release();
    results->getRestartSignal().connect(this, &VornGameManager::onContinue);
    results->getQuitSignal().connect(this, &VornGameManager::quitToTitleScreen);
    return true;
}

bool VornGameManager::isOwnChild(CCNode* node)
{
    return node && getChildren() && getChildren()->containsObject(node);
}

void VornGameManager::connectMenuScreens(bool connect)
{
    typedef VornGameManager Self;
    if (PauseScreen* pause = dynamic_cast<PauseScreen*>(isOwnChild(m_pPauseScreen) ? m_pPauseScreen : NULL))
    {
        if (connect)
        {
            pause->getRestartSignal().connect(this, &Self::onContinue);
            pause->getResumeSignal().connect(this, &Self::resumeFromPause);
            pause->getQuitSignal().connect(this, &Self::quitToTitleScreen);
        }
        else
        {
            pause->getRestartSignal().disconnect(this, &Self::onContinue);
            pause->getResumeSignal().disconnect(this, &Self::resumeFromPause);
            pause->getQuitSignal().disconnect(this, &Self::quitToTitleScreen);
        }
    }
    if (GameOverScreen* gameOver =
            dynamic_cast<GameOverScreen*>(isOwnChild(m_pGameOverScreen) ? m_pGameOverScreen : NULL))
    {
        if (connect)
        {
            gameOver->getRestartSignal().connect(this, &Self::onContinue);
            gameOver->getQuitSignal().connect(this, &Self::quitToTitleScreen);
        }
        else
        {
            gameOver->getRestartSignal().disconnect(this, &Self::onContinue);
            gameOver->getQuitSignal().disconnect(this, &Self::quitToTitleScreen);
        }
    }
    // The stage-complete screen joins the flow by itself.
}

bool VornGameManager::initMain2()
{
    TitleScreen* title = new TitleScreen();
    if (!title->initScreen())
    {
        CCLog("VornGameManager::initMain2 - the title screen cannot be built");
        // Its selector proxies hold it; cleanup lets them go so it can be freed.
        title->cleanup();
        title->release();
        return false;
    }
    m_pTitleScreen = title;
    addChild(title, 1);
    title->release();
    title->getStartArenaSignal().connect(this, &VornGameManager::onLevelChosen);
    title->getNewGameSignal().connect(this, &VornGameManager::onNewGame);
    title->getContinueSignal().connect(this, &VornGameManager::onContinueSavedGame);
    title->getOpenedSignal().connect(this, &VornGameManager::onTitleOpened);
    if (m_pSplashScreen)
    {
        m_pSplashScreen->getClosedSignal().connect(static_cast<VornScreen*>(title), &VornScreen::open);
    }
    else
    {
        title->open();
    }
    m_bReady = true;
    m_gameReadySignal.emit();
    return true;
}

void VornGameManager::setBackground(VornBackdrop* backdrop)
{
    CC_SAFE_RETAIN(backdrop);
    CC_SAFE_RELEASE(m_pBackground);
    m_pBackground = backdrop;
}

bool VornGameManager::initImpactPool()
{
    releaseImpactPool();
    m_pImpactPool = new CCObjectPool();
    CCArray* impacts = CCArray::create();
    m_pImpactPool->initWithArray(impacts);
    for (int i = 0; i < kImpactCount; ++i)
    {
        VornImpact* impact = new VornImpact();
        impacts->addObject(impact);
        impact->release();
        if (!impact->initWithPool(m_pImpactPool))
        {
            return false;
        }
    }
    return true;
}

void VornGameManager::releaseImpactPool()
{
    if (m_pImpactPool == NULL)
    {
        return;
    }
    // Each impact holds the pool that holds it: break the ring before letting go.
    m_pImpactPool->returnAllObjects();
    CCObject* object;
    CCARRAY_FOREACH(m_pImpactPool->getFree(), object)
    {
        VornImpact* impact = static_cast<VornImpact*>(object);
        impact->removeFromParentAndCleanup(true);
        impact->setPool(NULL);
    }
    CC_SAFE_RELEASE_NULL(m_pImpactPool);
}

bool VornGameManager::initCollisionLists()
{
    if (m_pCollisionManager == NULL)
    {
        return false;
    }
    static const struct
    {
        const char* name;
        int id;
    } kLists[] = { { "player", 1 }, { "enemy", 2 }, { "sign", 4 }, { "backdrop", 8 }, { "bounds", 16 }, { "trigger", 32 } };
    CCArray* lists = CCArray::create();
    for (size_t i = 0; i < sizeof(kLists) / sizeof(kLists[0]); ++i)
    {
        CollisionList* list = new CollisionList();
        lists->addObject(list);
        list->release();
        if (!list->initWithName(kLists[i].name, kLists[i].id))
        {
            return false;
        }
    }
    std::vector<tCollisionRule>& rules = static_cast<CollisionList*>(lists->objectAtIndex(0))->getRules();
    tCollisionRule bounds = { 16, true, NULL };
    tCollisionRule backdrop = { 8, true, NULL };
    tCollisionRule trigger = { 32, false, &m_triggerHitSignal };
    rules.push_back(bounds);
    rules.push_back(backdrop);
    rules.push_back(trigger);
    m_pCollisionManager->setCollisionLists(lists);
    return true;
}

void VornGameManager::onTitleOpened()
{
    if (m_pGameLayer)
    {
        m_pGameLayer->setVisible(false);
    }
    // Directly: nothing needs to hear about a pause at the title.
    m_bPaused = true;
}

void VornGameManager::tick(float dt)
{
    if (m_nBootState == kBootState_Failed)
    {
        return;
    }
    if (m_nBootState == kBootState_WaitingForSplash)
    {
        if (m_pSystemManager)
        {
            m_pSystemManager->hideCursor();
        }
        return;
    }
    if (m_nBootState < kBootState_Running)
    {
        ++m_nBootState;
        if (m_nBootState == kBootState_WorldBuilt)
        {
            if (!initMain1())
            {
                failStartUp("the game world could not be built");
            }
        }
        else if (m_nBootState == kBootState_Ready)
        {
            if (!initMain2())
            {
                failStartUp("the title screen could not be built");
                return;
            }
            if (m_pSplashScreen)
            {
                m_pSplashScreen->close();
            }
        }
        return;
    }
    if (dt > kMaxFrameTime)
    {
        dt = kMaxFrameTime;
    }
    GameManager::tick(dt);
    sortActorsByDepth();
    fadeSceneryOverFighters(dt);
    // The stage's time is time played: the pause screen and the title do not count.
    if (!m_bPaused)
    {
        m_fTimeInLevel += dt;
        updateTimers(dt);
    }
    if (!m_sPendingLevelName.empty())
    {
        // Emptied first: a level the scripts queue while this one starts waits for its own frame.
        std::string name = m_sPendingLevelName;
        m_sPendingLevelName.clear();
        startLevel(name);
        // The frame after the load counts as no time: nothing jumps ahead by the load's length.
        CCDirector::sharedDirector()->setNextDeltaTimeZero(true);
    }
    // The scripts' garbage is collected a little every frame, never in one long pause.
    CCLuaEngine::stepCollectors(kLuaCollectorStepKb);
}

// Nearer the viewer (lower on the screen) is drawn later; equal heights keep the gathered order.
static bool isFartherAway(ActorComponent* a, ActorComponent* b)
{
    return a->getPosition().y > b->getPosition().y;
}

void VornGameManager::sortActorsByDepth()
{
    if (m_pCollisionManager == NULL || m_pActorNode == NULL)
    {
        return;
    }
    static const int kDepthSortedLists[] = { kCollisionList_Enemy, kCollisionList_Player, kCollisionList_Sign };
    m_depthOrder.clear();
    for (size_t i = 0; i < sizeof(kDepthSortedLists) / sizeof(kDepthSortedLists[0]); ++i)
    {
        CollisionList* list = m_pCollisionManager->getCollisionList(kDepthSortedLists[i]);
        if (list != NULL)
        {
            m_depthOrder.insert(m_depthOrder.end(), list->getMembers().begin(), list->getMembers().end());
        }
    }
    std::stable_sort(m_depthOrder.begin(), m_depthOrder.end(), isFartherAway);
    int z = 1;
    for (size_t i = 0; i < m_depthOrder.size(); ++i)
    {
        CCNode* node = m_depthOrder[i]->getOwner();
        if (node == NULL || node->getParent() != m_pActorNode)
        {
            continue;
        }
        if (node->getZOrder() != z)
        {
            m_pActorNode->reorderChild(node, z);
        }
        ++z;
    }
}

void VornGameManager::fadeSceneryOverFighters(float dt)
{
    if (m_pBackground == NULL)
    {
        return;
    }
    std::vector<VornBackdrop::FighterView> fighters;
    for (size_t i = 0; i < m_depthOrder.size(); ++i)
    {
        VornActor* actor = dynamic_cast<VornActor*>(m_depthOrder[i]->getOwner());
        if (actor != NULL && actor->isVisible() && actor->getParent() != NULL)
        {
            VornBackdrop::FighterView view = { actor->getCollisionBoundsInWorldSpace(), actor->getParent(),
                                               actor->getZOrder() };
            fighters.push_back(view);
        }
    }
    m_pBackground->fadeOverFighters(fighters, dt);
}

void VornGameManager::setPlayerCharacterSetups(CharacterSetups* setups)
{
    CC_SAFE_RETAIN(setups);
    CC_SAFE_RELEASE(m_pPlayerCharacterSetups);
    m_pPlayerCharacterSetups = setups;
}

void VornGameManager::setEnemyCharacterSetups(CharacterSetups* setups)
{
    CC_SAFE_RETAIN(setups);
    CC_SAFE_RELEASE(m_pEnemyCharacterSetups);
    m_pEnemyCharacterSetups = setups;
}

void VornGameManager::setActorNode(CCNode* node)
{
    CC_SAFE_RETAIN(node);
    CC_SAFE_RELEASE(m_pActorNode);
    m_pActorNode = node;
}

VornActorDesc* VornGameManager::actorDescWithFile(const char* name)
{
    if (!name)
    {
        return NULL;
    }
    VornActorDesc* desc = dynamic_cast<VornActorDesc*>(m_pActorDescs->objectForKey(name));
    if (desc)
    {
        return desc;
    }
    // Named by content, scripts and saves: only a file of the game's resources.
    if (CCFileUtils::sharedFileUtils()->fullPathForContentName(name, "VornGameManager::actorDescWithFile").empty())
    {
        return NULL;
    }
    desc = new VornActorDesc();
    if (!desc->initWithFile(name))
    {
        CCLog("Unable to load actor descriptor %s!\n", name);
        desc->release();
        return NULL;
    }
    m_pActorDescs->setObject(desc, name);
    desc->release();
    return desc;
}

// ---- Levels ----

void VornGameManager::reportRepeatedScriptErrors()
{
    // The enemy kinds' scripts live as long as the game: their errors are summed up per level.
    CCDictElement* element = NULL;
    CCDICT_FOREACH(m_pActorDescs, element)
    {
        VornActorDesc* desc = dynamic_cast<VornActorDesc*>(element->getObject());
        if (desc && desc->getScriptEngine())
        {
            desc->getScriptEngine()->reportRepeatedErrors();
        }
    }
    if (m_pScriptEngine)
    {
        m_pScriptEngine->reportRepeatedErrors();
    }
}

void VornGameManager::startLevel(const std::string& levelName)
{
    // The restore passes a value the scripts may change under us.
    const std::string name = levelName;
    m_pTimers->removeAllObjects();
    reportRepeatedScriptErrors();
    if (m_pImpactPool && m_pImpactPool->getUsed())
    {
        // Recycling edits the used list: walk a copy.
        CCArray* used = CCArray::createWithArray(m_pImpactPool->getUsed());
        CCObject* object = NULL;
        CCARRAY_FOREACH(used, object)
        {
            static_cast<VornImpact*>(object)->recycle();
        }
    }
    if (!name.empty() && (!CCFileUtils::isConfinedName(name + ".lua") || (m_bRestoringFromSave && !isGameLevelName(name))))
    {
        CCLog("ERROR: VornGameManager::startLevel - '%s' is not one of the game's levels; refused", name.c_str());
        m_bSavedGameRefused = m_bSavedGameRefused || m_bRestoringFromSave;
        return;
    }
    m_sLevelScript = name;
    m_nGameMode = name.find("arena") != std::string::npos ? kVornGameMode_Arena : kVornGameMode_Story;
    if (name.empty())
    {
        return;
    }
    if (!m_bIsRestoring && m_pPlayer && m_pPlayer->getDesc())
    {
        // A fresh level starts the player afresh (health, moves), whatever the last one left.
        m_pPlayer->reset();
    }
    m_bBackdropSet = false;
    // The level's clock starts before its scripts mark the level-start checkpoint (a restore
    // brings back the saved time after this).
    m_fTimeInLevel = 0.0f;
    m_levelLoadingSignal.emit();
    // The HUD's cover is up: shown before the scripts and the stage load, the long frame holds a
    // still white picture instead of the title or the stage the player was looking at.
    CCDirector::sharedDirector()->presentScene();
    loadLevelScript(name.c_str(), m_bIsRestoring);
    if (!m_bIsRestoring && !m_bBackdropSet && m_nGameMode == kVornGameMode_Story)
    {
        // A story level always has somewhere to stand, even when its scripts cannot load a stage.
        CCLog("VornGameManager::startLevel - level '%s' loaded no stage; using '%s'", name.c_str(),
              kDefaultBackdrop);
        setBackdropFile(kDefaultBackdrop);
    }
    setIsGameLayerVisible(true);
    setPaused(false);
    setTempPaused(false);
    updateGameModSpeed();
    m_levelStartedSignal.emit();
    // The HUD starts each level clean; in the story the player's bar is always up.
    if (m_pHUD && m_pPlayer && m_nGameMode == kVornGameMode_Story)
    {
        m_pHUD->showPlayerHealth(m_pPlayer);
    }
}

// A file that holds nothing but blanks (or nothing at all).
static bool isBlankFile(const char* fileName)
{
    unsigned long size = 0;
    unsigned char* data = CCFileUtils::sharedFileUtils()->getFileData(fileName, "rb", &size);
    if (data == NULL)
    {
        return false;
    }
    bool blank = true;
    for (unsigned long i = 0; i < size && blank; ++i)
    {
        blank = isspace(data[i]) != 0;
    }
    delete[] data;
    return blank;
}

bool VornGameManager::loadLevelScript(const char* levelName, bool restoring)
{
    // Scripts and saves name levels: a name outside the game's resources leaves the running level alone.
    const std::string fileName = std::string(levelName ? levelName : "") + ".lua";
    if (CCFileUtils::sharedFileUtils()->fullPathForContentName(fileName, "VornGameManager::loadLevelScript").empty())
    {
        return false;
    }
    CollisionList* enemies = getCollisionList(2);
    if (enemies)
    {
        enemies->removeAllObjects();
    }
    if (!restoring)
    {
        m_sCheckpointFunction.clear();
    }
    // A fresh state: nothing of the previous level's globals survives.
    CC_SAFE_RELEASE_NULL(m_pScriptEngine);
    m_pScriptEngine = new VornScriptEngine();
    if (!m_pScriptEngine->executeScriptFile("common.lua"))
    {
        CCLog("ERROR: Unable to execute common level script!");
        return false;
    }
    if (!m_pScriptEngine->executeScriptFile(fileName.c_str()))
    {
        CCLog("ERROR: Unable to execute level script %s", fileName.c_str());
        return false;
    }
    if (isBlankFile(fileName.c_str()))
    {
        // It runs without an error, and the level then plays with nothing in it.
        CCLog("ERROR: The level script %s is empty", fileName.c_str());
    }
    return m_pScriptEngine->callGlobalFunction("init", restoring);
}

void VornGameManager::setBackdropFile(const std::string& name)
{
    if (!name.empty() && !CCFileUtils::isConfinedName(name))
    {
        CCLog("ERROR: VornGameManager::setBackdropFile - '%s' is outside the game's resources; refused", name.c_str());
        m_bSavedGameRefused = m_bSavedGameRefused || m_bRestoringFromSave;
        return;
    }
    if (!name.empty() && m_bRestoringFromSave && !isGameBackdropName(name))
    {
        refuseSavedName("backdropFile", name);
        return;
    }
    m_sBackdropFile = name;
    m_bBackdropSet = true;
    VornBackdrop* backdrop = new VornBackdrop();
    backdrop->autorelease();
    if (m_pBackground)
    {
        m_pBackground->reset();
    }
    setBackground(backdrop);
    // The old stage's shapes and triggers must not stop or fire anything any more.
    clearStageCollisions();
    if (name.empty())
    {
        return;
    }
    // The new layout brings its own signs, shapes and triggers.
    CollisionList* signs = getCollisionList(4);
    if (signs)
    {
        signs->removeAllObjects();
    }
    if (!backdrop->initWithFile(name.c_str(), m_pGameLayer, m_pActorNode))
    {
        CCLog("Error loading backdrop file '%s'", name.c_str());
        return;
    }
    // A stage that marks the player's start puts him there (a restored position comes after).
    CCNode* start = backdrop->getNodeByName("playerStart");
    if (start && start->getParent() && m_pPlayer && m_pActorNode)
    {
        CCPoint world = start->getParent()->convertToWorldSpace(start->getPosition());
        m_pPlayer->setBasePosition(m_pActorNode->convertToNodeSpace(world));
    }
}

void VornGameManager::setNumStoryModeContinues(int continues)
{
    m_nNumStoryModeContinues = continues;
    CCUserDefault* settings = CCUserDefault::sharedUserDefault();
    settings->setIntegerForKey("NumStoryModeContinues", continues);
    settings->flush();
}

void VornGameManager::setLevelName(const char* name)
{
    m_sPendingLevelName = name ? name : "";
    // The HUD is cleared now, so what the level's init shows stays up.
    if (m_pHUD)
    {
        m_pHUD->onLevelStart();
    }
}

void VornGameManager::onLevelChosen(const char* name)
{
    m_bRestartStored = false;
    setLevelName(name);
    m_levelRequestedSignal.emit();
}

void VornGameManager::onNewGame(int difficulty)
{
    setStoryDifficultyLevel(difficulty);
    if (m_pAnalyticsManager && m_pAnalyticsManager->getBackend())
    {
        m_pAnalyticsManager->logEvent("startNewGame");
    }
    if (m_pAutosaveNotice)
    {
        m_pAutosaveNotice->getOpenedSignal().connect(this, &VornGameManager::beginNewGame);
        m_pAutosaveNotice->open();
    }
    else
    {
        // Without a notice to wait for, the game begins at once.
        beginNewGame();
    }
}

void VornGameManager::beginNewGame()
{
    if (m_pAutosaveNotice)
    {
        m_pAutosaveNotice->getOpenedSignal().disconnect(this, &VornGameManager::beginNewGame);
        m_pAutosaveNotice->hide();
    }
    // A new story counts its own continues: the no-continue reward stays within reach.
    setNumStoryModeContinues(0);
    // Nor does it continue from the checkpoint of a game left earlier.
    m_bRestartStored = false;
    // Its change signal queues the first level (setLevelName).
    if (m_pLevelManager)
    {
        m_pLevelManager->newGame();
    }
    m_newGameSignal.emit();
}

void VornGameManager::onContinue()
{
    m_continueSignal.emit();
    if (m_nGameMode == kVornGameMode_Story)
    {
        setNumStoryModeContinues(getNumStoryModeContinues() + 1);
        m_continueUsedSignal.emit();
    }
    if (!m_bRestartStored && !m_sLevelScript.empty())
    {
        // A game that marked no checkpoint yet starts its level over rather than leaving the player down.
        startLevel(m_sLevelScript);
        return;
    }
    restoreCheckpoint(false);
}

void VornGameManager::onContinueSavedGame()
{
    restoreCheckpoint(true);
    // Loading keeps the saved values in memory too: a later continue comes back to them.
    if (m_pRestartManager && m_pRestartManager->getHasCheckpoint())
    {
        m_bRestartStored = true;
    }
}

void VornGameManager::quitToTitleScreen()
{
    // Straight to the flag: the title is no pause screen.
    m_bPaused = true;
    if (m_pBackground)
    {
        m_pBackground->reset();
        setBackground(NULL);
    }
    clearStageCollisions();
    m_quitToTitleSignal.emit();
}

void VornGameManager::onNextStage()
{
    // Past the last level nothing happens; otherwise the list's change signal queues the next one.
    if (m_pLevelManager)
    {
        m_pLevelManager->nextLevel();
    }
}

void VornGameManager::onStageComplete()
{
    if (m_nGameMode == kVornGameMode_Story)
    {
        showStageComplete();
    }
}

void VornGameManager::showStageComplete()
{
    if (m_pStageCompleteScreen == NULL || isScreenVisible(m_pStageCompleteScreen))
    {
        return;
    }
    // A cleared stage counts like a knock-out: its score joins the level's table before the
    // results show the best.
    VornHighScoreManager* scores = getVornHighScoreManager();
    if (scores != NULL && m_pPlayer != NULL)
    {
        scores->submitScore(m_pPlayer->getScore());
    }
    m_pStageCompleteScreen->open();
}

void VornGameManager::onStageCompleteContinue()
{
    if (m_pLevelManager && !m_pLevelManager->isLastLevel())
    {
        onNextStage();
        return;
    }
    // No stage follows: the story is done, and its last checkpoint must not bring the player back
    // into a finished level from the title.
    onStoryModeCompleted();
    resetStoryMode();
    quitToTitleScreen();
}

void VornGameManager::onStoryModeCompleted()
{
    if (m_pAchievementsManager == NULL)
    {
        return;
    }
    static const char* const kCompleted[] = { "achievement.grandor.completed_game_1",
                                              "achievement.grandor.completed_game_2",
                                              "achievement.grandor.completed_game_3" };
    if (m_nStoryDifficultyLevel >= kDifficulty_Easy && m_nStoryDifficultyLevel <= kDifficulty_Hard)
    {
        m_pAchievementsManager->setAchievementProgress(kCompleted[m_nStoryDifficultyLevel], 1.0f);
    }
    if (m_nNumStoryModeContinues == 0)
    {
        m_pAchievementsManager->setAchievementProgress("achievement.grandor.completed_no_continue", 1.0f);
    }
}

// ---- Checkpoints ----

void VornGameManager::registerRestartValues()
{
    if (m_pRestartManager == NULL || m_bRestartValuesRegistered)
    {
        return;
    }
    // The restore walks them in this order: the level restarts before its stage and state come back.
    m_pRestartManager->addDelegate(RestartDelegate<std::string>::create(
        "levelScript", this, &VornGameManager::getLevelScript, &VornGameManager::startLevel));
    m_pRestartManager->addDelegate(RestartDelegate<std::string>::create(
        "backdropFile", this, &VornGameManager::getBackdropFile, &VornGameManager::setBackdropFile));
    m_pRestartManager->addDelegate(RestartDelegate<std::string>::create(
        "checkpointFunction", this, &VornGameManager::getCheckpointFunction, &VornGameManager::setCheckpointFunction));
    m_pRestartManager->addDelegate(RestartDelegate<std::string>::create(
        "triggerStates", this, &VornGameManager::getTriggerStates, &VornGameManager::setTriggerStates));
    m_pRestartManager->addDelegate(RestartDelegate<float>::create(
        "timeInLevel", this, &VornGameManager::getTimeInLevel, &VornGameManager::setTimeInLevel));
    m_pRestartManager->addDelegate(RestartDelegate<int>::create(
        "storyDifficultyLevel", this, &VornGameManager::getStoryDifficultyLevel,
        &VornGameManager::setStoryDifficultyLevel));
    m_bRestartValuesRegistered = true;
}

void VornGameManager::removeRestartValues()
{
    if (m_pRestartManager == NULL || !m_bRestartValuesRegistered)
    {
        return;
    }
    static const char* const kKeys[] = { "levelScript", "backdropFile", "checkpointFunction",
                                         "triggerStates", "timeInLevel", "storyDifficultyLevel" };
    for (size_t i = 0; i < sizeof(kKeys) / sizeof(kKeys[0]); ++i)
    {
        m_pRestartManager->removeDelegateWithKey(kKeys[i]);
    }
    m_bRestartValuesRegistered = false;
}

void VornGameManager::setCheckpoint(const char* functionName)
{
    if (m_bIsRestoring)
    {
        return;
    }
    setCheckpointFunction(functionName ? functionName : "");
    if (m_pRestartManager)
    {
        m_pRestartManager->saveAll();
        m_bRestartStored = true;
    }
    // The saved and cached copies keep the name; a level load must not call it again by itself.
    m_sCheckpointFunction.clear();
    if (m_pHUD)
    {
        m_pHUD->showCheckpointDisplay();
    }
}

void VornGameManager::setRestartCheckpoint(const char* functionName)
{
    if (m_bIsRestoring)
    {
        return;
    }
    setCheckpointFunction(functionName ? functionName : "");
    if (m_pRestartManager)
    {
        m_pRestartManager->storeAll();
        m_bRestartStored = true;
    }
}

void VornGameManager::restoreCheckpoint(bool fromSave)
{
    m_bIsRestoring = true;
    m_bRestoringFromSave = fromSave;
    m_bSavedGameRefused = false;
    if (m_pRestartManager)
    {
        if (fromSave)
        {
            m_pRestartManager->loadAll();
        }
        else
        {
            m_pRestartManager->restoreAll();
        }
    }
    if (!m_sCheckpointFunction.empty() && !m_bSavedGameRefused)
    {
        CCLog("Restoring checkpoint via Lua function '%s'", m_sCheckpointFunction.c_str());
        // Saved text names the function: only one the level's own script defines is called.
        if (m_pScriptEngine && m_pScriptEngine->hasScriptFunction(m_sCheckpointFunction.c_str()))
        {
            m_pScriptEngine->callGlobalFunction(m_sCheckpointFunction.c_str(), true);
        }
        else
        {
            CCLog("ERROR: VornGameManager::restoreCheckpoint - '%s' is not a function of the level's script",
                  m_sCheckpointFunction.c_str());
            m_bSavedGameRefused = m_bSavedGameRefused || fromSave;
        }
    }
    m_bIsRestoring = false;
    m_bRestoringFromSave = false;
    setPaused(false);
    if (m_bSavedGameRefused)
    {
        startAfreshFromRefusedSave();
    }
}

bool VornGameManager::isGameLevelName(const std::string& name)
{
    CCArray* lists[] = { m_pLevelManager ? m_pLevelManager->getLevels() : NULL,
                         ArenaModeHelper::sharedArenaModeHelper() ? ArenaModeHelper::sharedArenaModeHelper()->getArenas()
                                                                  : NULL };
    for (CCArray* list : lists)
    {
        CCObject* entry = NULL;
        CCARRAY_FOREACH(list, entry)
        {
            CCDictionary* level = dynamic_cast<CCDictionary*>(entry);
            CCString* levelName = level ? dynamic_cast<CCString*>(level->objectForKey("LevelName")) : NULL;
            if (levelName && name == levelName->getCString())
            {
                return true;
            }
        }
    }
    return false;
}

void VornGameManager::refuseSavedName(const char* key, const std::string& name)
{
    CCLog("ERROR: VornGameManager - the saved %s '%s' is not part of the game; refused", key ? key : "value",
          name.c_str());
    m_bSavedGameRefused = m_bSavedGameRefused || m_bRestoringFromSave;
}

bool VornGameManager::isGameCharacterFile(const std::string& name)
{
    static const std::string kSuffix = ".plist";
    if (name.size() <= kSuffix.size() || name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
    {
        return false;
    }
    const std::string character = name.substr(0, name.size() - kSuffix.size());
    if (name == kDefaultPlayerDesc ||
        (m_pPlayerCharacterSetups && m_pPlayerCharacterSetups->getSetups() &&
         m_pPlayerCharacterSetups->getSetups()->objectForKey(character) != NULL))
    {
        return true;
    }
    ArenaModeHelper* arena = ArenaModeHelper::sharedArenaModeHelper();
    for (int i = 0; arena && i < arena->getNumCharacters(); ++i)
    {
        const char* type = arena->getCharacterType(i);
        if (type && character == type)
        {
            return true;
        }
    }
    return false;
}

bool VornGameManager::isGameBackdropName(const std::string& name)
{
    if (name == kDefaultBackdrop)
    {
        return true;
    }
    if (!CCFileUtils::isConfinedName(name))
    {
        return false;
    }
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    return files->isFileExist(files->fullPathForFilename((name + ".ccbi").c_str()));
}

// A save that names something outside the game runs nothing: it is kept for the player to look
// at, its checkpoint dropped, and the story starts from its beginning.
void VornGameManager::startAfreshFromRefusedSave()
{
    m_bSavedGameRefused = false;
    std::string kept = CCUserDefault::sharedUserDefault()->keepCopyAside("refused");
    CCLog("ERROR: The saved checkpoint names what is not part of the game; %s%sthe story starts afresh.",
          kept.empty() ? "" : "the save was kept as ", kept.empty() ? "" : (kept + "; ").c_str());
    if (m_pRestartManager)
    {
        m_pRestartManager->setHasCheckpoint(false);
    }
    m_bRestartStored = false;
    int difficulty = m_nStoryDifficultyLevel;
    if (difficulty < kDifficulty_Easy || difficulty >= kDifficulty_MAX)
    {
        difficulty = kDifficulty_Easy;
    }
    setStoryDifficultyLevel(difficulty);
    beginNewGame();
}

void VornGameManager::resetStoryMode()
{
    if (m_pRestartManager)
    {
        m_pRestartManager->setHasCheckpoint(false);
    }
}

// ---- Timers and triggers ----

void VornGameManager::startTimer(float seconds, const char* functionName, bool continuous)
{
    m_pTimers->addObject(TimedTrigger::createWithName(m_pScriptEngine, seconds, functionName, continuous));
}

void VornGameManager::startTimer(float seconds, int functionIndex, bool continuous)
{
    if (m_pScriptEngine == NULL)
    {
        return;
    }
    int ref = m_pScriptEngine->createFunctionRef(functionIndex);
    if (ref == VORNSCRIPTREF_NULL)
    {
        CCLog("VornGameManager::startTimer - no function at stack index %d", functionIndex);
        return;
    }
    m_pTimers->addObject(TimedTrigger::createWithRef(m_pScriptEngine, seconds, ref, continuous));
}

void VornGameManager::updateTimers(float dt)
{
    if (m_pTimers->count() == 0)
    {
        return;
    }
    // The called functions may start or drop timers (or the level): walk a retained copy.
    CCArray* snapshot = CCArray::createWithArray(m_pTimers);
    CCArray* done = CCArray::create();
    CCObject* object = NULL;
    CCARRAY_FOREACH(snapshot, object)
    {
        TimedTrigger* timer = static_cast<TimedTrigger*>(object);
        if (timer->advance(dt))
        {
            done->addObject(timer);
        }
    }
    CCARRAY_FOREACH(done, object)
    {
        m_pTimers->removeObject(object);
    }
}

float VornGameManager::getActorHeight(CCNode* actor)
{
    VornActor* fighter = dynamic_cast<VornActor*>(actor);
    return fighter ? fighter->getHeight() : 0.0f;
}

void VornGameManager::onTriggerHit(ActorComponent* actor, ActorComponent* trigger)
{
    CCNode* actorNode = actor ? actor->getOwner() : NULL;
    CCNode* triggerNode = trigger ? trigger->getOwner() : NULL;
    VornTrigger* levelTrigger = dynamic_cast<VornTrigger*>(triggerNode);
    if (actorNode == NULL || levelTrigger == NULL || levelTrigger->isTriggered())
    {
        return;
    }
    // The ground under the actor's middle, carried into the space the trigger's box is in.
    CCPoint foot(actorNode->getContentSize().width * 0.5f, -getActorHeight(actorNode));
    CCPoint local = triggerNode->convertToNodeSpace(actorNode->convertToWorldSpace(foot));
    CCPoint inParent = CCPointApplyAffineTransform(local, triggerNode->nodeToParentTransform());
    if (!triggerNode->boundingBox().containsPoint(inParent))
    {
        return;
    }
    // The handler may drop the stage (and the trigger with it).
    triggerNode->retain();
    levelTrigger->setTriggered(true);
    bool consumed = true;
    const std::string name = levelTrigger->getTriggerName();
    if (m_pScriptEngine && !name.empty())
    {
        m_pScriptEngine->callGlobalFunction(name.c_str(), triggerNode, 1.0f, &consumed);
    }
    levelTrigger->setTriggered(levelTrigger->getRepeatTrigger() ? false : consumed);
    triggerNode->release();
}

void VornGameManager::disableTriggers()
{
    CollisionList* triggers = getCollisionList(32);
    if (triggers == NULL)
    {
        return;
    }
    CollisionList::MemberList& members = triggers->getMembers();
    for (CollisionList::MemberList::iterator it = members.begin(); it != members.end(); ++it)
    {
        VornTrigger* levelTrigger = dynamic_cast<VornTrigger*>((*it)->getOwner());
        if (levelTrigger)
        {
            levelTrigger->setTriggered(true);
        }
    }
}

std::string VornGameManager::getTriggerStates()
{
    m_sTriggerStates.clear();
    CollisionList* triggers = getCollisionList(32);
    if (triggers)
    {
        CollisionList::MemberList& members = triggers->getMembers();
        for (CollisionList::MemberList::iterator it = members.begin(); it != members.end(); ++it)
        {
            VornTrigger* levelTrigger = dynamic_cast<VornTrigger*>((*it)->getOwner());
            m_sTriggerStates += levelTrigger && levelTrigger->isTriggered() ? '1' : '0';
        }
    }
    return m_sTriggerStates;
}

void VornGameManager::setTriggerStates(const std::string& states)
{
    m_sTriggerStates = states;
    CollisionList* triggers = getCollisionList(32);
    if (triggers == NULL)
    {
        return;
    }
    CollisionList::MemberList& members = triggers->getMembers();
    size_t i = 0;
    for (CollisionList::MemberList::iterator it = members.begin(); it != members.end() && i < states.size();
         ++it, ++i)
    {
        VornTrigger* levelTrigger = dynamic_cast<VornTrigger*>((*it)->getOwner());
        if (levelTrigger)
        {
            levelTrigger->setTriggered(states[i] == '1');
        }
    }
}

void VornGameManager::clearStageCollisions()
{
    static const int kStageLists[] = { 8, 32 };
    for (size_t i = 0; i < sizeof(kStageLists) / sizeof(kStageLists[0]); ++i)
    {
        CollisionList* list = getCollisionList(kStageLists[i]);
        if (list)
        {
            list->removeAllObjects();
        }
    }
}

CollisionList* VornGameManager::getCollisionList(int listId)
{
    return m_pCollisionManager ? m_pCollisionManager->getCollisionList(listId) : NULL;
}

// ---- Pause, difficulty, speed ----

bool VornGameManager::isScreenVisible(VornScreen* screen)
{
    return screen != NULL && screen->isVisible();
}

bool VornGameManager::canShowPauseScreen()
{
    return !isScreenVisible(m_pTitleScreen) && !isResultScreenShowing();
}

bool VornGameManager::isResultScreenShowing()
{
    return isScreenVisible(m_pGameOverScreen) || isScreenVisible(m_pStageCompleteScreen) ||
           isScreenVisible(m_pLevelUpScreen) || isScreenVisible(m_pArenaCompleteScreen);
}

void VornGameManager::togglePause()
{
    if (!canShowPauseScreen())
    {
        return;
    }
    if (isPaused())
    {
        resumeFromPause();
    }
    else if (!isScreenVisible(m_pGameOverScreen) && !isScreenVisible(m_pStageCompleteScreen))
    {
        setPaused(true);
    }
}

void VornGameManager::resumeFromPause()
{
    if (m_pPauseScreen && (m_pPauseScreen->isOpening() || m_pPauseScreen->isClosing()))
    {
        return;
    }
    if (m_pAchievementsManager)
    {
        m_pAchievementsManager->setAchievementProgress("achievement.grandor.pause_master", 1.0f);
    }
    setPaused(false);
}

void VornGameManager::onPauseButton()
{
    if (!isScreenVisible(m_pGameOverScreen) && !isScreenVisible(m_pStageCompleteScreen))
    {
        setPaused(true);
    }
}

void VornGameManager::applicationDidEnterBackground()
{
    GameManager::applicationDidEnterBackground();
    if (!isPaused() && canShowPauseScreen())
    {
        setPaused(true);
    }
}

void VornGameManager::setStoryDifficultyLevel(int level)
{
    m_nStoryDifficultyLevel = level;
    updateGameModSpeed();
}

void VornGameManager::updateGameModSpeed()
{
    float speed = 1.0f;
    if (m_nGameMode == kVornGameMode_Story)
    {
        if (m_nStoryDifficultyLevel == kDifficulty_Normal)
        {
            speed = 1.075f;
        }
        else if (m_nStoryDifficultyLevel == kDifficulty_Hard)
        {
            speed = 1.15f;
        }
    }
    setGameSpeedMod(speed);
}

float VornGameManager::getEnemyRPGProgress()
{
    if (m_nGameMode == kVornGameMode_Arena)
    {
        return 0.5f;
    }
    if (m_nStoryDifficultyLevel == kDifficulty_Normal)
    {
        return 0.5f;
    }
    if (m_nStoryDifficultyLevel == kDifficulty_Hard)
    {
        return 1.0f;
    }
    return 0.0f;
}

NS_CC_END
