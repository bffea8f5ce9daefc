#include "actions/CCActionInterval.h"

#include "actions/CCActionInstant.h"
#include "nodes/CCNode.h"

#include <cfloat>
#include <cmath>
#include <cstdarg>

NS_CC_BEGIN

namespace
{
template <typename T>
T* autoreleased(T* action, bool ok)
{
    if (ok)
    {
        action->autorelease();
        return action;
    }
    delete action;
    return NULL;
}

// Folds a list into nested pairs: ((a, b), c) ...
template <typename T>
CCFiniteTimeAction* chain(CCArray* actions)
{
    if (!actions || actions->count() == 0)
    {
        return NULL;
    }
    CCFiniteTimeAction* prev = static_cast<CCFiniteTimeAction*>(actions->objectAtIndex(0));
    if (actions->count() == 1)
    {
        // A pair with an empty partner keeps one code path for every length.
        return T::createWithTwoActions(prev, CCExtraAction::create());
    }
    for (unsigned int i = 1; i < actions->count(); ++i)
    {
        prev = T::createWithTwoActions(prev, static_cast<CCFiniteTimeAction*>(actions->objectAtIndex(i)));
    }
    return prev;
}

CCArray* collect(CCFiniteTimeAction* first, va_list args)
{
    CCArray* list = CCArray::create();
    for (CCFiniteTimeAction* action = first; action; action = va_arg(args, CCFiniteTimeAction*))
    {
        list->addObject(action);
    }
    return list;
}

float normalisedAngle(float angle)
{
    angle = fmodf(angle, 360.0f);
    if (angle > 180.0f)
    {
        angle -= 360.0f;
    }
    if (angle < -180.0f)
    {
        angle += 360.0f;
    }
    return angle;
}
} // namespace

// ---- CCActionInterval ----------------------------------------------------------------------

CCActionInterval::CCActionInterval()
: m_elapsed(0.0f)
, m_bFirstTick(true)
, m_fAmplitudeRate(1.0f)
{
}

CCActionInterval* CCActionInterval::create(float d)
{
    CCActionInterval* action = new CCActionInterval();
    return autoreleased(action, action->initWithDuration(d));
}

bool CCActionInterval::initWithDuration(float d)
{
    m_fDuration = d > FLT_EPSILON ? d : FLT_EPSILON;
    m_elapsed = 0.0f;
    m_bFirstTick = true;
    return true;
}

bool CCActionInterval::isDone(void)
{
    return m_elapsed >= m_fDuration;
}

void CCActionInterval::step(float dt)
{
    if (m_bFirstTick)
    {
        m_bFirstTick = false;
        m_elapsed = 0.0f;
    }
    else
    {
        m_elapsed += dt;
    }
    float t = m_elapsed / m_fDuration;
    update(t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t));
}

void CCActionInterval::startWithTarget(CCNode* pTarget)
{
    CCFiniteTimeAction::startWithTarget(pTarget);
    m_elapsed = 0.0f;
    m_bFirstTick = true;
}

// ---- CCSequence ----------------------------------------------------------------------------

CCSequence::CCSequence()
: m_split(0.0f)
, m_last(-1)
{
    m_pActions[0] = m_pActions[1] = NULL;
}

CCSequence::~CCSequence()
{
    CC_SAFE_RELEASE(m_pActions[0]);
    CC_SAFE_RELEASE(m_pActions[1]);
}

CCSequence* CCSequence::create(CCFiniteTimeAction* pAction1, ...)
{
    va_list args;
    va_start(args, pAction1);
    CCArray* list = collect(pAction1, args);
    va_end(args);
    return create(list);
}

CCSequence* CCSequence::create(CCArray* arrayOfActions)
{
    return static_cast<CCSequence*>(chain<CCSequence>(arrayOfActions));
}

CCSequence* CCSequence::createWithTwoActions(CCFiniteTimeAction* pActionOne, CCFiniteTimeAction* pActionTwo)
{
    CCSequence* action = new CCSequence();
    return autoreleased(action, action->initWithTwoActions(pActionOne, pActionTwo));
}

