#include "LocaleManager.h"

#include "SetupManager.h"
#include "TextHelpers.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

NS_CC_BEGIN

static LocaleManager* s_sharedLocaleManager = NULL;

LocaleManager::LocaleManager() : m_pLanguageTables(NULL), m_pCurrentTable(NULL)
{
    s_sharedLocaleManager = this;
}

LocaleManager::~LocaleManager()
{
    if (s_sharedLocaleManager == this)
    {
        s_sharedLocaleManager = NULL;
    }
    CC_SAFE_RELEASE(m_pLanguageTables);
}

LocaleManager* LocaleManager::create()
{
    LocaleManager* manager = new LocaleManager();
    if (manager->init())
    {
        manager->autorelease();
        return manager;
    }
    delete manager;
    return NULL;
}

LocaleManager* LocaleManager::sharedLocaleManager()
{
    return s_sharedLocaleManager;
}

bool LocaleManager::init()
{
    setLanguageTables(CCDictionary::create());
    m_pCurrentTable = NULL;

    SetupManager* setup = SetupManager::sharedSetupManager();
    CCArray* files = setup ? dynamic_cast<CCArray*>(setup->objectForKey("LocaleDictionaries")) : NULL;
    CCObject* element = NULL;
    CCARRAY_FOREACH(files, element)
    {
        CCString* fileName = dynamic_cast<CCString*>(element);
        if (fileName == NULL)
        {
            CCLog("LocaleManager::init - skipping a LocaleDictionaries entry that is not a file name");
            continue;
        }
        loadTable(fileName->getCString());
    }
    return true;
}

void LocaleManager::loadTable(const char* fileName)
{
    char* raw = readTextFile(fileName);
    std::string text(raw);
    delete[] raw;
    // Tables are UTF-8: a no-break space is the pair C2 A0, shown as a plain space.
    replaceAll(text, "\xC2\xA0", " ");
    replaceAll(text, "\r\n", "\n");
    replaceAll(text, "\r", "\n");

    CCArray* lines = splitLines(text.c_str());
    if (lines->count() == 0)
    {
        // Every text on screen would show as its key.
        CCLog("ERROR: LocaleManager - the string table \"%s\" is missing or empty", fileName ? fileName : "");
        return;
    }

    // One table per language column, shared with earlier files of the same language.
    CCArray* header = splitCSVLine(static_cast<CCString*>(lines->objectAtIndex(0))->getCString(), false);
    std::vector<CCDictionary*> columns;
    for (unsigned int column = 1; column < header->count(); ++column)
    {
        const std::string& language = static_cast<CCString*>(header->objectAtIndex(column))->m_sString;
        CCDictionary* table = dynamic_cast<CCDictionary*>(m_pLanguageTables->objectForKey(language));
        if (table == NULL)
        {
            table = CCDictionary::create();
            m_pLanguageTables->setObject(table, language);
        }
        columns.push_back(table);
    }
    if (!columns.empty())
    {
        m_pCurrentTable = columns[0];
    }
    else
    {
        CCLog("ERROR: LocaleManager - the string table \"%s\" names no language", fileName ? fileName : "");
    }

    const char* name = fileName ? fileName : "";
    unsigned int lineNumber = 1;  // in the file: a quoted text may span lines
    for (unsigned int row = 1; row < lines->count(); ++row)
    {
        const std::string& previous = static_cast<CCString*>(lines->objectAtIndex(row - 1))->m_sString;
        lineNumber += 1 + (unsigned int)std::count(previous.begin(), previous.end(), '\n');
        const char* line = static_cast<CCString*>(lines->objectAtIndex(row))->getCString();
        CCArray* cells = splitCSVLine(line, false);
        if (cells->count() == 0)
        {
            continue;
        }
        // A line the table cannot use whole is named, or its texts would go missing unseen.
        const std::string& stringId = static_cast<CCString*>(cells->objectAtIndex(0))->m_sString;
        if (stringId.empty())
        {
            if (cells->count() > 1)
            {
                CCLog("ERROR: LocaleManager - the string table \"%s\", line %u: a text without its id", name, lineNumber);
            }
            continue;
        }
        if (std::count(line, line + strlen(line), '"') % 2 != 0)
        {
            CCLog("ERROR: LocaleManager - the string table \"%s\", line %u: the text of %s is cut off (its quotes are "
                  "not closed)", name, lineNumber, stringId.c_str());
        }
        else if (cells->count() < columns.size() + 1)
        {
            CCLog("ERROR: LocaleManager - the string table \"%s\", line %u: %s has no text", name, lineNumber,
                  stringId.c_str());
        }
        for (unsigned int cell = 1; cell < cells->count() && cell <= columns.size(); ++cell)
        {
            columns[cell - 1]->setObject(cells->objectAtIndex(cell), stringId);
        }
    }
}

const char* LocaleManager::localize(const char* stringId)
{
    if (stringId == NULL)
    {
        return "";
    }
    CCString* text = m_pCurrentTable ? dynamic_cast<CCString*>(m_pCurrentTable->objectForKey(stringId)) : NULL;
    return text ? text->getCString() : stringId;
}

void LocaleManager::setLanguageTables(CCDictionary* tables)
{
    if (tables == m_pLanguageTables)
    {
        return;
    }
    CC_SAFE_RETAIN(tables);
    CC_SAFE_RELEASE(m_pLanguageTables);
    m_pLanguageTables = tables;
    // The language in use lived in the old tables.
    m_pCurrentTable = NULL;
}

NS_CC_END
