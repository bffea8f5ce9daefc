#ifndef __CC_ACTION_EASE_H__
#define __CC_ACTION_EASE_H__

#include "actions/CCActionInterval.h"

NS_CC_BEGIN

/** Runs an inner action with its progress bent by an easing curve; ends exactly at 1. */
class CCActionEase : public CCActionInterval
{
public:
    CCActionEase();
    virtual ~CCActionEase();
    static CCActionEase* create(CCActionInterval* pAction);
    bool initWithAction(CCActionInterval* pAction);

    virtual void startWithTarget(CCNode* pTarget);
    virtual void stop(void);
    virtual void update(float time);
    virtual CCActionInterval* getInnerAction() { return m_pInner; }

protected:
    CCActionInterval* m_pInner;   ///< retained
};

class CCEaseRateAction : public CCActionEase
{
public:
    static CCEaseRateAction* create(CCActionInterval* pAction, float fRate);
    bool initWithAction(CCActionInterval* pAction, float fRate);
    void setRate(float rate) { m_fRate = rate; }
    float getRate(void) { return m_fRate; }

protected:
    float m_fRate;
};

/** t^rate */
class CCEaseIn : public CCEaseRateAction
{
public:
    static CCEaseIn* create(CCActionInterval* pAction, float fRate);
    virtual void update(float time);
};

/** t^(1/rate) */
class CCEaseOut : public CCEaseRateAction
{
public:
    static CCEaseOut* create(CCActionInterval* pAction, float fRate);
    virtual void update(float time);
};

/** Ease in for the first half, out for the second. */
class CCEaseInOut : public CCEaseRateAction
{
public:
    static CCEaseInOut* create(CCActionInterval* pAction, float fRate);
    virtual void update(float time);
};

class CCEaseExponentialIn : public CCActionEase
{
public:
    static CCEaseExponentialIn* create(CCActionInterval* pAction);
    virtual void update(float time);
};

class CCEaseExponentialOut : public CCActionEase
{
public:
    static CCEaseExponentialOut* create(CCActionInterval* pAction);
    virtual void update(float time);
};

class CCEaseExponentialInOut : public CCActionEase
{
public:
    static CCEaseExponentialInOut* create(CCActionInterval* pAction);
    virtual void update(float time);
};

class CCEaseSineIn : public CCActionEase
{
public:
    static CCEaseSineIn* create(CCActionInterval* pAction);
    virtual void update(float time);
};

class CCEaseSineOut : public CCActionEase
{
public:
    static CCEaseSineOut* create(CCActionInterval* pAction);
    virtual void update(float time);
};

class CCEaseSineInOut : public CCActionEase
{
public:
    static CCEaseSineInOut* create(CCActionInterval* pAction);
    virtual void update(float time);
};

/** A spring; period defaults to 0.3 (0.45 for in-out). */
class CCEaseElastic : public CCActionEase
{
public:
    static CCEaseElastic* create(CCActionInterval* pAction, float fPeriod = 0.3f);
    bool initWithAction(CCActionInterval* pAction, float fPeriod = 0.3f);
    float getPeriod(void) { return m_fPeriod; }
    void setPeriod(float fPeriod) { m_fPeriod = fPeriod; }

protected:
    float m_fPeriod;
};

class CCEaseElasticIn : public CCEaseElastic
{
public:
    static CCEaseElasticIn* create(CCActionInterval* pAction, float fPeriod = 0.3f);
    virtual void update(float time);
};

class CCEaseElasticOut : public CCEaseElastic
{
public:
    static CCEaseElasticOut* create(CCActionInterval* pAction, float fPeriod = 0.3f);
    virtual void update(float time);
};

class CCEaseElasticInOut : public CCEaseElastic
{
public:
    static CCEaseElasticInOut* create(CCActionInterval* pAction, float fPeriod = 0.3f);
    virtual void update(float time);
};

class CCEaseBounce : public CCActionEase
{
public:
    /** The bounce curve over [0, 1], ending on 1. */
    static float bounceTime(float time);
};

class CCEaseBounceIn : public CCEaseBounce
{
public:
    static CCEaseBounceIn* create(CCActionInterval* pAction);
    virtual void update(float time);
};

class CCEaseBounceOut : public CCEaseBounce
{
public:
    static CCEaseBounceOut* create(CCActionInterval* pAction);
    virtual void update(float time);
};

class CCEaseBounceInOut : public CCEaseBounce
{
public:
    static CCEaseBounceInOut* create(CCActionInterval* pAction);
    virtual void update(float time);
};

/** Overshoots backwards before (in), past the end after (out), or both. */
class CCEaseBackIn : public CCActionEase
{
public:
    static CCEaseBackIn* create(CCActionInterval* pAction);
    virtual void update(float time);
};

class CCEaseBackOut : public CCActionEase
{
public:
    static CCEaseBackOut* create(CCActionInterval* pAction);
    virtual void update(float time);
};

class CCEaseBackInOut : public CCActionEase
{
public:
    static CCEaseBackInOut* create(CCActionInterval* pAction);
    virtual void update(float time);
};

NS_CC_END

#endif // __CC_ACTION_EASE_H__