bool CCSequence::initWithTwoActions(CCFiniteTimeAction* pActionOne, CCFiniteTimeAction* pActionTwo)
{
    if (!pActionOne || !pActionTwo)
    {
        CCLog("CCSequence::initWithTwoActions - NULL action");
        return false;
    }
    CCActionInterval::initWithDuration(pActionOne->getDuration() + pActionTwo->getDuration());
    pActionOne->retain();
    pActionTwo->retain();
    m_pActions[0] = pActionOne;
    m_pActions[1] = pActionTwo;
    return true;
}

void CCSequence::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_split = m_pActions[0]->getDuration() / m_fDuration;
    m_last = -1;
}

void CCSequence::stop(void)
{
    if (m_last != -1)
    {
        m_pActions[m_last]->stop();
    }
    CCActionInterval::stop();
}

void CCSequence::update(float t)
{
    int found;
    float local;
    if (t < m_split)
    {
        found = 0;
        local = m_split != 0.0f ? t / m_split : 1.0f;
    }
    else
    {
        found = 1;
        local = m_split == 1.0f ? 1.0f : (t - m_split) / (1.0f - m_split);
    }

    if (found == 1)
    {
        if (m_last == -1)
        {
            // The first action was skipped over in one frame: run it to its end.
            m_pActions[0]->startWithTarget(m_pTarget);
            m_pActions[0]->update(1.0f);
            m_pActions[0]->stop();
        }
        else if (m_last == 0)
        {
            m_pActions[0]->update(1.0f);
            m_pActions[0]->stop();
        }
    }
    else if (m_last == 1)
    {
        // Played backwards (reversed time): undo the second before the first resumes.
        m_pActions[1]->update(0.0f);
        m_pActions[1]->stop();
    }

    if (found == m_last && m_pActions[found]->isDone())
    {
        return;
    }
    if (found != m_last)
    {
        m_pActions[found]->startWithTarget(m_pTarget);
    }
    m_pActions[found]->update(local);
    m_last = found;
}

// ---- CCRepeat ------------------------------------------------------------------------------

CCRepeat::CCRepeat()
: m_uTimes(0)
, m_uTotal(0)
, m_bActionInstant(false)
, m_pInnerAction(NULL)
{
}

CCRepeat::~CCRepeat()
{
    CC_SAFE_RELEASE(m_pInnerAction);
}

CCRepeat* CCRepeat::create(CCFiniteTimeAction* pAction, unsigned int times)
{
    CCRepeat* action = new CCRepeat();
    return autoreleased(action, action->initWithAction(pAction, times));
}

bool CCRepeat::initWithAction(CCFiniteTimeAction* pAction, unsigned int times)
{
    if (!pAction)
    {
        CCLog("CCRepeat::initWithAction - NULL action");
        return false;
    }
    CCActionInterval::initWithDuration(pAction->getDuration() * times);
    m_uTimes = times;
    pAction->retain();
    m_pInnerAction = pAction;
    m_bActionInstant = dynamic_cast<CCActionInstant*>(pAction) != NULL;
    m_uTotal = 0;
    return true;
}

void CCRepeat::startWithTarget(CCNode* pTarget)
{
    m_uTotal = 0;
    CCActionInterval::startWithTarget(pTarget);
    m_pInnerAction->startWithTarget(pTarget);
}

void CCRepeat::stop(void)
{
    m_pInnerAction->stop();
    CCActionInterval::stop();
}

void CCRepeat::update(float t)
{
    // Which run we are in, and how far through it.
    const float runs = t * (float)m_uTimes;
    unsigned int completed = t >= 1.0f ? m_uTimes : (unsigned int)runs;
    if (completed > m_uTimes)
    {
        completed = m_uTimes;
    }
    while (m_uTotal < completed)
    {
        m_pInnerAction->update(1.0f);
        m_pInnerAction->stop();
        ++m_uTotal;
        if (m_uTotal < m_uTimes)
        {
            m_pInnerAction->startWithTarget(m_pTarget);
        }
    }
    if (m_uTotal < m_uTimes && !m_bActionInstant)
    {
        m_pInnerAction->update(runs - (float)m_uTotal);
    }
}

bool CCRepeat::isDone(void)
{
    return m_uTotal >= m_uTimes;
}

// ---- CCRepeatForever -----------------------------------------------------------------------

CCRepeatForever::CCRepeatForever()
: m_pInnerAction(NULL)
{
}

