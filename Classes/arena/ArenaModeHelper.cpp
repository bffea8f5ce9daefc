#include "ArenaModeHelper.h"

#include "CCConsole.h"
#include "CCDictionary.h"
#include "CCFileUtils.h"
#include "CCSpriteFrame.h"
#include "CCSpriteFrameCache.h"
#include "CCString.h"
#include "HighScoreManager.h"
#include "HighScoreTable.h"
#include "LocaleManager.h"
#include "SpriteFrameHelpers.h"
#include "VornAchievementsManager.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"

NS_CC_BEGIN

namespace
{
ArenaModeHelper* s_pSharedArenaModeHelper = NULL;

CCArray* loadTable(const char* name)
{
    std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename(name);
    CCArray* entries = CCArray::createWithContentsOfFile(path.c_str());
    if (!entries)
    {
        CCLog("ArenaModeHelper::init - cannot read '%s'", name);
    }
    return entries;
}

const char* localized(const char* id)
{
    LocaleManager* locale = LocaleManager::sharedLocaleManager();
    return id && locale ? locale->localize(id) : id;
}
} // namespace

ArenaModeHelper::ArenaModeHelper()
    : m_pCharacters(NULL), m_pCharacterDescs(NULL), m_pArenas(NULL), m_nCurrentArenaIndex(0), m_pArenaPreviews(NULL)
{
}

ArenaModeHelper::~ArenaModeHelper()
{
    if (s_pSharedArenaModeHelper == this)
    {
        s_pSharedArenaModeHelper = NULL;
    }
    CC_SAFE_RELEASE(m_pCharacters);
    CC_SAFE_RELEASE(m_pCharacterDescs);
    CC_SAFE_RELEASE(m_pArenas);
    CC_SAFE_RELEASE(m_pArenaPreviews);
}

ArenaModeHelper* ArenaModeHelper::sharedArenaModeHelper()
{
    return s_pSharedArenaModeHelper;
}

bool ArenaModeHelper::init()
{
    s_pSharedArenaModeHelper = this;
    // A second init replaces the tables instead of leaking them.
    CC_SAFE_RELEASE_NULL(m_pArenas);
    CC_SAFE_RELEASE_NULL(m_pCharacters);
    CC_SAFE_RELEASE_NULL(m_pCharacterDescs);
    CC_SAFE_RELEASE_NULL(m_pArenaPreviews);

    m_pArenas = loadTable("arenas.plist");
    if (!m_pArenas)
    {
        return false;
    }
    m_pArenas->retain();
    m_pCharacters = loadTable("arena-characters.plist");
    if (!m_pCharacters)
    {
        return false;
    }
    m_pCharacters->retain();
    m_pCharacterDescs = CCArray::createWithCapacity(m_pCharacters->count());
    m_pCharacterDescs->retain();

    VornGameManager* manager = VornGameManager::getSharedVornGameManager();
    for (unsigned int i = 0; i < m_pCharacters->count(); ++i)
    {
        CCDictionary* entry = dynamic_cast<CCDictionary*>(m_pCharacters->objectAtIndex(i));
        const char* character = entry ? entry->valueForKey("Character")->getCString() : "";
        CCLog("%s", character);
        std::string file = std::string(character) + ".plist";
        VornActorDesc* desc = manager && *character ? manager->actorDescWithFile(file.c_str()) : NULL;
        if (!desc)
        {
            return false;
        }
        m_pCharacterDescs->addObject(desc);
        CCString* bio = dynamic_cast<CCString*>(entry->objectForKey("Bio"));
        if (bio)
        {
            entry->setObject(CCString::create(unescapeNewlines(bio->getCString())), "Bio");
        }
    }

    m_pArenaPreviews = CCArray::createWithCapacity(m_pArenas->count());
    m_pArenaPreviews->retain();
    loadSpriteFramesFromFile("arena-screenshots-sprites.plist");
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (unsigned int i = 0; i < m_pArenas->count(); ++i)
    {
        const char* image = stringOf(m_pArenas, i, "Image");
        CCSpriteFrame* frame = image ? cache->spriteFrameByName(image) : NULL;
        if (frame)
        {
            m_pArenaPreviews->addObject(frame);
        }
        else
        {
            // Keeps the previews in step with the arenas; the panel shows the locked image there.
            CCLog("ArenaModeHelper::init - arena %u has no preview frame '%s'", i, image ? image : "");
            m_pArenaPreviews->addObject(CCString::create(""));
        }
    }
    createHighScoreTables();
    // Characters maxed out before this list existed earn their achievement now.
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game && game->getAchievementsManager())
    {
        game->getAchievementsManager()->checkMaxOutAll();
    }
    return true;
}

