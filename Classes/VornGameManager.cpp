#include "VornGameManager.h"

#include "CCArray.h"
#include "CCFileUtils.h"
#include "CCObjectPool.h"
#include "CollisionManager.h"
#include "SFXManager.h"
#include "VornBackdrop.h"
#include "VornImpact.h"

NS_CC_BEGIN

const float VornGameManager::kMaxFrameTime = 1.0f / 15.0f;

VornGameManager::VornGameManager() : m_pSFXManager(NULL), m_pBackground(NULL), m_pImpactPool(NULL)
{
    // Nothing plays until a level starts.
    m_bPaused = true;
}

VornGameManager::~VornGameManager()
{
    setBackground(NULL);
    releaseImpactPool();
    CC_SAFE_RELEASE(m_pSFXManager);
}

VornGameManager* VornGameManager::getSharedVornGameManager()
{
    return dynamic_cast<VornGameManager*>(GameManager::getInstance());
}

bool VornGameManager::initVornGameManager()
{
    CCFileUtils::sharedFileUtils()->setWritablePathAppName("TULMEK");
    if (!GameManager::init(NULL))
    {
        return false;
    }
    // Menus and actors find it through the shared accessor; it ticks on the update signal.
    m_pSFXManager = new SFXManager();
    m_pSFXManager->init();
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
    if (dt > kMaxFrameTime)
    {
        dt = kMaxFrameTime;
    }
    GameManager::tick(dt);
}

void VornGameManager::applicationDidEnterBackground()
{
    GameManager::applicationDidEnterBackground();
}

NS_CC_END
