#ifndef __HIGH_SCORE_TABLE_H__
#define __HIGH_SCORE_TABLE_H__

#include "CCArray.h"
#include "HighScoreItem.h"

#include <string>

NS_CC_BEGIN

/**
 * A named table of up to kMaxEntries scores, best first. Only the best score is saved (an integer
 * in CCUserDefault under the table's key); the rest live in memory until the program ends.
 */
class HighScoreTable : public CCObject
{
public:
    enum { kMaxEntries = 20 };

    /** The name used for a best score brought back from the saved settings. */
    static const char* const kDefaultPlayerName;

    HighScoreTable();
    virtual ~HighScoreTable();

    /** A new table with the saved best score loaded; NULL (logged) when it can't be made. */
    static HighScoreTable* create(const char* name, const char* key);

    /** Stores name and key, empties the table and re-adds the saved best score, if any. */
    bool init(const char* name, const char* key);
    /** Adds the score, keeps the best kMaxEntries; true (saved and flushed) when it is the new best. */
    bool addScore(const char* name, int score);
    /** The best score, or 0 when the table is empty. */
    int getBestScore();

    virtual const std::string& getName() { return m_sName; }
    virtual void setName(const std::string& name) { m_sName = name; }
    virtual const std::string& getKey() { return m_sKey; }
    virtual void setKey(const std::string& key) { m_sKey = key; }
    virtual CCArray* getItems() { return m_pItems; }
    /** Retains the new array and releases the old one. */
    virtual void setItems(CCArray* items);

private:
    std::string m_sName;
    std::string m_sKey;
    CCArray* m_pItems;  ///< retained; HighScoreItem, best first
};

NS_CC_END

#endif // __HIGH_SCORE_TABLE_H__
