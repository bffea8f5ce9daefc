#include "VornActorDesc.h"

#include "CCConsole.h"
#include "CCFileUtils.h"
#include "CCSpriteFrame.h"
#include "CCTextureCache.h"
#include "CCUserDefault.h"
#include "SFXManager.h"
#include "VornAchievementsManager.h"
#include "VornActionDesc.h"
#include "VornGameManager.h"
#include "VornRPGStats.h"

#include <algorithm>
#include <cstdlib>

NS_CC_BEGIN

namespace
{
const std::vector<VornActionDesc*> kNoActions;

void saveInt(CCUserDefault* store, const std::string& key, int value)
{
    store->setIntegerForKey(key.c_str(), value);
}
} // namespace

VornActorDesc::VornActorDesc()
    : m_bCanFallOver(true),
      m_pActions(NULL),
      m_nXPPoints(0),
      m_nXPPointsSinceUpgrade(0),
      m_fHealthRegen(0.0f),
      m_fMass(1.0f),
      m_fGravity(-9.0f),
      m_bounds(0.0f, 0.0f),
      m_anchorPoint(0.0f, 0.0f),
      m_pShadowTexture(NULL),
      m_nRandomColourMod(0),
      m_bUseMonoRandomColour(true),
      m_pScriptEngine(NULL),
      m_pPlayerStats(NULL),
      m_pEnemyStats(NULL),
      m_nBaseDepth(0),
      m_pNames(NULL),
      m_bBotEngineFailed(false)
{
    for (int i = 0; i < kRPG_MAX; ++i)
    {
        m_minRPGPoints[i] = 0;
        m_maxRPGPoints[i] = MAX_NUM_RPG_LEVELS - 1;
        m_numRPGPoints[i] = 0;
    }
    for (int i = 0; i < kXPLevelTableSize; ++i)
    {
        m_XPLevelTable[i] = 0;
    }
}

VornActorDesc::~VornActorDesc()
{
    setScriptEngine(NULL);
    for (int t = 0; t < kVAT_MAX; ++t)
    {
        setActionsForType(t, kNoActions);
    }
    // Actions point at each other (follow-ups); cut those links so every action can go.
    CCDictElement* element = NULL;
    CCDICT_FOREACH(m_pActions, element)
    {
        static_cast<VornActionDesc*>(element->getObject())->releaseLinks();
    }
    setActions(NULL);
    CC_SAFE_RELEASE(m_pNames);
    setShadowTexture(NULL);
    setPlayerStats(NULL);
    setEnemyStats(NULL);
}

bool VornActorDesc::initWithFile(const char* fileName)
{
    if (!fileName)
    {
        return false;
    }
    const char* path = CCFileUtils::sharedFileUtils()->fullPathFromRelativePath(fileName);
    CCDictionary* dict = CCDictionary::createWithContentsOfFileThreadSafe(path);
    if (!dict)
    {
        return false;
    }
    bool loaded = initWithDictionary(dict, fileName);
    dict->release();
    return loaded;
}

