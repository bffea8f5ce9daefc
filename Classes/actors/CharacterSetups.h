#ifndef __CHARACTER_SETUPS_H__
#define __CHARACTER_SETUPS_H__

#include "CCDictionary.h"

#include <string>

NS_CC_BEGIN

/**
 * A character tuning table (CSV): the header names the categories, each further row gives a
 * character's name and then its values. A row ends at its first empty field; a name given twice
 * keeps the later row.
 */
class CharacterSetups : public CCObject
{
public:
    CharacterSetups();
    virtual ~CharacterSetups();

    /**
     * A missing file gives an empty table (every lookup fails), logged as an error naming the
     * file, as is a table without characters; NULL only when nothing could be built.
     */
    static CharacterSetups* create(const char* fileName);

    /** True, with the value, when the table has that character and category; out is untouched otherwise. */
    bool getValue(const char* character, const char* category, float& out);
    /** As the float form, the value truncated toward zero. */
    bool getValue(const char* character, const char* category, int& out);

    /** character name -> (category -> CCFloat) */
    virtual CCDictionary* getSetups() { return m_pSetups; }
    /** Retains the new table and releases the old one. */
    virtual void setSetups(CCDictionary* setups);

    /**
     * Reads the table; every line it cannot use whole (a value that is not a number, a row that
     * ends early) is logged with the file and line. Such values are left out.
     */
    static CCDictionary* parse(const char* fileName);

    /** The first character without a positive MinHealth and MaxHealth; "" when all have them. */
    std::string findFighterWithoutHealth();

private:
    CCDictionary* m_pSetups;  ///< retained
};

NS_CC_END

#endif // __CHARACTER_SETUPS_H__
