#include "HighScoreTable.h"

#include "CCConsole.h"
#include "CCUserDefault.h"

#include <algorithm>

NS_CC_BEGIN

const char* const HighScoreTable::kDefaultPlayerName = "Jors Kell";

HighScoreTable::HighScoreTable() : m_pItems(NULL)
{
}

HighScoreTable::~HighScoreTable()
{
    CC_SAFE_RELEASE(m_pItems);
}

HighScoreTable* HighScoreTable::create(const char* name, const char* key)
{
    HighScoreTable* table = new HighScoreTable();
    table->autorelease();
    if (!table->init(name, key))
    {
        CCLog("HighScoreTable::create - Error initialising table!");
        return NULL;
    }
    return table;
}

bool HighScoreTable::init(const char* name, const char* key)
{
    if (key == NULL || key[0] == '\0')
    {
        // A table without a key could neither be saved nor found again.
        return false;
    }
    m_sName = name ? name : "";
    m_sKey = key;
    setItems(CCArray::create());
    int best = CCUserDefault::sharedUserDefault()->getIntegerForKey(m_sKey.c_str(), 0);
    if (best >= 1)
    {
        addScore(kDefaultPlayerName, best);
    }
    return true;
}

static bool higherScore(CCObject* a, CCObject* b)
{
    return static_cast<HighScoreItem*>(a)->getScore() > static_cast<HighScoreItem*>(b)->getScore();
}

bool HighScoreTable::addScore(const char* name, int score)
{
    if (m_pItems == NULL)
    {
        setItems(CCArray::create());
    }
    HighScoreItem* item = HighScoreItem::create(name, score);
    m_pItems->addObject(item);
    // Stable: a score equal to the best goes after it, so it does not count as a new best.
    std::vector<CCObject*>& items = m_pItems->data();
    std::stable_sort(items.begin(), items.end(), higherScore);
    while (m_pItems->count() > kMaxEntries)
    {
        m_pItems->removeLastObject();
    }
    if (m_pItems->count() == 0 || m_pItems->objectAtIndex(0) != item)
    {
        return false;
    }
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    store->setIntegerForKey(m_sKey.c_str(), score);
    if (!store->flush())
    {
        CCLog("HighScoreTable::addScore - unable to save the best score of %s!", m_sKey.c_str());
    }
    return true;
}

int HighScoreTable::getBestScore()
{
    if (m_pItems == NULL || m_pItems->count() == 0)
    {
        return 0;
    }
    return static_cast<HighScoreItem*>(m_pItems->objectAtIndex(0))->getScore();
}

void HighScoreTable::setItems(CCArray* items)
{
    CC_SAFE_RETAIN(items);
    CC_SAFE_RELEASE(m_pItems);
    m_pItems = items;
}

NS_CC_END
