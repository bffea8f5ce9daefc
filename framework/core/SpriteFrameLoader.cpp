#include "SpriteFrameHelpers.h"

#include "CCSpriteFrame.h"
#include "CCSpriteFrameCache.h"
#include "CCString.h"

NS_CC_BEGIN

CCArray* loadSpriteFramesFromFile(const char* fileName)
{
    // Reading the names adds the sheet to the cache.
    CCArray* names = getSortedSpriteFrameNames(fileName);
    if (names == NULL)
    {
        // Already logged; callers get no frames rather than a NULL to trip over.
        return CCArray::create();
    }
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    CCArray* frames = CCArray::createWithCapacity(names->count());
    CCObject* name = NULL;
    CCARRAY_FOREACH(names, name)
    {
        CCSpriteFrame* frame = cache->spriteFrameByName(static_cast<CCString*>(name)->getCString());
        if (frame == NULL)
        {
            break;
        }
        frames->addObject(frame);
    }
    return frames;
}

NS_CC_END
