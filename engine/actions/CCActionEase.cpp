#include "actions/CCActionEase.h"

#include <cmath>

NS_CC_BEGIN

namespace
{
const float kPi = 3.14159265358979f;
const float kBackOvershoot = 1.70158f;

template <typename T>
T* wrap(T* ease, CCActionInterval* inner)
{
    if (ease->initWithAction(inner))
    {
        ease->autorelease();
        return ease;
    }
    delete ease;
    return NULL;
}

template <typename T>
T* wrapRate(T* ease, CCActionInterval* inner, float rate)
{
    if (ease->initWithAction(inner, rate))
    {
        ease->autorelease();
        return ease;
    }
    delete ease;
    return NULL;
}

// The curves below keep their ends exact (0 -> 0, 1 -> 1) so eased moves land where asked.
float easeIn(float t, float rate)
{
    return powf(t, rate);
}

float easeOut(float t, float rate)
{
    return powf(t, 1.0f / rate);
}

float easeInOut(float t, float rate)
{
    t *= 2.0f;
    if (t < 1.0f)
    {
        return 0.5f * powf(t, rate);
    }
    return 1.0f - 0.5f * powf(2.0f - t, rate);
}

float elasticIn(float t, float period)
{
    if (t == 0.0f || t == 1.0f)
    {
        return t;
    }
    const float s = period / 4.0f;
    t -= 1.0f;
    return -powf(2.0f, 10.0f * t) * sinf((t - s) * kPi * 2.0f / period);
}

float elasticOut(float t, float period)
{
    if (t == 0.0f || t == 1.0f)
    {
        return t;
    }
    const float s = period / 4.0f;
    return powf(2.0f, -10.0f * t) * sinf((t - s) * kPi * 2.0f / period) + 1.0f;
}

float elasticInOut(float t, float period)
{
    if (t == 0.0f || t == 1.0f)
    {
        return t;
    }
    t *= 2.0f;
    const float s = period / 4.0f;
    t -= 1.0f;
    if (t < 0.0f)
    {
        return -0.5f * powf(2.0f, 10.0f * t) * sinf((t - s) * kPi * 2.0f / period);
    }
    return powf(2.0f, -10.0f * t) * sinf((t - s) * kPi * 2.0f / period) * 0.5f + 1.0f;
}
} // namespace

// ---- base ----------------------------------------------------------------------------------

CCActionEase::CCActionEase()
: m_pInner(NULL)
{
}

CCActionEase::~CCActionEase()
{
    CC_SAFE_RELEASE(m_pInner);
}

CCActionEase* CCActionEase::create(CCActionInterval* pAction)
{
    return wrap(new CCActionEase(), pAction);
}

bool CCActionEase::initWithAction(CCActionInterval* pAction)
{
    if (!pAction)
    {
        CCLog("CCActionEase::initWithAction - NULL action");
        return false;
    }
    CCActionInterval::initWithDuration(pAction->getDuration());
    pAction->retain();
    CC_SAFE_RELEASE(m_pInner);
    m_pInner = pAction;
    return true;
}

void CCActionEase::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_pInner->startWithTarget(m_pTarget);
}

void CCActionEase::stop(void)
{
    m_pInner->stop();
    CCActionInterval::stop();
}

void CCActionEase::update(float time)
{
    m_pInner->update(time);
}

CCEaseRateAction* CCEaseRateAction::create(CCActionInterval* pAction, float fRate)
{
    return wrapRate(new CCEaseRateAction(), pAction, fRate);
}

bool CCEaseRateAction::initWithAction(CCActionInterval* pAction, float fRate)
{
    if (!CCActionEase::initWithAction(pAction))
    {
        return false;
    }
    m_fRate = fRate;
    return true;
}

// ---- polynomial ----------------------------------------------------------------------------

CCEaseIn* CCEaseIn::create(CCActionInterval* pAction, float fRate)
{
    return wrapRate(new CCEaseIn(), pAction, fRate);
}

void CCEaseIn::update(float time)
{
    m_pInner->update(easeIn(time, m_fRate));
}

CCEaseOut* CCEaseOut::create(CCActionInterval* pAction, float fRate)
{
    return wrapRate(new CCEaseOut(), pAction, fRate);
}

void CCEaseOut::update(float time)
{
    m_pInner->update(easeOut(time, m_fRate));
}

CCEaseInOut* CCEaseInOut::create(CCActionInterval* pAction, float fRate)
{
    return wrapRate(new CCEaseInOut(), pAction, fRate);
}

void CCEaseInOut::update(float time)
{
    m_pInner->update(easeInOut(time, m_fRate));
}

// ---- exponential and sine ------------------------------------------------------------------

CCEaseExponentialIn* CCEaseExponentialIn::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseExponentialIn(), pAction);
}

void CCEaseExponentialIn::update(float time)
{
    m_pInner->update(time == 0.0f ? 0.0f : powf(2.0f, 10.0f * (time - 1.0f)) - 0.001f);
}

CCEaseExponentialOut* CCEaseExponentialOut::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseExponentialOut(), pAction);
}

void CCEaseExponentialOut::update(float time)
{
    m_pInner->update(time == 1.0f ? 1.0f : -powf(2.0f, -10.0f * time) + 1.0f);
}

CCEaseExponentialInOut* CCEaseExponentialInOut::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseExponentialInOut(), pAction);
}

void CCEaseExponentialInOut::update(float time)
{
    if (time == 0.0f || time == 1.0f)
    {
        m_pInner->update(time);
        return;
    }
    time *= 2.0f;
    if (time < 1.0f)
    {
        m_pInner->update(0.5f * powf(2.0f, 10.0f * (time - 1.0f)));
    }
    else
    {
        m_pInner->update(0.5f * (-powf(2.0f, -10.0f * (time - 1.0f)) + 2.0f));
    }
}

