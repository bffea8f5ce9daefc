#include "OnlineHandler.h"

#include "AchievementsManager.h"
#include "GameManager.h"
#include "HighScoreManager.h"
#include "OnlineManager.h"

NS_CC_BEGIN

void OnlineHandler::shutdown()
{
    m_bConnected = false;
    if (m_pManager != NULL)
    {
        m_pManager->getHandlerDisconnectedSignal().emit(this);
    }
}

void OnlineHandler::onConnected()
{
    m_bConnected = true;
    // Keep ourselves alive: a subscriber may drop the manager and with it this handler.
    retain();
    if (m_pManager != NULL)
    {
        m_pManager->getHandlerConnectedSignal().emit(this);
    }

    // Progress made while offline reaches the service now.
    CCDictionary* achievementIDs = m_pManager ? m_pManager->getAchievementIDs() : NULL;
    AchievementsManager* achievements = AchievementsManager::sharedAchievementsManager();
    if (achievementIDs != NULL && achievements != NULL)
    {
        CCDictElement* element = NULL;
        CCDICT_FOREACH(achievementIDs, element)
        {
            AchievementInfo* info = achievements->getAchievement(element->getStrKey());
            if (info != NULL && info->getProgress() > 0.0f)
            {
                setAchievementProgress(element->getStrKey(), info->getProgress());
            }
        }
    }

    GameManager* gameManager = GameManager::getInstance();
    HighScoreManager* highScores = gameManager ? gameManager->getHighScoreManager() : NULL;
    if (highScores != NULL)
    {
        CCObject* object = NULL;
        CCARRAY_FOREACH(highScores->getTables(), object)
        {
            HighScoreTable* table = static_cast<HighScoreTable*>(object);
            int best = table->getBestScore();
            if (best > 0)
            {
                submitScore(table->getKey().c_str(), best);
            }
        }
    }
    release();
}

NS_CC_END