CCRepeatForever::~CCRepeatForever()
{
    CC_SAFE_RELEASE(m_pInnerAction);
}

CCRepeatForever* CCRepeatForever::create(CCActionInterval* pAction)
{
    CCRepeatForever* action = new CCRepeatForever();
    return autoreleased(action, action->initWithAction(pAction));
}

bool CCRepeatForever::initWithAction(CCActionInterval* pAction)
{
    if (!pAction)
    {
        CCLog("CCRepeatForever::initWithAction - NULL action");
        return false;
    }
    pAction->retain();
    m_pInnerAction = pAction;
    return true;
}

void CCRepeatForever::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_pInnerAction->startWithTarget(pTarget);
}

void CCRepeatForever::step(float dt)
{
    m_pInnerAction->step(dt);
    if (m_pInnerAction->isDone())
    {
        float overshoot = m_pInnerAction->getElapsed() - m_pInnerAction->getDuration();
        m_pInnerAction->startWithTarget(m_pTarget);
        m_pInnerAction->step(0.0f);   // the first step only starts the clock
        m_pInnerAction->step(overshoot);
    }
}

bool CCRepeatForever::isDone(void)
{
    return false;
}

// ---- CCSpawn -------------------------------------------------------------------------------

CCSpawn::CCSpawn()
: m_pOne(NULL)
, m_pTwo(NULL)
{
}

CCSpawn::~CCSpawn()
{
    CC_SAFE_RELEASE(m_pOne);
    CC_SAFE_RELEASE(m_pTwo);
}

CCSpawn* CCSpawn::create(CCFiniteTimeAction* pAction1, ...)
{
    va_list args;
    va_start(args, pAction1);
    CCArray* list = collect(pAction1, args);
    va_end(args);
    return create(list);
}

CCSpawn* CCSpawn::create(CCArray* arrayOfActions)
{
    return static_cast<CCSpawn*>(chain<CCSpawn>(arrayOfActions));
}

CCSpawn* CCSpawn::createWithTwoActions(CCFiniteTimeAction* pAction1, CCFiniteTimeAction* pAction2)
{
    CCSpawn* action = new CCSpawn();
    return autoreleased(action, action->initWithTwoActions(pAction1, pAction2));
}

bool CCSpawn::initWithTwoActions(CCFiniteTimeAction* pAction1, CCFiniteTimeAction* pAction2)
{
    if (!pAction1 || !pAction2)
    {
        CCLog("CCSpawn::initWithTwoActions - NULL action");
        return false;
    }
    const float d1 = pAction1->getDuration();
    const float d2 = pAction2->getDuration();
    CCActionInterval::initWithDuration(d1 > d2 ? d1 : d2);
    m_pOne = pAction1;
    m_pTwo = pAction2;
    if (d1 > d2)
    {
        m_pTwo = CCSequence::createWithTwoActions(pAction2, CCDelayTime::create(d1 - d2));
    }
    else if (d1 < d2)
    {
        m_pOne = CCSequence::createWithTwoActions(pAction1, CCDelayTime::create(d2 - d1));
    }
    m_pOne->retain();
    m_pTwo->retain();
    return true;
}

void CCSpawn::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_pOne->startWithTarget(pTarget);
    m_pTwo->startWithTarget(pTarget);
}

void CCSpawn::stop(void)
{
    m_pOne->stop();
    m_pTwo->stop();
    CCActionInterval::stop();
}

void CCSpawn::update(float time)
{
    m_pOne->update(time);
    m_pTwo->update(time);
}

// ---- rotation ------------------------------------------------------------------------------

CCRotateTo* CCRotateTo::create(float fDuration, float fDeltaAngle)
{
    CCRotateTo* action = new CCRotateTo();
    return autoreleased(action, action->initWithDuration(fDuration, fDeltaAngle));
}

bool CCRotateTo::initWithDuration(float fDuration, float fDeltaAngle)
{
    CCActionInterval::initWithDuration(fDuration);
    m_fDstAngle = fDeltaAngle;
    m_fStartAngle = m_fDiffAngle = 0.0f;
    return true;
}

void CCRotateTo::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_fStartAngle = fmodf(pTarget->getRotation(), 360.0f);
    m_fDiffAngle = normalisedAngle(m_fDstAngle - m_fStartAngle);
}

