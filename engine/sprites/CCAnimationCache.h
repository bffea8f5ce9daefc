#ifndef __CC_ANIMATION_CACHE_H__
#define __CC_ANIMATION_CACHE_H__

#include "base/CCDictionary.h"

NS_CC_BEGIN

class CCAnimation;

/** Animations by name. */
class CCAnimationCache : public CCObject
{
public:
    CCAnimationCache();
    virtual ~CCAnimationCache();
    static CCAnimationCache* sharedAnimationCache(void);
    static void purgeSharedAnimationCache(void);

    void addAnimation(CCAnimation* animation, const char* name);
    void removeAnimationByName(const char* name);
    /** NULL when there is none. */
    CCAnimation* animationByName(const char* name);

private:
    CCDictionary* m_pAnimations;
};

NS_CC_END

#endif // __CC_ANIMATION_CACHE_H__
