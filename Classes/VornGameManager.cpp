#include "VornGameManager.h"

#include "CCFileUtils.h"
#include "CCNode.h"
#include "CCObjectPool.h"
#include "CCConsole.h"
#include "CharacterSetups.h"
#include "SFXManager.h"
#include "VornAchievementsManager.h"
#include "VornActorDesc.h"
#include "VornGameTypes.h"

NS_CC_BEGIN

const float VornGameManager::kMaxFrameTime = 1.0f / 15.0f;

VornGameManager::VornGameManager()
    : m_pSFXManager(NULL),
      m_pAchievementsManager(NULL),
      m_pPlayerCharacterSetups(NULL),
      m_pEnemyCharacterSetups(NULL),
      m_pActorDescs(new CCDictionary()),
      m_pActorNode(NULL),
      m_pImpactPool(NULL),
      m_nGameMode(kVornGameMode_Story),
      m_nStoryDifficultyLevel(kDifficulty_Easy)
{
    // Nothing plays until a level starts.
    m_bPaused = true;
}

VornGameManager::~VornGameManager()
{
    CC_SAFE_RELEASE(m_pImpactPool);
    CC_SAFE_RELEASE(m_pActorNode);
    CC_SAFE_RELEASE(m_pActorDescs);
    CC_SAFE_RELEASE(m_pPlayerCharacterSetups);
    CC_SAFE_RELEASE(m_pEnemyCharacterSetups);
    CC_SAFE_RELEASE(m_pAchievementsManager);
    CC_SAFE_RELEASE(m_pSFXManager);
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
    if (!GameManager::init(NULL))
    {
        return false;
    }
    // Menus and actors find it through the shared accessor; it ticks on the update signal.
    m_pSFXManager = new SFXManager();
    m_pSFXManager->init();
    return true;
}

void VornGameManager::tick(float dt)
{
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

void VornGameManager::setImpactPool(CCObjectPool* pool)
{
    CC_SAFE_RETAIN(pool);
    CC_SAFE_RELEASE(m_pImpactPool);
    m_pImpactPool = pool;
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

NS_CC_END
