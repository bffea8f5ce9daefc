#include "HighScoreItem.h"

NS_CC_BEGIN

HighScoreItem* HighScoreItem::create(const char* name, int score)
{
    HighScoreItem* item = new HighScoreItem();
    item->setName(name ? name : "");
    item->setScore(score);
    item->autorelease();
    return item;
}

NS_CC_END
