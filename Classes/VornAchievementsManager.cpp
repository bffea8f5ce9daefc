#include "VornAchievementsManager.h"

#include "AchievementScreen.h"
#include "CCFileUtils.h"
#include "LocaleManager.h"
#include "TextHelpers.h"
#include "VornActor.h"
#include "VornActorDesc.h"
#include "VornDictionary.h"
#include "VornGameManager.h"
#include "VornPlayer.h"

NS_CC_BEGIN

const char* const VornAchievementsManager::kArenaCharactersFile = "arena-characters.plist";

VornAchievementsManager::VornAchievementsManager()
{
}

VornAchievementsManager::~VornAchievementsManager()
{
}

bool VornAchievementsManager::setAchievementProgress(const char* id, float progress)
{
    if (!AchievementsManager::setAchievementProgress(id, progress))
    {
        return false;
    }
    AchievementScreen* popups = AchievementScreen::sharedAchievementScreen();
    AchievementInfo* info = getAchievement(id);
    // Only the raise that completes it shows: progress never falls back below 1.
    if (progress >= 1.0f && popups && info)
    {
        LocaleManager* locale = LocaleManager::sharedLocaleManager();
        popups->queueAchievement(locale ? locale->localize(id) : id, info->getPostString().c_str());
    }
    return true;
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

void VornAchievementsManager::onRPGPointsIncreased(VornActorDesc* desc)
{
    if (!desc || !desc->hasMaxXPLevel())
    {
        return;
    }
    std::string id = "achievement.grandor.max_out_" + desc->getName();
    replaceAll(id, "-", "_");
    setAchievementProgress(id.c_str(), 1.0f);
    if (haveAllArenaCharactersMaxedOut())
    {
        setAchievementProgress("achievement.grandor.max_out_all", 1.0f);
    }
}

bool VornAchievementsManager::haveAllArenaCharactersMaxedOut()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    const char* path = CCFileUtils::sharedFileUtils()->fullPathFromRelativePath(kArenaCharactersFile);
    CCArray* characters = CCArray::createWithContentsOfFile(path);
    // No list means no characters to have maxed out, not all of them.
    if (!game || !characters || characters->count() == 0)
    {
        return false;
    }
    CCObject* object = NULL;
    CCARRAY_FOREACH(characters, object)
    {
        std::string character;
        if (!VornDictionary::getString(dynamic_cast<CCDictionary*>(object), "Character", &character))
        {
            return false;
        }
        VornActorDesc* other = game->actorDescWithFile((character + ".plist").c_str());
        if (!other || !other->hasMaxXPLevel())
        {
            return false;
        }
    }
    return true;
}

NS_CC_END
