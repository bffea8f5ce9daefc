#include "sprites/CCAnimationCache.h"

#include "sprites/CCAnimation.h"

NS_CC_BEGIN

namespace
{
CCAnimationCache* s_sharedAnimationCache = NULL;
}

CCAnimationCache* CCAnimationCache::sharedAnimationCache(void)
{
    if (!s_sharedAnimationCache)
    {
        s_sharedAnimationCache = new CCAnimationCache();
    }
    return s_sharedAnimationCache;
}

void CCAnimationCache::purgeSharedAnimationCache(void)
{
    CC_SAFE_RELEASE_NULL(s_sharedAnimationCache);
}

CCAnimationCache::CCAnimationCache()
{
    m_pAnimations = new CCDictionary();
}

CCAnimationCache::~CCAnimationCache()
{
    CC_SAFE_RELEASE(m_pAnimations);
}

void CCAnimationCache::addAnimation(CCAnimation* animation, const char* name)
{
    if (animation && name)
    {
        m_pAnimations->setObject(animation, std::string(name));
    }
}

void CCAnimationCache::removeAnimationByName(const char* name)
{
    if (name)
    {
        m_pAnimations->removeObjectForKey(std::string(name));
    }
}

CCAnimation* CCAnimationCache::animationByName(const char* name)
{
    return name ? static_cast<CCAnimation*>(m_pAnimations->objectForKey(std::string(name))) : NULL;
}

NS_CC_END