bool ArenaModeHelper::createHighScoreTables()
{
    GameManager* manager = GameManager::getInstance();
    HighScoreManager* scores = manager ? manager->getHighScoreManager() : NULL;
    if (!scores || !scores->getTables())
    {
        return false;
    }
    for (int i = 0; i < getNumArenas(); ++i)
    {
        const char* key = getArenaLeaderboardID(i);
        if (key && scores->getTable(key))
        {
            continue;
        }
        const char* name = getArenaLocationName(i);
        HighScoreTable* table = HighScoreTable::create(name ? name : "", key ? key : "");
        if (!table)
        {
            return false;
        }
        scores->getTables()->addObject(table);
    }
    return true;
}

void ArenaModeHelper::resetProgression()
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pCharacterDescs, object)
    {
        static_cast<VornActorDesc*>(object)->resetProgression();
    }
}

std::string ArenaModeHelper::unescapeNewlines(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n')
        {
            out += '\n';
            ++i;
        }
        else
        {
            out += text[i];
        }
    }
    return out;
}

const char* ArenaModeHelper::stringOf(CCArray* entries, unsigned int index, const char* key)
{
    if (!entries || index >= entries->count())
    {
        return NULL;
    }
    CCDictionary* entry = dynamic_cast<CCDictionary*>(entries->objectAtIndex(index));
    CCString* value = entry ? dynamic_cast<CCString*>(entry->objectForKey(key)) : NULL;
    return value ? value->getCString() : NULL;
}

bool ArenaModeHelper::isUnlocked(const char* achievement)
{
    if (!achievement || !*achievement)
    {
        return true;
    }
    VornGameManager* manager = VornGameManager::getSharedVornGameManager();
    VornAchievementsManager* achievements = manager ? manager->getAchievementsManager() : NULL;
    return achievements && achievements->isAchievementUnlocked(achievement);
}

int ArenaModeHelper::getNumArenas()
{
    return m_pArenas ? (int)m_pArenas->count() : 0;
}

int ArenaModeHelper::getNumCharacters()
{
    return m_pCharacters ? (int)m_pCharacters->count() : 0;
}

const char* ArenaModeHelper::getArenaLevelName(unsigned int index)
{
    const char* name = stringOf(m_pArenas, index, "LevelName");
    return name ? name : "";
}

const char* ArenaModeHelper::getArenaLocationName(unsigned int index)
{
    return localized(stringOf(m_pArenas, index, "LocationName"));
}

const char* ArenaModeHelper::getArenaTimePeriod(unsigned int index)
{
    return localized(stringOf(m_pArenas, index, "TimePeriod"));
}

const char* ArenaModeHelper::getArenaBio(unsigned int index)
{
    return localized(stringOf(m_pArenas, index, "Bio"));
}

const char* ArenaModeHelper::getArenaUnlockAchievement(unsigned int index)
{
    return stringOf(m_pArenas, index, "UnlockAchievement");
}

const char* ArenaModeHelper::getArenaLeaderboardID(unsigned int index)
{
    return stringOf(m_pArenas, index, "LeaderboardID");
}

const char* ArenaModeHelper::getArenaMusicTrackName(unsigned int index)
{
    return stringOf(m_pArenas, index, "Music");
}

CCSpriteFrame* ArenaModeHelper::getArenaPreview(unsigned int index)
{
    if (!m_pArenaPreviews || index >= m_pArenaPreviews->count())
    {
        return NULL;
    }
    return dynamic_cast<CCSpriteFrame*>(m_pArenaPreviews->objectAtIndex(index));
}

const char* ArenaModeHelper::getCharacterType(unsigned int index)
{
    return stringOf(m_pCharacters, index, "Character");
}

const char* ArenaModeHelper::getCharacterBio(unsigned int index)
{
    return localized(stringOf(m_pCharacters, index, "Bio"));
}

const char* ArenaModeHelper::getCharacterUnlockAchievement(unsigned int index)
{
    return stringOf(m_pCharacters, index, "UnlockAchievement");
}

VornActorDesc* ArenaModeHelper::getCharacterDesc(unsigned int index)
{
    if (!m_pCharacterDescs || index >= m_pCharacterDescs->count())
    {
        return NULL;
    }
    return static_cast<VornActorDesc*>(m_pCharacterDescs->objectAtIndex(index));
}

bool ArenaModeHelper::isCharacterUnlocked(unsigned int index)
{
    return isUnlocked(getCharacterUnlockAchievement(index));
}

bool ArenaModeHelper::isArenaUnlocked(unsigned int index)
{
    return isUnlocked(getArenaUnlockAchievement(index));
}

const char* ArenaModeHelper::getCurrentArenaLeaderboardID()
{
    return getArenaLeaderboardID(m_nCurrentArenaIndex);
}

const char* ArenaModeHelper::getCurrentMusicTrackName()
{
    return getArenaMusicTrackName(m_nCurrentArenaIndex);
}

NS_CC_END
