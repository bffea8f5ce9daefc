#include "OnlineManager.h"

#include "CCConsole.h"
#include "CCFileUtils.h"
#include "CCString.h"
#include "GameManager.h"
#include "OnlineHandler_Steamworks.h"
#include "SetupManager.h"
#include "SystemManager.h"

#include <cstring>

NS_CC_BEGIN

static const char* const kAchievementIDsFile = "achievements.plist";
static const char* const kLeaderboardIDsFile = "leaderboards.plist";

static CCDictionary* readIdentifierFile(const char* fileName)
{
    std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathFromRelativePath(fileName);
    CCDictionary* ids = CCDictionary::createWithContentsOfFile(fullPath.c_str());
    if (ids == NULL)
    {
        CCLog("OnlineManager::init - unable to read %s, no online ids!", fileName);
    }
    return ids;
}

// The inner dictionary's string under handlerName, from the outer entry under id.
static const char* lookUpID(CCDictionary* ids, const char* id, const char* handlerName)
{
    if (ids == NULL || id == NULL || handlerName == NULL)
    {
        return NULL;
    }
    CCDictionary* services = dynamic_cast<CCDictionary*>(ids->objectForKey(std::string(id)));
    if (services == NULL)
    {
        return NULL;
    }
    CCString* serviceID = dynamic_cast<CCString*>(services->objectForKey(std::string(handlerName)));
    return serviceID ? serviceID->getCString() : NULL;
}

OnlineManager::OnlineManager()
    : m_pAchievementIDs(NULL),
      m_pLeaderboardIDs(NULL),
      m_pHandlers(NULL),
      m_pJoinedGameManager(NULL),
      m_pJoinedSystemManager(NULL)
{
}

OnlineManager::~OnlineManager()
{
    leaveSignals();
    // Handlers may outlive us (someone else may hold them): they must not call back into us.
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pHandlers, object)
    {
        static_cast<OnlineHandler*>(object)->setOnlineManager(NULL);
    }
    CC_SAFE_RELEASE(m_pHandlers);
    CC_SAFE_RELEASE(m_pAchievementIDs);
    CC_SAFE_RELEASE(m_pLeaderboardIDs);
}

OnlineManager* OnlineManager::create()
{
    OnlineManager* manager = new OnlineManager();
    if (manager->init())
    {
        manager->autorelease();
        return manager;
    }
    delete manager;
    return NULL;
}

bool OnlineManager::init()
{
    setLeaderboardIDs(readIdentifierFile(kLeaderboardIDsFile));
    setAchievementIDs(readIdentifierFile(kAchievementIDsFile));
    setHandlers(CCArray::create());

    OnlineHandler_Steamworks* steam = new OnlineHandler_Steamworks();
    steam->autorelease();
    if (!addHandler(steam))
    {
        return false;
    }

    leaveSignals();
    GameManager* gameManager = GameManager::getInstance();
    if (gameManager != NULL)
    {
        gameManager->getGameReadySignal().connect(this, &OnlineManager::onGameStart);
        m_pJoinedGameManager = gameManager;
        SystemManager* system = gameManager->getSystemManager();
        if (system != NULL)
        {
            system->getQuitSignal().connect(this, &OnlineManager::onQuit);
            system->retain();
            m_pJoinedSystemManager = system;
        }
    }
    return true;
}

void OnlineManager::leaveSignals()
{
    // The game manager owns us, so it is gone only if it is no longer the instance.
    if (m_pJoinedGameManager != NULL && m_pJoinedGameManager == GameManager::getInstance())
    {
        m_pJoinedGameManager->getGameReadySignal().disconnect(this, &OnlineManager::onGameStart);
    }
    m_pJoinedGameManager = NULL;
    if (m_pJoinedSystemManager != NULL)
    {
        m_pJoinedSystemManager->getQuitSignal().disconnect(this, &OnlineManager::onQuit);
        m_pJoinedSystemManager->release();
        m_pJoinedSystemManager = NULL;
    }
}

