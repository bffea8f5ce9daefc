#ifndef __ARENA_MODE_HELPER_H__
#define __ARENA_MODE_HELPER_H__

#include "CCArray.h"

#include <string>

NS_CC_BEGIN

class CCDictionary;
class CCSpriteFrame;
class VornActorDesc;

/**
 * The arena mode's catalogue: the playable characters ("arena-characters.plist") with their actor
 * descriptors, and the arenas ("arenas.plist") with their preview frames, unlock achievements,
 * score tables and music; plus which arena is being played. One instance, made by the title
 * screen; init records it as the shared one. Indices are not range-checked except where noted.
 */
class ArenaModeHelper : public CCObject
{
public:
    ArenaModeHelper();
    virtual ~ArenaModeHelper();

    /** The instance whose init ran last; NULL before. */
    static ArenaModeHelper* sharedArenaModeHelper();

    /** Loads both tables, the descriptors, the previews and the arenas' score tables; false on a missing file or descriptor. */
    bool init();
    /** Every character's stats and experience back to the start, saved. */
    void resetProgression();

    int getNumArenas();
    int getNumCharacters();
    const char* getArenaLevelName(unsigned int index);
    /** Localised; NULL when the entry has no such key. */
    const char* getArenaLocationName(unsigned int index);
    const char* getArenaTimePeriod(unsigned int index);
    const char* getArenaBio(unsigned int index);
    /** As stored; NULL when absent. */
    const char* getArenaUnlockAchievement(unsigned int index);
    const char* getArenaLeaderboardID(unsigned int index);
    const char* getArenaMusicTrackName(unsigned int index);
    CCSpriteFrame* getArenaPreview(unsigned int index);
    const char* getCharacterType(unsigned int index);
    /** Localised after its "\n" pairs became line breaks; NULL when absent. */
    const char* getCharacterBio(unsigned int index);
    const char* getCharacterUnlockAchievement(unsigned int index);
    /** NULL when the index is past the end. */
    VornActorDesc* getCharacterDesc(unsigned int index);
    /** Unlocked when the entry names no achievement or the achievement is unlocked. */
    bool isCharacterUnlocked(unsigned int index);
    bool isArenaUnlocked(unsigned int index);
    const char* getCurrentArenaLeaderboardID();
    const char* getCurrentMusicTrackName();

    /** A copy in which every backslash followed by "n" is one line break. */
    static std::string unescapeNewlines(const std::string& text);

    virtual CCArray* getCharacters() { return m_pCharacters; }
    virtual void setCharacters(CCArray* characters) { m_pCharacters = characters; }
    virtual CCArray* getCharacterDescs() { return m_pCharacterDescs; }
    virtual void setCharacterDescs(CCArray* descs) { m_pCharacterDescs = descs; }
    virtual CCArray* getArenas() { return m_pArenas; }
    virtual void setArenas(CCArray* arenas) { m_pArenas = arenas; }
    virtual int getCurrentArenaIndex() { return m_nCurrentArenaIndex; }
    virtual void setCurrentArenaIndex(int index) { m_nCurrentArenaIndex = index; }
    virtual CCArray* getArenaPreviews() { return m_pArenaPreviews; }
    virtual void setArenaPreviews(CCArray* previews) { m_pArenaPreviews = previews; }

private:
    bool createHighScoreTables();
    const char* stringOf(CCArray* entries, unsigned int index, const char* key);
    bool isUnlocked(const char* achievement);

    CCArray* m_pCharacters;      ///< retained; dictionaries in file order
    CCArray* m_pCharacterDescs;  ///< retained; one VornActorDesc per character
    CCArray* m_pArenas;          ///< retained; dictionaries in file order
    int m_nCurrentArenaIndex;
    CCArray* m_pArenaPreviews;   ///< retained; one frame per arena
};

NS_CC_END

#endif // __ARENA_MODE_HELPER_H__
