#include "AchievementsManager.h"

#include "CCConsole.h"
#include "CCFileUtils.h"
#include "CCUserDefault.h"
#include "GameManager.h"
#include "OnlineManager.h"

NS_CC_BEGIN

static AchievementsManager* s_sharedAchievementsManager = NULL;

static float clampProgress(float progress)
{
    // Written so that a NaN ends up as 0 rather than slipping through.
    if (!(progress > 0.0f))
    {
        return 0.0f;
    }
    return progress < 1.0f ? progress : 1.0f;
}

AchievementsManager::AchievementsManager()
    : m_pAchievements(NULL),
      m_pDefinitions(NULL),
      m_bFlag(false),
      m_bUnsaved(false),
      m_pJoinedGameManager(NULL)
{
    s_sharedAchievementsManager = this;
}

AchievementsManager::~AchievementsManager()
{
    if (s_sharedAchievementsManager == this)
    {
        s_sharedAchievementsManager = NULL;
    }
    // What is unsaved stays in the store, which writes it at its next flush or purge.
    leaveSafePoints();
    CC_SAFE_RELEASE(m_pAchievements);
    CC_SAFE_RELEASE(m_pDefinitions);
}

AchievementsManager* AchievementsManager::sharedAchievementsManager()
{
    return s_sharedAchievementsManager;
}

bool AchievementsManager::initWithFile(const char* fileName)
{
    if (!CCLayer::init())
    {
        return false;
    }
    setAchievements(CCDictionary::create());
    joinSafePoints();
    CCDictionary* definitions = NULL;
    if (fileName != NULL)
    {
        std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathFromRelativePath(fileName);
        definitions = CCDictionary::createWithContentsOfFile(fullPath.c_str());
    }
    setDefinitions(definitions);
    if (definitions == NULL)
    {
        CCLog("AchievementsManager::initWithFile - unable to read %s, no achievements!", fileName ? fileName : "(null)");
        return true;
    }
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    CCDictElement* element = NULL;
    CCDICT_FOREACH(definitions, element)
    {
        const char* id = element->getStrKey();
        float progress = store->getFloatForKey(id, 0.0f);
        m_pAchievements->setObject(AchievementInfo::create(id, progress), id);
    }
    return true;
}

AchievementInfo* AchievementsManager::getAchievement(const char* id)
{
    if (id == NULL || m_pAchievements == NULL)
    {
        return NULL;
    }
    return dynamic_cast<AchievementInfo*>(m_pAchievements->objectForKey(std::string(id)));
}

bool AchievementsManager::setAchievementProgress(const char* id, float progress)
{
    float p = clampProgress(progress);
    AchievementInfo* info = getAchievement(id);
    if (info == NULL || !(p > info->getProgress()))
    {
        return false;
    }
    // Into the store before anyone hears of it. A rise waits for a safe point to reach the disk;
    // an unlock goes now, on the background writer's thread so the fight does not wait for the
    // disk (the store reports a failed write itself and counts as unsaved again).
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    store->setFloatForKey(id, p);
    m_bUnsaved = p < 1.0f || !store->flushInBackground();
    info->setProgress(p);
    GameManager* gameManager = GameManager::getInstance();
    OnlineManager* online = gameManager ? gameManager->getOnlineManager() : NULL;
    if (online != NULL)
    {
        online->setAchievementProgress(id, p);
    }
    return true;
}

bool AchievementsManager::addAchievementProgress(const char* id, float delta)
{
    AchievementInfo* info = getAchievement(id);
    if (info == NULL)
    {
        return false;
    }
    return setAchievementProgress(id, addProgress(info->getProgress(), delta));
}

bool AchievementsManager::saveProgress()
{
    if (!m_bUnsaved)
    {
        return true;
    }
    if (!CCUserDefault::sharedUserDefault()->flush())
    {
        CCLog("AchievementsManager::saveProgress - unable to save the achievements' progress!");
        return false;
    }
    m_bUnsaved = false;
    return true;
}

void AchievementsManager::joinSafePoints()
{
    leaveSafePoints();
    GameManager* gameManager = GameManager::getInstance();
    if (gameManager == NULL)
    {
        return;
    }
    gameManager->getPausedSignal().connect(this, &AchievementsManager::onPaused);
    gameManager->getEnterBackgroundSignal().connect(this, &AchievementsManager::onSafePoint);
    m_pJoinedGameManager = gameManager;
}

void AchievementsManager::leaveSafePoints()
{
    // The game manager owns us, so it is gone only if it is no longer the instance.
    if (m_pJoinedGameManager != NULL && m_pJoinedGameManager == GameManager::getInstance())
    {
        m_pJoinedGameManager->getPausedSignal().disconnect(this, &AchievementsManager::onPaused);
        m_pJoinedGameManager->getEnterBackgroundSignal().disconnect(this, &AchievementsManager::onSafePoint);
    }
    m_pJoinedGameManager = NULL;
}

void AchievementsManager::onPaused(bool paused)
{
    if (paused)
    {
        saveProgress();
    }
}

void AchievementsManager::onSafePoint()
{
    saveProgress();
}

float AchievementsManager::addProgress(float progress, float delta)
{
    float sum = progress + delta;
    return clampProgress(sum);
}

bool AchievementsManager::isAchievementUnlocked(const char* id)
{
    AchievementInfo* info = getAchievement(id);
    return info != NULL && info->getProgress() >= 1.0f;
}

void AchievementsManager::resetAllAchievements()
{
    if (m_pAchievements == NULL)
    {
        return;
    }
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    CCDictElement* element = NULL;
    CCDICT_FOREACH(m_pAchievements, element)
    {
        static_cast<AchievementInfo*>(element->getObject())->setProgress(0.0f);
        store->setFloatForKey(element->getStrKey(), 0.0f);
    }
    if (store->flush())
    {
        m_bUnsaved = false;
    }
}

void AchievementsManager::setAchievements(CCDictionary* achievements)
{
    CC_SAFE_RETAIN(achievements);
    CC_SAFE_RELEASE(m_pAchievements);
    m_pAchievements = achievements;
}

void AchievementsManager::setDefinitions(CCDictionary* definitions)
{
    CC_SAFE_RETAIN(definitions);
    CC_SAFE_RELEASE(m_pDefinitions);
    m_pDefinitions = definitions;
}

NS_CC_END
