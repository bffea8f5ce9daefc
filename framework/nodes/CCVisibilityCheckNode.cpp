#include "CCVisibilityCheckNode.h"

#include "CCAffineTransform.h"
#include "CCDirector.h"

NS_CC_BEGIN

bool isHorizontallyOnScreen(CCNode* node)
{
    const CCSize& size = node->getContentSize();
    CCRect box = CCRectApplyAffineTransform(CCRect(0, 0, size.width, size.height), node->nodeToWorldTransform());
    float windowWidth = CCDirector::sharedDirector()->getWinSize().width;
    return !(box.getMinX() > windowWidth || box.getMaxX() < 0.0f);
}

CCVisibilityCheckNode* CCVisibilityCheckNode::create()
{
    CCVisibilityCheckNode* node = new CCVisibilityCheckNode();
    if (node->init())
    {
        node->autorelease();
        return node;
    }
    delete node;
    return NULL;
}

void CCVisibilityCheckNode::visit()
{
    if (isHorizontallyOnScreen(this))
    {
        CCNode::visit();
    }
}

NS_CC_END
