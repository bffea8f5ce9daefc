#include "VornGameManager.h"

#include "BotManager.h"
#include "CCArray.h"
#include "CCConsole.h"
#include "CCDirector.h"
#include "CCFileUtils.h"
#include "CCConsole.h"
#include "CCNode.h"
#include "CCObjectPool.h"
#include "CharacterSetups.h"
#include "LevelManager.h"
#include "MusicManager.h"
#include "CollisionManager.h"
#include "SFXManager.h"
#include "SplashScreen.h"
#include "SystemManager.h"
#include "VornAchievementsManager.h"
#include "VornActorDesc.h"
#include "VornHighScoreManager.h"
#include "VornBackdrop.h"
#include "VornGameTypes.h"
#include "VornImpact.h"
#include "VornScreen.h"

NS_CC_BEGIN

const float VornGameManager::kMaxFrameTime = 1.0f / 15.0f;

namespace
{
enum
{
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
      m_pBackground(NULL),
      m_pImpactPool(NULL),
      m_pBotManager(NULL)
{
    // Nothing plays until a level starts.
    m_bPaused = true;
}

VornGameManager::~VornGameManager()
{
    setBackground(NULL);
    CC_SAFE_RELEASE_NULL(m_pBotManager);
    releaseImpactPool();
    CC_SAFE_RELEASE(m_pActorNode);
    // Only while it is still our child is it sure to be alive.
    if (m_pSplashScreen && getChildren() && getChildren()->containsObject(m_pSplashScreen))
    {
        m_pSplashScreen->getOpenedSignal().disconnect(this, &VornGameManager::onSplashFinished);
    }
    CC_SAFE_RELEASE(m_pActorDescs);
    CC_SAFE_RELEASE(m_pPlayerCharacterSetups);
    CC_SAFE_RELEASE(m_pEnemyCharacterSetups);
    CC_SAFE_RELEASE(m_pAchievementsManager);
    CC_SAFE_RELEASE(m_pSFXManager);
    CC_SAFE_RELEASE(m_pMusicManager);
    CC_SAFE_RELEASE(m_pLevelManager);
    // The framework only borrows the game's high-score manager.
    CC_SAFE_RELEASE(m_pHighScoreManager);
    m_pHighScoreManager = NULL;
}

void VornGameManager::setLevelManager(LevelManager* manager)
{
    CC_SAFE_RETAIN(manager);
    CC_SAFE_RELEASE(m_pLevelManager);
    m_pLevelManager = manager;
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
    m_pAchievementsManager = new VornAchievementsManager();
    if (!m_pAchievementsManager->initWithFile("achievements.plist"))
    {
        return false;
    }
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
    m_pSFXManager->init();

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

bool VornGameManager::initMain1()
{
    initGameLayer();
    setPlayerCharacterSetups(CharacterSetups::create("character-setup-player.csv"));
    setEnemyCharacterSetups(CharacterSetups::create("character-setup-enemy.csv"));
    if (!initCollisionLists())
    {
        return false;
    }
    // The actors live in one node of the game layer, depth-sorted every frame.
    setActorNode(CCNode::create());
    getGameLayer()->addChild(m_pActorNode, 0);
    m_pBotManager = new BotManager();
    if (!m_pBotManager->init(kBotPoolSize))
    {
        CCLog("Failed to create BotManager!\n");
        return false;
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
    // Nothing of the world shows before a level starts.
    setIsGameLayerVisible(false);
    return true;
}

bool VornGameManager::initMain2()
{
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

void VornGameManager::tick(float dt)
{
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
            initMain1();
        }
        else if (m_nBootState == kBootState_Ready)
        {
            initMain2();
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

void VornGameManager::applicationDidEnterBackground()
{
    GameManager::applicationDidEnterBackground();
}

bool VornGameManager::canShowPauseScreen()
{
    return true;
}

void VornGameManager::togglePause()
{
    if (!canShowPauseScreen())
    {
        return;
    }
    if (isPaused())
    {
        if (m_pAchievementsManager != NULL)
        {
            m_pAchievementsManager->setAchievementProgress("achievement.grandor.pause_master", 1.0f);
        }
        setPaused(false);
    }
    else
    {
        setPaused(true);
    }
}

NS_CC_END