void CCRotateTo::update(float time)
{
    if (m_pTarget)
    {
        m_pTarget->setRotation(m_fStartAngle + m_fDiffAngle * time);
    }
}

CCRotateBy* CCRotateBy::create(float fDuration, float fDeltaAngle)
{
    CCRotateBy* action = new CCRotateBy();
    return autoreleased(action, action->initWithDuration(fDuration, fDeltaAngle));
}

bool CCRotateBy::initWithDuration(float fDuration, float fDeltaAngle)
{
    CCActionInterval::initWithDuration(fDuration);
    m_fAngle = fDeltaAngle;
    m_fStartAngle = 0.0f;
    return true;
}

void CCRotateBy::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_fStartAngle = pTarget->getRotation();
}

void CCRotateBy::update(float time)
{
    if (m_pTarget)
    {
        m_pTarget->setRotation(m_fStartAngle + m_fAngle * time);
    }
}

// ---- movement ------------------------------------------------------------------------------

CCMoveBy* CCMoveBy::create(float duration, const CCPoint& deltaPosition)
{
    CCMoveBy* action = new CCMoveBy();
    return autoreleased(action, action->initWithDuration(duration, deltaPosition));
}

bool CCMoveBy::initWithDuration(float duration, const CCPoint& deltaPosition)
{
    CCActionInterval::initWithDuration(duration);
    m_positionDelta = deltaPosition;
    return true;
}

void CCMoveBy::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_startPosition = pTarget->getPosition();
}

void CCMoveBy::update(float time)
{
    if (m_pTarget)
    {
        m_pTarget->setPosition(m_startPosition + m_positionDelta * time);
    }
}

CCMoveTo* CCMoveTo::create(float duration, const CCPoint& position)
{
    CCMoveTo* action = new CCMoveTo();
    return autoreleased(action, action->initWithDuration(duration, position));
}

bool CCMoveTo::initWithDuration(float duration, const CCPoint& position)
{
    CCActionInterval::initWithDuration(duration);
    m_endPosition = position;
    return true;
}

void CCMoveTo::startWithTarget(CCNode* pTarget)
{
    CCMoveBy::startWithTarget(pTarget);
    m_positionDelta = m_endPosition - pTarget->getPosition();
}

void CCMoveTo::update(float time)
{
    if (m_pTarget)
    {
        // start + (end - start) can miss end by a rounding step; the end is exact.
        m_pTarget->setPosition(time == 1.0f ? m_endPosition : m_startPosition + m_positionDelta * time);
    }
}

// ---- skew ----------------------------------------------------------------------------------

CCSkewTo::CCSkewTo()
: m_fSkewX(0.0f), m_fSkewY(0.0f), m_fStartSkewX(0.0f), m_fStartSkewY(0.0f)
, m_fEndSkewX(0.0f), m_fEndSkewY(0.0f), m_fDeltaX(0.0f), m_fDeltaY(0.0f)
{
}

CCSkewTo* CCSkewTo::create(float t, float sx, float sy)
{
    CCSkewTo* action = new CCSkewTo();
    return autoreleased(action, action->initWithDuration(t, sx, sy));
}

bool CCSkewTo::initWithDuration(float t, float sx, float sy)
{
    CCActionInterval::initWithDuration(t);
    m_fEndSkewX = sx;
    m_fEndSkewY = sy;
    return true;
}

void CCSkewTo::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_fStartSkewX = fmodf(pTarget->getSkewX(), 360.0f);
    m_fDeltaX = normalisedAngle(m_fEndSkewX - m_fStartSkewX);
    m_fStartSkewY = fmodf(pTarget->getSkewY(), 360.0f);
    m_fDeltaY = normalisedAngle(m_fEndSkewY - m_fStartSkewY);
}

void CCSkewTo::update(float time)
{
    if (m_pTarget)
    {
        m_pTarget->setSkewX(m_fStartSkewX + m_fDeltaX * time);
        m_pTarget->setSkewY(m_fStartSkewY + m_fDeltaY * time);
    }
}