bool VornActorDesc::initWithDictionary(CCDictionary* dict, std::string fileName)
{
    std::string baseName;
    if (VornDictionary::getString(dict, "BaseDesc", &baseName))
    {
        // The base fills everything first, with this list's prefix already in place for its frames.
        VornDictionary::getString(dict, "SpritePrefix", &m_spritePrefix);
        bool baseLoaded = false;
        if (m_nBaseDepth < kMaxBaseDepth)
        {
            ++m_nBaseDepth;
            // The base is named by content: only a file of the game's resources.
            const std::string baseFile = baseName + ".plist";
            baseLoaded = !CCFileUtils::sharedFileUtils()
                              ->fullPathForContentName(baseFile, "VornActorDesc BaseDesc")
                              .empty() &&
                         initWithFile(baseFile.c_str());
            --m_nBaseDepth;
        }
        if (!baseLoaded)
        {
            CCLog("VornActorDesc::initWithDictionary - base '%s' not loaded for '%s'\n", baseName.c_str(),
                  fileName.c_str());
        }
    }

    // Every kind's enemy script runs in a state of its own.
    VornScriptEngine* scripts = new VornScriptEngine();
    setScriptEngine(scripts);
    scripts->release();

    m_fileName = fileName;
    m_name = fileName.substr(0, fileName.find(".plist"));

    initStats();
    loadRPGPoints();

    CCArray* names = NULL;
    if (!VornDictionary::getArray(dict, "Names", &names))
    {
        CCLog("VornActorDesc::initWithDictionary - Unable to get 'Names' values\n");
        return false;
    }
    CC_SAFE_RELEASE(m_pNames);
    m_pNames = names;

    VornDictionary::getString(dict, "DefaultAttackHitSFX", &m_defaultAttackHitSFX);
    VornDictionary::getString(dict, "DieSFX", &m_dieSFX);
    VornDictionary::getBool(dict, "CanFallOver", &m_bCanFallOver);
    VornDictionary::getFloat(dict, "HealthRegen", &m_fHealthRegen);
    VornDictionary::getPoint(dict, "AnchorPoint", &m_anchorPoint);
    VornDictionary::getFloat(dict, "Mass", &m_fMass);
    VornDictionary::getFloat(dict, "Gravity", &m_fGravity);
    VornDictionary::getSize(dict, "Bounds", &m_bounds);
    VornDictionary::getInt(dict, "RandomColourMod", &m_nRandomColourMod);
    VornDictionary::getBool(dict, "UseMonoRandomColour", &m_bUseMonoRandomColour);

    std::string sheet;
    if (VornDictionary::getString(dict, "SpriteSheet", &sheet))
    {
        VornActionDesc loader;
        bool loaded = loader.initSpriteSheet(sheet.c_str());
        // A derived kind draws from its own copy of the sheet, named with its prefix.
        if (loaded && !m_spritePrefix.empty())
        {
            loaded = loader.initSpriteSheet((m_spritePrefix + sheet).c_str());
        }
        if (!loaded)
        {
            CCLog("VornActionDesc::initWithDictionary - Error loading spritesheet '%s'\n", sheet.c_str());
            return false;
        }
    }

    CCDictionary* actions = dict ? dynamic_cast<CCDictionary*>(dict->objectForKey("Actions")) : NULL;
    if (actions && !initActions(actions))
    {
        return false;
    }

    initActionTypeLists(dict);

    std::string shadow;
    if (VornDictionary::getString(dict, "Shadow", &shadow) &&
        !CCFileUtils::sharedFileUtils()->fullPathForContentName(shadow + ".png", "VornActorDesc Shadow").empty())
    {
        setShadowTexture(NULL);
        setShadowTexture(CCTextureCache::sharedTextureCache()->addImage((shadow + ".png").c_str()));
    }

    // A derived kind without a script of its own keeps its base's. The base's pass only names the
    // script: the derived pass runs it, in the state made above.
    const std::string baseScript = m_botEngineFile;
    VornDictionary::getString(dict, "BotEngine", &m_botEngineFile);
    m_bBotEngineFailed = false;
    if (m_nBaseDepth == 0 && !m_botEngineFile.empty() && !runBotEngine(m_botEngineFile))
    {
        recoverFromFailedScript(baseScript);
    }

    preloadSFX();
    return true;
}

bool VornActorDesc::runBotEngine(const std::string& file)
{
    const std::string path = CCFileUtils::sharedFileUtils()->fullPathForContentName(file, "VornActorDesc BotEngine");
    return !path.empty() && m_pScriptEngine->executeScriptFile(file.c_str());
}

void VornActorDesc::recoverFromFailedScript(const std::string& baseScript)
{
    // Whatever ran before the failure is dropped: half a script is not called into.
    const std::string failed = m_botEngineFile;
    VornScriptEngine* scripts = new VornScriptEngine();
    setScriptEngine(scripts);
    scripts->release();
    if (!baseScript.empty() && baseScript != failed && runBotEngine(baseScript))
    {
        m_botEngineFile = baseScript;
        CCLog("VornActorDesc::initWithDictionary - enemy script '%s' of %s failed; its enemies use '%s'",
              failed.c_str(), m_fileName.c_str(), baseScript.c_str());
        return;
    }
    m_bBotEngineFailed = true;
    CCLog("VornActorDesc::initWithDictionary - enemy script '%s' of %s failed; its enemies stand idle", failed.c_str(),
          m_fileName.c_str());
}