bool OnlineManager::addHandler(OnlineHandler* handler)
{
    if (handler == NULL || m_pHandlers == NULL)
    {
        return true;
    }
    SetupManager* setup = SetupManager::sharedSetupManager();
    if (setup == NULL || !setup->isOnlineHandlerEnabled(handler->getName()))
    {
        return true;
    }
    handler->setOnlineManager(this);
    if (!handler->init())
    {
        CCLog("OnlineManager::init - the %s handler failed to start!", handler->getName());
        handler->setOnlineManager(NULL);
        return false;
    }
    m_pHandlers->addObject(handler);
    return true;
}

bool OnlineManager::anyHandler(bool (OnlineHandler::*query)())
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pHandlers, object)
    {
        if ((static_cast<OnlineHandler*>(object)->*query)())
        {
            return true;
        }
    }
    return false;
}

bool OnlineManager::isConnected()
{
    return anyHandler(&OnlineHandler::isConnected);
}

bool OnlineManager::canShowAchievements()
{
    return anyHandler(&OnlineHandler::canShowAchievements);
}

bool OnlineManager::canShowLeaderboards()
{
    return anyHandler(&OnlineHandler::canShowLeaderboards);
}

void OnlineManager::showLeaderboards()
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pHandlers, object)
    {
        static_cast<OnlineHandler*>(object)->showLeaderboards();
    }
}

void OnlineManager::showLeaderboard(const char* leaderboardId)
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pHandlers, object)
    {
        static_cast<OnlineHandler*>(object)->showLeaderboard(leaderboardId);
    }
}

void OnlineManager::submitScore(const char* leaderboardId, int score)
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pHandlers, object)
    {
        static_cast<OnlineHandler*>(object)->submitScore(leaderboardId, score);
    }
}

void OnlineManager::setAchievementProgress(const char* achievementId, float progress)
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pHandlers, object)
    {
        static_cast<OnlineHandler*>(object)->setAchievementProgress(achievementId, progress);
    }
}

const char* OnlineManager::getAchievementID(const char* achievementId, const char* handlerName)
{
    return lookUpID(m_pAchievementIDs, achievementId, handlerName);
}

const char* OnlineManager::getLeaderboardID(const char* leaderboardId, const char* handlerName)
{
    return lookUpID(m_pLeaderboardIDs, leaderboardId, handlerName);
}

void OnlineManager::connectGooglePlayServices()
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pHandlers, object)
    {
        OnlineHandler* handler = static_cast<OnlineHandler*>(object);
        const char* name = handler->getName();
        if (name != NULL && strcmp(name, "GooglePlayServices") == 0)
        {
            handler->connect();
        }
    }
}

void OnlineManager::onGameStart()
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pHandlers, object)
    {
        OnlineHandler* handler = static_cast<OnlineHandler*>(object);
        if (handler->connectsOnGameStart())
        {
            handler->connect();
        }
    }
}

void OnlineManager::onQuit()
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pHandlers, object)
    {
        static_cast<OnlineHandler*>(object)->shutdown();
    }
}

void OnlineManager::setAchievementIDs(CCDictionary* ids)
{
    CC_SAFE_RETAIN(ids);
    CC_SAFE_RELEASE(m_pAchievementIDs);
    m_pAchievementIDs = ids;
}

void OnlineManager::setLeaderboardIDs(CCDictionary* ids)
{
    CC_SAFE_RETAIN(ids);
    CC_SAFE_RELEASE(m_pLeaderboardIDs);
    m_pLeaderboardIDs = ids;
}

void OnlineManager::setHandlers(CCArray* handlers)
{
    CC_SAFE_RETAIN(handlers);
    CC_SAFE_RELEASE(m_pHandlers);
    m_pHandlers = handlers;
}

NS_CC_END