CCSkewBy* CCSkewBy::create(float t, float deltaSkewX, float deltaSkewY)
{
    CCSkewBy* action = new CCSkewBy();
    return autoreleased(action, action->initWithDuration(t, deltaSkewX, deltaSkewY));
}

bool CCSkewBy::initWithDuration(float t, float deltaSkewX, float deltaSkewY)
{
    CCSkewTo::initWithDuration(t, deltaSkewX, deltaSkewY);
    m_fSkewX = deltaSkewX;
    m_fSkewY = deltaSkewY;
    return true;
}

void CCSkewBy::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_fStartSkewX = pTarget->getSkewX();
    m_fStartSkewY = pTarget->getSkewY();
    m_fDeltaX = m_fSkewX;
    m_fDeltaY = m_fSkewY;
    m_fEndSkewX = m_fStartSkewX + m_fDeltaX;
    m_fEndSkewY = m_fStartSkewY + m_fDeltaY;
}

// ---- scale ---------------------------------------------------------------------------------

CCScaleTo* CCScaleTo::create(float duration, float s)
{
    return create(duration, s, s);
}

CCScaleTo* CCScaleTo::create(float duration, float sx, float sy)
{
    CCScaleTo* action = new CCScaleTo();
    return autoreleased(action, action->initWithDuration(duration, sx, sy));
}

bool CCScaleTo::initWithDuration(float duration, float s)
{
    return initWithDuration(duration, s, s);
}

bool CCScaleTo::initWithDuration(float duration, float sx, float sy)
{
    CCActionInterval::initWithDuration(duration);
    m_fEndScaleX = sx;
    m_fEndScaleY = sy;
    m_fScaleX = sx;   // as given: the end scale here, the factors for CCScaleBy
    m_fScaleY = sy;
    m_fStartScaleX = m_fStartScaleY = m_fDeltaX = m_fDeltaY = 0.0f;
    return true;
}

void CCScaleTo::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_fStartScaleX = pTarget->getScaleX();
    m_fStartScaleY = pTarget->getScaleY();
    m_fDeltaX = m_fEndScaleX - m_fStartScaleX;
    m_fDeltaY = m_fEndScaleY - m_fStartScaleY;
}

void CCScaleTo::update(float time)
{
    if (m_pTarget)
    {
        if (time == 1.0f)
        {
            m_pTarget->setScaleX(m_fEndScaleX);
            m_pTarget->setScaleY(m_fEndScaleY);
            return;
        }
        m_pTarget->setScaleX(m_fStartScaleX + m_fDeltaX * time);
        m_pTarget->setScaleY(m_fStartScaleY + m_fDeltaY * time);
    }
}

CCScaleBy* CCScaleBy::create(float duration, float s)
{
    return create(duration, s, s);
}

CCScaleBy* CCScaleBy::create(float duration, float sx, float sy)
{
    CCScaleBy* action = new CCScaleBy();
    return autoreleased(action, action->initWithDuration(duration, sx, sy));
}

void CCScaleBy::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_fStartScaleX = pTarget->getScaleX();
    m_fStartScaleY = pTarget->getScaleY();
    m_fEndScaleX = m_fStartScaleX * m_fScaleX;
    m_fEndScaleY = m_fStartScaleY * m_fScaleY;
    m_fDeltaX = m_fEndScaleX - m_fStartScaleX;
    m_fDeltaY = m_fEndScaleY - m_fStartScaleY;
}

// ---- blink ---------------------------------------------------------------------------------

CCBlink* CCBlink::create(float duration, unsigned int uBlinks)
{
    CCBlink* action = new CCBlink();
    return autoreleased(action, action->initWithDuration(duration, uBlinks));
}

bool CCBlink::initWithDuration(float duration, unsigned int uBlinks)
{
    CCActionInterval::initWithDuration(duration);
    m_nTimes = uBlinks;
    m_bOriginalState = true;
    return true;
}

void CCBlink::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    m_bOriginalState = pTarget->isVisible();
}

void CCBlink::stop()
{
    if (m_pTarget)
    {
        m_pTarget->setVisible(m_bOriginalState);
    }
    CCActionInterval::stop();
}

void CCBlink::update(float time)
{
    if (m_pTarget && !isDone() && m_nTimes > 0)
    {
        // Each blink is a hidden half then a shown half.
        const float slice = 1.0f / (float)m_nTimes;
        const float m = fmodf(time, slice);
        m_pTarget->setVisible(m > slice / 2.0f);
    }
}

