#ifndef __HIGH_SCORE_MANAGER_H__
#define __HIGH_SCORE_MANAGER_H__

#include "HighScoreTable.h"

NS_CC_BEGIN

/** Owns the high-score tables; the game's manager derives from it and adds its tables. */
class HighScoreManager : public CCObject
{
public:
    HighScoreManager();
    virtual ~HighScoreManager();

    /** Starts with no tables. */
    virtual bool init();
    /** The first table with that key, or NULL. */
    HighScoreTable* getTable(const char* key);
    /** Empties every table and saves 0 under every key (one flush). */
    void resetAllScores();

    virtual CCArray* getTables() { return m_pTables; }
    /** Retains the new array and releases the old one. */
    virtual void setTables(CCArray* tables);

private:
    CCArray* m_pTables;  ///< retained; HighScoreTable
};

NS_CC_END

#endif // __HIGH_SCORE_MANAGER_H__
