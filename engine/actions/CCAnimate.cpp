#include "actions/CCActionInterval.h"

#include "sprites/CCAnimation.h"
#include "sprites/CCSprite.h"
#include "sprites/CCSpriteFrame.h"

#include <cmath>

NS_CC_BEGIN

CCAnimate::CCAnimate()
: m_nNextFrame(0)
, m_pOrigFrame(NULL)
, m_uExecutedLoops(0)
, m_pAnimation(NULL)
{
}

CCAnimate::~CCAnimate()
{
    CC_SAFE_RELEASE(m_pAnimation);
    CC_SAFE_RELEASE(m_pOrigFrame);
}

CCAnimate* CCAnimate::create(CCAnimation* pAnimation)
{
    CCAnimate* action = new CCAnimate();
    if (action->initWithAnimation(pAnimation))
    {
        action->autorelease();
        return action;
    }
    delete action;
    return NULL;
}

bool CCAnimate::initWithAnimation(CCAnimation* pAnimation)
{
    if (!pAnimation)
    {
        CCLog("CCAnimate::initWithAnimation - animation is NULL");
        return false;
    }
    const float singleDuration = pAnimation->getDuration();
    CCActionInterval::initWithDuration(singleDuration * pAnimation->getLoops());
    setAnimation(pAnimation);

    m_splitTimes.clear();
    const float totalUnits = pAnimation->getTotalDelayUnits();
    float accumulated = 0.0f;
    CCObject* obj = NULL;
    CCARRAY_FOREACH(pAnimation->getFrames(), obj)
    {
        m_splitTimes.push_back(totalUnits > 0.0f ? accumulated / totalUnits : 0.0f);
        accumulated += static_cast<CCAnimationFrame*>(obj)->getDelayUnits();
    }
    return true;
}

void CCAnimate::setAnimation(CCAnimation* pAnimation)
{
    CC_SAFE_RETAIN(pAnimation);
    CC_SAFE_RELEASE(m_pAnimation);
    m_pAnimation = pAnimation;
}

void CCAnimate::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    CC_SAFE_RELEASE_NULL(m_pOrigFrame);
    CCSprite* sprite = dynamic_cast<CCSprite*>(pTarget);
    if (sprite && m_pAnimation->getRestoreOriginalFrame())
    {
        m_pOrigFrame = sprite->displayFrame();
        m_pOrigFrame->retain();
    }
    m_nNextFrame = 0;
    m_uExecutedLoops = 0;
}

void CCAnimate::stop(void)
{
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_pTarget);
    if (sprite && m_pOrigFrame && m_pAnimation->getRestoreOriginalFrame())
    {
        sprite->setDisplayFrame(m_pOrigFrame);
    }
    CC_SAFE_RELEASE_NULL(m_pOrigFrame);
    CCActionInterval::stop();
}

void CCAnimate::update(float t)
{
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_pTarget);
    if (!sprite)
    {
        return;
    }
    if (t < 1.0f)
    {
        t *= (float)m_pAnimation->getLoops();
        const unsigned int loop = (unsigned int)t;
        if (loop > m_uExecutedLoops)
        {
            m_nNextFrame = 0;
            ++m_uExecutedLoops;
        }
        t = fmodf(t, 1.0f);
    }
    CCArray* frames = m_pAnimation->getFrames();
    const int count = (int)frames->count();
    for (int i = m_nNextFrame; i < count && i < (int)m_splitTimes.size(); ++i)
    {
        if (m_splitTimes[i] > t)
        {
            break;
        }
        sprite->setDisplayFrame(static_cast<CCAnimationFrame*>(frames->objectAtIndex(i))->getSpriteFrame());
        m_nNextFrame = i + 1;
    }
}

NS_CC_END
