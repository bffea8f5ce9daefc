#include "VornAchievementsManager.h"

#include "AchievementScreen.h"
#include "ArenaModeHelper.h"
#include "CCConsole.h"
#include "LocaleManager.h"
#include "TextHelpers.h"
#include "VornActor.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"

#include <cmath>
#include <cstdio>

NS_CC_BEGIN

namespace
{
const int kArenaTierCount = 5;
const float kArenaGamesSteps[kArenaTierCount] = { 0.04f, 0.02f, 0.01f, 0.004f, 0.002f };
const float kArenaTimeThresholds[kArenaTierCount] = { 60.0f, 120.0f, 180.0f, 240.0f, 300.0f };
} // namespace

VornAchievementsManager::VornAchievementsManager() : m_pGame(NULL)
{
}

VornAchievementsManager::~VornAchievementsManager()
{
    // Only a game manager that is still the live one has signals left to leave.
    if (m_pGame && VornGameManager::getSharedVornGameManager() == m_pGame)
    {
        m_pGame->getNewGameSignal().disconnect(this, &VornAchievementsManager::onContinuesReset);
        m_pGame->getContinueUsedSignal().disconnect(this, &VornAchievementsManager::onContinueUsed);
        m_pGame->getLevelLoadingSignal().disconnect(this, &VornAchievementsManager::onBetweenLevels);
        m_pGame->getQuitToTitleSignal().disconnect(this, &VornAchievementsManager::onBetweenLevels);
    }
}

bool VornAchievementsManager::initWithFile(const char* fileName)
{
    if (!AchievementsManager::initWithFile(fileName))
    {
        return false;
    }
    m_pGame = VornGameManager::getSharedVornGameManager();
    if (m_pGame)
    {
        m_pGame->getNewGameSignal().connect(this, &VornAchievementsManager::onContinuesReset);
        m_pGame->getContinueUsedSignal().connect(this, &VornAchievementsManager::onContinueUsed);
        m_pGame->getLevelLoadingSignal().connect(this, &VornAchievementsManager::onBetweenLevels);
        m_pGame->getQuitToTitleSignal().connect(this, &VornAchievementsManager::onBetweenLevels);
    }
    return true;
}

bool VornAchievementsManager::setAchievementProgress(const char* id, float progress)
{
    bool raised = AchievementsManager::setAchievementProgress(id, progress);
    // Only the one call that lifts it to complete gets here with a full request: one pop-up each.
    if (raised && progress >= 1.0f)
    {
        LocaleManager* locale = LocaleManager::sharedLocaleManager();
        const char* title = locale ? locale->localize(id) : id;
        AchievementInfo* info = getAchievement(id);
        std::string description = info ? info->getPostString() : std::string();
        queuePopup(title ? title : id, description.c_str());
    }
    return raised;
}

bool VornAchievementsManager::addAchievementProgress(const char* id, float delta)
{
    AchievementInfo* info = getAchievement(id);
    if (info == NULL)
    {
        return false;
    }
    float current = info->getProgress();
    float progress = addProgress(current, delta);
    if (delta > 0.0f)
    {
        // Progress made of whole steps is counted in steps: summing thousands of small floats
        // drifts by up to half a step, which would move the completing step.
        float steps = floorf(current / delta + 0.5f);
        if (fabsf(steps * delta - current) < delta * 0.25f)
        {
            progress = addProgress((steps + 1.0f) * delta, 0.0f);
        }
        if (progress + delta * 0.5f >= 1.0f)
        {
            progress = 1.0f;
        }
    }
    return setAchievementProgress(id, progress);
}

void VornAchievementsManager::queuePopup(const char* title, const char* description)
{
    AchievementScreen* popups = AchievementScreen::sharedAchievementScreen();
    if (popups)
    {
        popups->queueAchievement(title, description);
    }
    else
    {
        CCLog("Achievement complete: %s - %s", title, description);
    }
}

void VornAchievementsManager::onEnemyKilled(VornActor* actor)
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (!actor || (game && actor == (VornActor*)game->getPlayer()))
    {
        return;
    }
    addAchievementProgress("achievement.grandor.take_out_enemies_tier1", 0.01f);
    addAchievementProgress("achievement.grandor.take_out_enemies_tier2", 0.001f);
    addAchievementProgress("achievement.grandor.take_out_enemies_tier3", 0.0002f);
    addAchievementProgress("achievement.grandor.take_out_enemies_tier4", 0.0001f);
}

void VornAchievementsManager::onContinuesReset()
{
    setAchievementProgress("achievement.grandor.use_lots_of_continues", 0.0f);
}

void VornAchievementsManager::onContinueUsed()
{
    addAchievementProgress("achievement.grandor.use_lots_of_continues", 0.1f);
}

void VornAchievementsManager::onRPGPointsIncreased(VornActorDesc* desc)
{
    if (!desc || !desc->hasMaxXPLevel())
    {
        return;
    }
    std::string id = "achievement.grandor.max_out_" + desc->getName();
    replaceAll(id, "-", "_");
    setAchievementProgress(id.c_str(), 1.0f);
    checkMaxOutAll();
}

void VornAchievementsManager::checkMaxOutAll()
{
    if (haveAllArenaCharactersMaxedOut())
    {
        setAchievementProgress("achievement.grandor.max_out_all", 1.0f);
    }
}

void VornAchievementsManager::onLevelCompleted(int levelNumber)
{
    char id[64];
    snprintf(id, sizeof(id), "achievement.grandor.completed_level_%d", levelNumber);
    setAchievementProgress(id, 1.0f);
    saveProgress();
}

void VornAchievementsManager::onArenaEnded(float seconds)
{
    char id[64];
    for (int i = 0; i < kArenaTierCount; ++i)
    {
        snprintf(id, sizeof(id), "achievement.grandor.arena_num_games_tier_%d", i + 1);
        addAchievementProgress(id, kArenaGamesSteps[i]);
    }
    for (int i = 0; i < kArenaTierCount; ++i)
    {
        if (seconds >= kArenaTimeThresholds[i])
        {
            snprintf(id, sizeof(id), "achievement.grandor.arena_time_tier_%d", i + 1);
            setAchievementProgress(id, 1.0f);
        }
    }
    // The match is over: the fight's progress goes to disk now.
    saveProgress();
}

void VornAchievementsManager::onBetweenLevels()
{
    saveProgress();
}

bool VornAchievementsManager::haveAllArenaCharactersMaxedOut()
{
    ArenaModeHelper* arena = ArenaModeHelper::sharedArenaModeHelper();
    CCArray* descs = arena ? arena->getCharacterDescs() : NULL;
    // No characters means none to have maxed out, not all of them.
    if (descs == NULL || arena->getNumCharacters() == 0 || (int)descs->count() != arena->getNumCharacters())
    {
        return false;
    }
    CCObject* object = NULL;
    CCARRAY_FOREACH(descs, object)
    {
        VornActorDesc* desc = dynamic_cast<VornActorDesc*>(object);
        if (desc == NULL || !desc->hasMaxXPLevel())
        {
            return false;
        }
    }
    return true;
}

NS_CC_END
