#ifndef __CC_VISIBILITY_CHECK_SPRITE_LOADER_H__
#define __CC_VISIBILITY_CHECK_SPRITE_LOADER_H__

#include "CCSpriteLoader.h"
#include "CCVisibilityCheckSprite.h"

NS_CC_EXT_BEGIN

/** "CCVisibilityCheckSprite": a sprite's properties. */
class CCVisibilityCheckSpriteLoader : public CCSpriteLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCVisibilityCheckSpriteLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCVisibilityCheckSprite);
};

NS_CC_EXT_END

#endif // __CC_VISIBILITY_CHECK_SPRITE_LOADER_H__