bool VornActorDesc::initActions(CCDictionary* actions)
{
    if (!m_pActions)
    {
        setActions(VornDictionary::create());
    }
    CCDictElement* element = NULL;
    CCDICT_FOREACH(actions, element)
    {
        CCDictionary* source = dynamic_cast<CCDictionary*>(element->getObject());
        if (!source)
        {
            continue;
        }
        std::string name = element->getStrKey();
        CCDictionary* copy = CCDictionary::createWithDictionary(source);
        VornActionDesc* action = getActionDesc(name);
        if (action)
        {
            action->retain();
        }
        else
        {
            action = new VornActionDesc();
        }
        bool loaded = action->initWithDictionary(copy, this, name);
        if (loaded)
        {
            m_pActions->setObject(action, name);
        }
        action->release();
        if (!loaded)
        {
            return false;
        }
    }

    CCDICT_FOREACH(m_pActions, element)
    {
        static_cast<VornActionDesc*>(element->getObject())->initPostLoad();
    }
    return true;
}

void VornActorDesc::initActionTypeLists(CCDictionary* dict)
{
    for (int t = 0; t < kVAT_MAX; ++t)
    {
        const std::string& typeName = kActionTypeNames[t];
        std::string actionName = typeName;
        VornDictionary::getString(dict, typeName, &actionName);
        VornActionDesc* action = getActionDesc(actionName);
        if (action)
        {
            setActionsForType(t, std::vector<VornActionDesc*>(1, action));
        }

        CCArray* names = NULL;
        if (VornDictionary::getArray(dict, typeName + "_Array", &names))
        {
            std::vector<VornActionDesc*> chosen;
            CCObject* object = NULL;
            CCARRAY_FOREACH(names, object)
            {
                CCString* name = dynamic_cast<CCString*>(object);
                VornActionDesc* listed = name ? getActionDesc(name->getCString()) : NULL;
                if (listed)
                {
                    chosen.push_back(listed);
                }
            }
            names->release();
            setActionsForType(t, chosen);
        }
    }
}

void VornActorDesc::setActionsForType(int actionType, const std::vector<VornActionDesc*>& actions)
{
    // Retain the new entries first: the lists may share actions.
    for (VornActionDesc* action : actions)
    {
        action->retain();
    }
    for (VornActionDesc* action : m_actionsByType[actionType])
    {
        action->release();
    }
    m_actionsByType[actionType] = actions;
}

VornActionDesc* VornActorDesc::getActionDesc(const std::string& name)
{
    return m_pActions ? dynamic_cast<VornActionDesc*>(m_pActions->objectForKey(name)) : NULL;
}

VornActionDesc* VornActorDesc::getStartAction(int actionType)
{
    const std::vector<VornActionDesc*>& actions = getActionsForType(actionType);
    if (actions.empty())
    {
        return NULL;
    }
    return actions[(rand() & 0x7FFF) % actions.size()];
}

const std::vector<VornActionDesc*>& VornActorDesc::getActionsForType(int actionType) const
{
    return (actionType >= 0 && actionType < kVAT_MAX) ? m_actionsByType[actionType] : kNoActions;
}

std::string VornActorDesc::getDisplayName()
{
    CCString* name = (m_pNames && m_pNames->count() > 0) ? dynamic_cast<CCString*>(m_pNames->objectAtIndex(0)) : NULL;
    return name ? name->getCString() : std::string();
}

CCSpriteFrame* VornActorDesc::getDefaultSpriteFrame()
{
    VornActionDesc* idle = getStartAction(kVAT_Idle);
    CCArray* frames = idle ? idle->getFrames() : NULL;
    if (!frames || frames->count() == 0)
    {
        return NULL;
    }
    return dynamic_cast<CCSpriteFrame*>(frames->objectAtIndex(0));
}