CCEaseSineIn* CCEaseSineIn::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseSineIn(), pAction);
}

void CCEaseSineIn::update(float time)
{
    m_pInner->update(time == 1.0f ? 1.0f : -cosf(time * kPi / 2.0f) + 1.0f);
}

CCEaseSineOut* CCEaseSineOut::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseSineOut(), pAction);
}

void CCEaseSineOut::update(float time)
{
    m_pInner->update(time == 1.0f ? 1.0f : sinf(time * kPi / 2.0f));
}

CCEaseSineInOut* CCEaseSineInOut::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseSineInOut(), pAction);
}

void CCEaseSineInOut::update(float time)
{
    m_pInner->update(time == 1.0f ? 1.0f : -0.5f * (cosf(kPi * time) - 1.0f));
}

// ---- elastic -------------------------------------------------------------------------------

CCEaseElastic* CCEaseElastic::create(CCActionInterval* pAction, float fPeriod)
{
    return wrapRate(new CCEaseElastic(), pAction, fPeriod);
}

bool CCEaseElastic::initWithAction(CCActionInterval* pAction, float fPeriod)
{
    if (!CCActionEase::initWithAction(pAction))
    {
        return false;
    }
    m_fPeriod = fPeriod;
    return true;
}

CCEaseElasticIn* CCEaseElasticIn::create(CCActionInterval* pAction, float fPeriod)
{
    return wrapRate(new CCEaseElasticIn(), pAction, fPeriod);
}

void CCEaseElasticIn::update(float time)
{
    m_pInner->update(elasticIn(time, m_fPeriod));
}

CCEaseElasticOut* CCEaseElasticOut::create(CCActionInterval* pAction, float fPeriod)
{
    return wrapRate(new CCEaseElasticOut(), pAction, fPeriod);
}

void CCEaseElasticOut::update(float time)
{
    m_pInner->update(elasticOut(time, m_fPeriod));
}

CCEaseElasticInOut* CCEaseElasticInOut::create(CCActionInterval* pAction, float fPeriod)
{
    return wrapRate(new CCEaseElasticInOut(), pAction, fPeriod);
}

void CCEaseElasticInOut::update(float time)
{
    // The in-out spring is slower: stretch the default period by half.
    const float period = m_fPeriod == 0.0f ? 0.3f * 1.5f : m_fPeriod;
    m_pInner->update(elasticInOut(time, period));
}

// ---- bounce --------------------------------------------------------------------------------

float CCEaseBounce::bounceTime(float time)
{
    if (time < 1.0f / 2.75f)
    {
        return 7.5625f * time * time;
    }
    if (time < 2.0f / 2.75f)
    {
        time -= 1.5f / 2.75f;
        return 7.5625f * time * time + 0.75f;
    }
    if (time < 2.5f / 2.75f)
    {
        time -= 2.25f / 2.75f;
        return 7.5625f * time * time + 0.9375f;
    }
    time -= 2.625f / 2.75f;
    return 7.5625f * time * time + 0.984375f;
}

CCEaseBounceIn* CCEaseBounceIn::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseBounceIn(), pAction);
}

void CCEaseBounceIn::update(float time)
{
    m_pInner->update(time == 1.0f ? 1.0f : 1.0f - bounceTime(1.0f - time));
}

CCEaseBounceOut* CCEaseBounceOut::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseBounceOut(), pAction);
}

void CCEaseBounceOut::update(float time)
{
    m_pInner->update(time == 1.0f ? 1.0f : bounceTime(time));
}

CCEaseBounceInOut* CCEaseBounceInOut::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseBounceInOut(), pAction);
}

void CCEaseBounceInOut::update(float time)
{
    float eased;
    if (time == 1.0f)
    {
        eased = 1.0f;
    }
    else if (time < 0.5f)
    {
        eased = (1.0f - bounceTime(1.0f - time * 2.0f)) * 0.5f;
    }
    else
    {
        eased = bounceTime(time * 2.0f - 1.0f) * 0.5f + 0.5f;
    }
    m_pInner->update(eased);
}

// ---- back ----------------------------------------------------------------------------------

CCEaseBackIn* CCEaseBackIn::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseBackIn(), pAction);
}

void CCEaseBackIn::update(float time)
{
    const float o = kBackOvershoot;
    m_pInner->update(time == 1.0f ? 1.0f : time * time * ((o + 1.0f) * time - o));
}

CCEaseBackOut* CCEaseBackOut::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseBackOut(), pAction);
}

void CCEaseBackOut::update(float time)
{
    const float o = kBackOvershoot;
    if (time == 1.0f)
    {
        m_pInner->update(1.0f);
        return;
    }
    time -= 1.0f;
    m_pInner->update(time * time * ((o + 1.0f) * time + o) + 1.0f);
}

CCEaseBackInOut* CCEaseBackInOut::create(CCActionInterval* pAction)
{
    return wrap(new CCEaseBackInOut(), pAction);
}

void CCEaseBackInOut::update(float time)
{
    const float o = kBackOvershoot * 1.525f;
    if (time == 1.0f)
    {
        m_pInner->update(1.0f);
        return;
    }
    time *= 2.0f;
    if (time < 1.0f)
    {
        m_pInner->update((time * time * ((o + 1.0f) * time - o)) / 2.0f);
    }
    else
    {
        time -= 2.0f;
        m_pInner->update((time * time * ((o + 1.0f) * time + o)) / 2.0f + 1.0f);
    }
}

NS_CC_END
