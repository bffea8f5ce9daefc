#include "LevelManager.h"

#include "CCConsole.h"
#include "CCFileUtils.h"
#include "CCString.h"
#include "GameManager.h"
#include "HighScoreManager.h"
#include "LocaleManager.h"
#include "RestartDelegate.h"
#include "RestartManager.h"
#include "VornGameManager.h"

#include <cstring>

NS_CC_BEGIN

const char* const LevelManager::kRestartKey = "LevelManager_levelName";

static const char* const kLevelsFile = "levels.plist";

static const char* stringIn(CCDictionary* level, const char* key)
{
    CCString* value = level ? dynamic_cast<CCString*>(level->objectForKey(key)) : NULL;
    return value ? value->getCString() : NULL;
}

LevelManager::LevelManager()
    : m_pLevels(NULL), m_pCurrentLevel(NULL), m_nLevelIndex(-1), m_bJoinedGame(false)
{
}

LevelManager::~LevelManager()
{
    GameManager* game = GameManager::getInstance();
    if (m_bJoinedGame && game != NULL)
    {
        game->getUpdateSignal().disconnect(this, &LevelManager::checkIndex);
        if (game->getRestartManager())
        {
            game->getRestartManager()->removeDelegateWithKey(kRestartKey);
        }
    }
    CC_SAFE_RELEASE(m_pLevels);
}

LevelManager* LevelManager::create()
{
    LevelManager* manager = new LevelManager();
    if (!manager->init())
    {
        CCLog("Error: Unable to initialise LevelManager");
        manager->release();
        return NULL;
    }
    manager->autorelease();
    return manager;
}

bool LevelManager::init()
{
    const std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename(kLevelsFile);
    CCArray* read = CCArray::createWithContentsOfFile(path.c_str());
    if (read == NULL)
    {
        return false;
    }
    // Keep only levels the game can run: a story level named like an arena would play as one.
    CCArray* levels = CCArray::create();
    CCObject* object = NULL;
    unsigned int position = 0;
    CCARRAY_FOREACH(read, object)
    {
        ++position;
        CCDictionary* level = dynamic_cast<CCDictionary*>(object);
        const char* name = stringIn(level, "LevelName");
        if (name == NULL || name[0] == '\0')
        {
            CCLog("ERROR: LevelManager - level %u of %s has no LevelName; left out", position, kLevelsFile);
            continue;
        }
        if (strstr(name, "arena") != NULL)
        {
            CCLog("ERROR: LevelManager - story level '%s' has \"arena\" in its name and would play as an arena; left out",
                  name);
            continue;
        }
        levels->addObject(level);
    }
    setLevels(levels);

    GameManager* game = GameManager::getInstance();
    if (game != NULL)
    {
        m_bJoinedGame = true;
        game->getUpdateSignal().connect(this, &LevelManager::checkIndex);
        if (game->getRestartManager())
        {
            game->getRestartManager()->addDelegate(RestartDelegate<std::string>::create(
                kRestartKey, this, &LevelManager::getLevelName, &LevelManager::setLevelName));
        }
        addHighScoreTables();
    }
    return true;
}

void LevelManager::addHighScoreTables()
{
    HighScoreManager* scores = GameManager::getInstance()->getHighScoreManager();
    if (scores == NULL || scores->getTables() == NULL)
    {
        return;
    }
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pLevels, object)
    {
        CCDictionary* level = static_cast<CCDictionary*>(object);
        const char* location = stringIn(level, "LocationName");
        HighScoreTable* table = HighScoreTable::create(location ? location : "", stringIn(level, "LevelName"));
        if (table == NULL)
        {
            break;
        }
        scores->getTables()->addObject(table);
    }
}

void LevelManager::setLevels(CCArray* levels)
{
    CC_SAFE_RETAIN(levels);
    CC_SAFE_RELEASE(m_pLevels);
    m_pLevels = levels;
}

void LevelManager::setLevelIndex(int index)
{
    if (m_pLevels == NULL || index < 0 || (unsigned int)index >= m_pLevels->count())
    {
        CCLog("ERROR: LevelManager::setLevelIndex - no level %d in a list of %u", index,
              m_pLevels ? m_pLevels->count() : 0);
        return;
    }
    m_pCurrentLevel = static_cast<CCDictionary*>(m_pLevels->objectAtIndex(index));
    m_sLevelName = stringIn(m_pCurrentLevel, "LevelName");
    m_nLevelIndex = index;
    // A copy: a subscriber may select another level while the signal runs.
    const std::string name = m_sLevelName;
    m_levelChangedSignal.emit(name.c_str());
}

void LevelManager::setLevelName(const std::string& name)
{
    m_sLevelName = name;
    m_pCurrentLevel = NULL;
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pLevels, object)
    {
        const char* levelName = stringIn(static_cast<CCDictionary*>(object), "LevelName");
        if (name == levelName)
        {
            // A restored level is the one played from now on: the index check must keep it.
            m_pCurrentLevel = static_cast<CCDictionary*>(object);
            m_nLevelIndex = getStageIndex();
            break;
        }
    }
    // A save names the level: only one of the game's.
    VornGameManager* game = dynamic_cast<VornGameManager*>(GameManager::getInstance());
    if (m_pCurrentLevel == NULL && !name.empty() && game && game->isRestoringFromSave() && !game->isGameLevelName(name))
    {
        game->refuseSavedName(kRestartKey, name);
    }
}

int LevelManager::getStageIndex()
{
    if (m_pCurrentLevel == NULL || m_pLevels == NULL)
    {
        return -1;
    }
    unsigned int index = m_pLevels->indexOfObject(m_pCurrentLevel);
    return index == CC_INVALID_INDEX ? -1 : (int)index;
}

void LevelManager::checkIndex(float)
{
    if (m_nLevelIndex >= 0 && getStageIndex() != m_nLevelIndex)
    {
        setLevelIndex(m_nLevelIndex);
    }
}

void LevelManager::newGame()
{
    m_pCurrentLevel = NULL;
    if (m_pLevels != NULL && m_pLevels->count() > 0)
    {
        setLevelIndex(0);
    }
}

bool LevelManager::nextLevel()
{
    const int next = getStageIndex() + 1;
    if (m_pLevels == NULL || (unsigned int)next >= m_pLevels->count())
    {
        return false;
    }
    setLevelIndex(next);
    return true;
}

bool LevelManager::isLastLevel()
{
    const int next = getStageIndex() + 1;
    return m_pLevels == NULL || (unsigned int)next >= m_pLevels->count();
}

const char* LevelManager::currentString(const char* key)
{
    const char* value = stringIn(m_pCurrentLevel, key);
    return value ? value : "";
}

std::string LevelManager::getTimePeriod()
{
    const char* key = currentString("TimePeriod");
    LocaleManager* locale = LocaleManager::sharedLocaleManager();
    return (locale && key[0]) ? locale->localize(key) : key;
}

std::string LevelManager::getLocationName()
{
    const char* key = currentString("LocationName");
    LocaleManager* locale = LocaleManager::sharedLocaleManager();
    return (locale && key[0]) ? locale->localize(key) : key;
}

const char* LevelManager::getMusicTrackName()
{
    return currentString("Music");
}

NS_CC_END
