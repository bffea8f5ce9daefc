#ifndef __LOCALE_MANAGER_H__
#define __LOCALE_MANAGER_H__

#include "CCDictionary.h"

NS_CC_BEGIN

/**
 * Turns string ids ("MENU_YES") into the player's texts, from the locale tables that the setup
 * list names under "LocaleDictionaries". Tables merge per language, a later file winning for the
 * same id; the language in use is the first language column of the tables.
 */
class LocaleManager : public CCObject
{
public:
    /** The newest locale manager becomes the shared one until it is destroyed. */
    LocaleManager();
    virtual ~LocaleManager();

    static LocaleManager* create();
    static LocaleManager* sharedLocaleManager();

    /** Loads every table the setup list names; true even when there are none. */
    bool init();
    /** The id's text in the language in use, or the id itself when it has none. */
    const char* localize(const char* stringId);

    virtual CCDictionary* getLanguageTables() { return m_pLanguageTables; }
    /** Retains the new tables and releases the old ones. */
    virtual void setLanguageTables(CCDictionary* tables);
    virtual CCDictionary* getCurrentTable() { return m_pCurrentTable; }
    virtual void setCurrentTable(CCDictionary* table) { m_pCurrentTable = table; }

private:
    void loadTable(const char* fileName);

    CCDictionary* m_pLanguageTables;  ///< retained; language code -> (string id -> CCString)
    CCDictionary* m_pCurrentTable;    ///< not retained; one of m_pLanguageTables' values
};

NS_CC_END

#endif // __LOCALE_MANAGER_H__