// ---- opacity and colour --------------------------------------------------------------------

CCFadeIn* CCFadeIn::create(float d)
{
    CCFadeIn* action = new CCFadeIn();
    return autoreleased(action, action->initWithDuration(d));
}

void CCFadeIn::update(float time)
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget);
    if (rgba)
    {
        rgba->setOpacity((GLubyte)(255 * time));
    }
}

CCFadeOut* CCFadeOut::create(float d)
{
    CCFadeOut* action = new CCFadeOut();
    return autoreleased(action, action->initWithDuration(d));
}

void CCFadeOut::update(float time)
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget);
    if (rgba)
    {
        rgba->setOpacity((GLubyte)(255 * (1.0f - time)));
    }
}

CCFadeTo* CCFadeTo::create(float duration, GLubyte opacity)
{
    CCFadeTo* action = new CCFadeTo();
    return autoreleased(action, action->initWithDuration(duration, opacity));
}

bool CCFadeTo::initWithDuration(float duration, GLubyte opacity)
{
    CCActionInterval::initWithDuration(duration);
    m_toOpacity = opacity;
    m_fromOpacity = 255;
    return true;
}

void CCFadeTo::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(pTarget);
    if (rgba)
    {
        m_fromOpacity = rgba->getOpacity();
    }
}

void CCFadeTo::update(float time)
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget);
    if (rgba)
    {
        rgba->setOpacity((GLubyte)(m_fromOpacity + (m_toOpacity - m_fromOpacity) * time));
    }
}

CCTintTo* CCTintTo::create(float duration, GLubyte red, GLubyte green, GLubyte blue)
{
    CCTintTo* action = new CCTintTo();
    return autoreleased(action, action->initWithDuration(duration, red, green, blue));
}

bool CCTintTo::initWithDuration(float duration, GLubyte red, GLubyte green, GLubyte blue)
{
    CCActionInterval::initWithDuration(duration);
    m_to = ccc3(red, green, blue);
    m_from = ccWHITE;
    return true;
}

void CCTintTo::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(pTarget);
    if (rgba)
    {
        m_from = rgba->getColor();
    }
}

void CCTintTo::update(float time)
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget);
    if (rgba)
    {
        rgba->setColor(ccc3((GLubyte)(m_from.r + (m_to.r - m_from.r) * time),
                            (GLubyte)(m_from.g + (m_to.g - m_from.g) * time),
                            (GLubyte)(m_from.b + (m_to.b - m_from.b) * time)));
    }
}

CCTintBy* CCTintBy::create(float duration, GLshort deltaRed, GLshort deltaGreen, GLshort deltaBlue)
{
    CCTintBy* action = new CCTintBy();
    return autoreleased(action, action->initWithDuration(duration, deltaRed, deltaGreen, deltaBlue));
}

bool CCTintBy::initWithDuration(float duration, GLshort deltaRed, GLshort deltaGreen, GLshort deltaBlue)
{
    CCActionInterval::initWithDuration(duration);
    m_deltaR = deltaRed;
    m_deltaG = deltaGreen;
    m_deltaB = deltaBlue;
    m_fromR = m_fromG = m_fromB = 255;
    return true;
}

void CCTintBy::startWithTarget(CCNode* pTarget)
{
    CCActionInterval::startWithTarget(pTarget);
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(pTarget);
    if (rgba)
    {
        const ccColor3B& c = rgba->getColor();
        m_fromR = c.r;
        m_fromG = c.g;
        m_fromB = c.b;
    }
}

void CCTintBy::update(float time)
{
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget);
    if (rgba)
    {
        rgba->setColor(ccc3((GLubyte)(m_fromR + m_deltaR * time), (GLubyte)(m_fromG + m_deltaG * time),
                            (GLubyte)(m_fromB + m_deltaB * time)));
    }
}

CCDelayTime* CCDelayTime::create(float d)
{
    CCDelayTime* action = new CCDelayTime();
    return autoreleased(action, action->initWithDuration(d));
}

void CCDelayTime::update(float time)
{
    CC_UNUSED_PARAM(time);
}

NS_CC_END