void VornActorDesc::preloadSFX()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    SFXManager* sfx = game ? game->getSFXManager() : NULL;
    if (sfx)
    {
        if (!m_defaultAttackHitSFX.empty())
        {
            sfx->preloadSFX(m_defaultAttackHitSFX.c_str());
        }
        if (!m_dieSFX.empty())
        {
            sfx->preloadSFX(m_dieSFX.c_str());
        }
    }
    CCDictElement* element = NULL;
    CCDICT_FOREACH(m_pActions, element)
    {
        static_cast<VornActionDesc*>(element->getObject())->preloadSFX();
    }
}

// ---------------------------------------------------------------------------------------------
// Progression

void VornActorDesc::initStats()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    VornRPGStats* player = new VornRPGStats();
    player->initWithCharacterSetups(m_name.c_str(), game ? game->getPlayerCharacterSetups() : NULL);
    setPlayerStats(player);
    player->release();

    VornRPGStats* enemy = new VornRPGStats();
    enemy->initWithCharacterSetups(m_name.c_str(), game ? game->getEnemyCharacterSetups() : NULL);
    setEnemyStats(enemy);
    enemy->release();
}

void VornActorDesc::loadRPGPoints()
{
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    for (int i = 0; i < kRPG_MAX; ++i)
    {
        std::string key = m_name + "_RPG_" + std::to_string(i);
        // Only this character's saved points count (a base list read first leaves its own behind),
        // kept within the stat's range so the XP level stays inside the cost table.
        int saved = store->getIntegerForKey(key.c_str(), 0);
        m_numRPGPoints[i] = std::min(std::max(saved, m_minRPGPoints[i]), m_maxRPGPoints[i]);
    }
    m_nXPPoints = store->getIntegerForKey((m_name + "_XPPoints").c_str(), 0);
    m_nXPPointsSinceUpgrade = store->getIntegerForKey((m_name + "_XPPointsSinceUpgrade").c_str(), 0);
    buildXPLevelTable();
}

void VornActorDesc::buildXPLevelTable()
{
    float base = m_pPlayerStats ? m_pPlayerStats->getXPLevelBase() : 1.0f;
    float bump = m_pPlayerStats ? m_pPlayerStats->getXPLevelBump() : 1.0f;
    m_XPLevelTable[0] = (int)base;
    for (int level = 1; level < kXPLevelTableSize; ++level)
    {
        m_XPLevelTable[level] = (int)((float)m_XPLevelTable[level - 1] + bump * 1.5f);
    }
}

void VornActorDesc::saveRPGPoints()
{
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    for (int i = 0; i < kRPG_MAX; ++i)
    {
        saveInt(store, m_name + "_RPG_" + std::to_string(i), m_numRPGPoints[i]);
    }
    saveInt(store, m_name + "_XPPoints", m_nXPPoints);
    saveInt(store, m_name + "_XPPointsSinceUpgrade", m_nXPPointsSinceUpgrade);
    store->flush();
}

void VornActorDesc::resetProgression()
{
    for (int i = 0; i < kRPG_MAX; ++i)
    {
        m_numRPGPoints[i] = m_minRPGPoints[i];
    }
    m_nXPPoints = 0;
    m_nXPPointsSinceUpgrade = 0;
    saveRPGPoints();
}

int VornActorDesc::getMinRPGPoints(int stat)
{
    return isStat(stat) ? m_minRPGPoints[stat] : 0;
}

int VornActorDesc::getMaxRPGPoints(int stat)
{
    return isStat(stat) ? m_maxRPGPoints[stat] : 0;
}

int VornActorDesc::getNumRPGPoints(int stat)
{
    return isStat(stat) ? m_numRPGPoints[stat] : 0;
}

int VornActorDesc::getXPLevel()
{
    int level = 0;
    for (int i = 0; i < kRPG_MAX; ++i)
    {
        level += m_numRPGPoints[i] - m_minRPGPoints[i];
    }
    return level;
}

