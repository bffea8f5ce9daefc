#include "CCVisibilityCheckSprite.h"

#include "CCVisibilityCheckNode.h"

NS_CC_BEGIN

CCVisibilityCheckSprite* CCVisibilityCheckSprite::create()
{
    CCVisibilityCheckSprite* sprite = new CCVisibilityCheckSprite();
    if (sprite->init())
    {
        sprite->autorelease();
        return sprite;
    }
    delete sprite;
    return NULL;
}

void CCVisibilityCheckSprite::visit()
{
    if (isHorizontallyOnScreen(this))
    {
        CCSprite::visit();
    }
}

NS_CC_END
