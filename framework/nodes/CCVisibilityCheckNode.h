#ifndef __CC_VISIBILITY_CHECK_NODE_H__
#define __CC_VISIBILITY_CHECK_NODE_H__

#include "CCNode.h"

NS_CC_BEGIN

/**
 * True when the node's world-space box overlaps the window horizontally (touching edges count).
 * Only x is tested: stage pieces scroll sideways.
 */
bool isHorizontallyOnScreen(CCNode* node);

/** A node that skips drawing itself and its children while it is off screen to the left or right. */
class CCVisibilityCheckNode : public CCNode
{
public:
    static CCVisibilityCheckNode* create();
    virtual void visit();
};

NS_CC_END

#endif // __CC_VISIBILITY_CHECK_NODE_H__