int VornActorDesc::getMaxXPLevel()
{
    int level = 0;
    for (int i = 0; i < kRPG_MAX; ++i)
    {
        level += m_maxRPGPoints[i] - m_minRPGPoints[i];
    }
    return level;
}

bool VornActorDesc::hasMaxXPLevel()
{
    return getXPLevel() == getMaxXPLevel();
}

int VornActorDesc::getMaxXPPoints(int level)
{
    return (level >= 0 && level < kXPLevelTableSize) ? m_XPLevelTable[level] : 0;
}

int VornActorDesc::getNumXPLevelsSinceUpgrade()
{
    int start = getXPLevel();
    int maxLevel = getMaxXPLevel();
    int points = m_nXPPointsSinceUpgrade + m_nXPPoints;
    int level = start;
    // Experience that reaches a level's cost buys it (a full bar is a level). Stopping at the last
    // level also ends the walk when a table's costs are zero or negative.
    while (level < maxLevel && points >= getMaxXPPoints(level))
    {
        points -= getMaxXPPoints(level);
        ++level;
    }
    return level - start;
}

void VornActorDesc::increaseXPPoints(int points)
{
    if (getXPLevel() + getNumXPLevelsSinceUpgrade() != getMaxXPLevel())
    {
        m_nXPPointsSinceUpgrade += points;
    }
}

void VornActorDesc::updateRunningXPPointsTotal()
{
    m_nXPPoints += m_nXPPointsSinceUpgrade;
    m_nXPPointsSinceUpgrade = 0;
    saveRPGPoints();
}

bool VornActorDesc::increaseRPGPoints(int stat)
{
    if (!isStat(stat) || m_numRPGPoints[stat] >= m_maxRPGPoints[stat])
    {
        return false;
    }
    m_nXPPoints -= getMaxXPPoints(getXPLevel());
    m_numRPGPoints[stat] += 1;
    saveRPGPoints();

    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    VornAchievementsManager* achievements = game ? game->getAchievementsManager() : NULL;
    if (achievements)
    {
        achievements->onRPGPointsIncreased(this);
    }
    return true;
}

VornRPGStats* VornActorDesc::statsForKind(int characterKind)
{
    if (characterKind == kCharacter_Player)
    {
        return m_pPlayerStats;
    }
    return characterKind == kCharacter_Enemy ? m_pEnemyStats : NULL;
}

float VornActorDesc::getRPGPointsProgress(int characterKind, int stat)
{
    if (characterKind == kCharacter_Player)
    {
        return (float)(getNumRPGPoints(stat) - 1) / 9.0f;
    }
    // Enemies grow with the game, not with their own points.
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (!game)
    {
        return 0.0f;
    }
    if (game->getGameMode() == kVornGameMode_Arena)
    {
        return 0.5f;
    }
    switch (game->getStoryDifficultyLevel())
    {
    case kDifficulty_Normal: return 0.5f;
    case kDifficulty_Hard: return 1.0f;
    default: return 0.0f;
    }
}

float VornActorDesc::getHealth(int characterKind)
{
    VornRPGStats* stats = statsForKind(characterKind);
    if (!stats)
    {
        return 0.0f;
    }
    float t = getRPGPointsProgress(characterKind, kRPG_Health);
    return stats->getMinHealth() + (stats->getMaxHealth() - stats->getMinHealth()) * t;
}

float VornActorDesc::getSpeed(int characterKind)
{
    VornRPGStats* stats = statsForKind(characterKind);
    if (!stats)
    {
        return 0.0f;
    }
    float t = getRPGPointsProgress(characterKind, kRPG_Speed);
    return stats->getMinSpeed() + (stats->getMaxSpeed() - stats->getMinSpeed()) * t;
}

float VornActorDesc::getPower(int characterKind, int actionType)
{
    VornRPGStats* stats = statsForKind(characterKind);
    if (!stats)
    {
        return 0.0f;
    }
    float t = getRPGPointsProgress(characterKind, stats->getActionStat(actionType));
    float minPower = stats->getMinPower(actionType);
    return minPower + (stats->getMaxPower(actionType) - minPower) * t;
}

NS_CC_END
