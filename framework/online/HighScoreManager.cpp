#include "HighScoreManager.h"

#include "CCUserDefault.h"

NS_CC_BEGIN

HighScoreManager::HighScoreManager() : m_pTables(NULL)
{
}

HighScoreManager::~HighScoreManager()
{
    CC_SAFE_RELEASE(m_pTables);
}

bool HighScoreManager::init()
{
    CCArray* tables = CCArray::create();
    if (tables == NULL)
    {
        return false;
    }
    setTables(tables);
    return true;
}

HighScoreTable* HighScoreManager::getTable(const char* key)
{
    if (key == NULL)
    {
        return NULL;
    }
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pTables, object)
    {
        HighScoreTable* table = static_cast<HighScoreTable*>(object);
        if (table->getKey() == key)
        {
            return table;
        }
    }
    return NULL;
}

void HighScoreManager::resetAllScores()
{
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pTables, object)
    {
        HighScoreTable* table = static_cast<HighScoreTable*>(object);
        if (table->getItems())
        {
            table->getItems()->removeAllObjects();
        }
        store->setIntegerForKey(table->getKey().c_str(), 0);
    }
    store->flush();
}

void HighScoreManager::setTables(CCArray* tables)
{
    CC_SAFE_RETAIN(tables);
    CC_SAFE_RELEASE(m_pTables);
    m_pTables = tables;
}

NS_CC_END
