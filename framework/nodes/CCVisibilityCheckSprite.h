#ifndef __CC_VISIBILITY_CHECK_SPRITE_H__
#define __CC_VISIBILITY_CHECK_SPRITE_H__

#include "CCSprite.h"

NS_CC_BEGIN

/** A sprite that is not drawn (nor its children) while off screen to the left or right. */
class CCVisibilityCheckSprite : public CCSprite
{
public:
    /** NULL when the sprite cannot be initialised. */
    static CCVisibilityCheckSprite* create();
    virtual void visit();
};

NS_CC_END

#endif // __CC_VISIBILITY_CHECK_SPRITE_H__
