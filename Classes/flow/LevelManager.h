#ifndef __LEVEL_MANAGER_H__
#define __LEVEL_MANAGER_H__

#include "CCArray.h"
#include "CCDictionary.h"
#include "Signal.h"

#include <string>

NS_CC_BEGIN

/**
 * The story's levels in play order, read from "levels.plist" (each a dictionary of "LevelName",
 * "LocationName", "TimePeriod" and "Music"), and which one is being played. Selecting a level by
 * index announces it on the level-changed signal; selecting by name (a restored checkpoint, a
 * script) only makes it current. Each level gets a high-score table keyed by its name.
 */
class LevelManager : public CCObject
{
public:
    LevelManager();
    virtual ~LevelManager();

    /** A new, autoreleased list; NULL (logged) when "levels.plist" can't be read. */
    static LevelManager* create();
    bool init();

    virtual CCArray* getLevels() { return m_pLevels; }
    /** Retains the new list and releases the old one. */
    virtual void setLevels(CCArray* levels);
    virtual const std::string& getLevelName() { return m_sLevelName; }
    /** Makes the first level of that name current (none when no level has it); no signal. */
    virtual void setLevelName(const std::string& name);
    virtual CCDictionary* getCurrentLevel() { return m_pCurrentLevel; }
    virtual void setCurrentLevel(CCDictionary* level) { m_pCurrentLevel = level; }
    virtual int getLevelIndex() { return m_nLevelIndex; }
    /** Makes that level current and announces it; an index outside the list is refused (logged). */
    virtual void setLevelIndex(int index);
    virtual Signal<const char*>& getLevelChangedSignal() { return m_levelChangedSignal; }
    virtual void setLevelChangedSignal(const Signal<const char*>& signal) { m_levelChangedSignal = signal; }

    /** Forgets the current level and selects the first one, if any. */
    void newGame();
    /** Selects the level after the current one (the first without one); false past the last. */
    bool nextLevel();
    /** True when no level follows the current one (also with no current level and no levels). */
    bool isLastLevel();
    /** Position of the current level in the list; -1 without one. */
    int getStageIndex();
    /** The current level's texts in the player's language; empty without a current level. */
    std::string getTimePeriod();
    std::string getLocationName();
    /** The current level's music track name; "" without a current level. */
    const char* getMusicTrackName();

    /** Key of the current level's name among the checkpoint values. */
    static const char* const kRestartKey;

private:
    /** Every frame: when a level was selected by index and another one became current, select it again. */
    void checkIndex(float dt);
    const char* currentString(const char* key);
    void addHighScoreTables();

    CCArray* m_pLevels;             ///< retained; CCDictionary per level
    std::string m_sLevelName;
    CCDictionary* m_pCurrentLevel;  ///< an element of m_pLevels, not retained
    int m_nLevelIndex;              ///< -1 until a level is selected by index
    Signal<const char*> m_levelChangedSignal;
    bool m_bJoinedGame;             ///< connected to the game manager's signal and restart store
};

NS_CC_END

#endif // __LEVEL_MANAGER_H__
