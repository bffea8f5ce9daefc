#ifndef __CC_ACTION_H__
#define __CC_ACTION_H__

#include "base/CCObject.h"

NS_CC_BEGIN

class CCNode;

enum
{
    kCCActionTagInvalid = -1,
};

/**
 * Something a node does over time, run through CCNode::runAction. An action instance runs on one
 * target at a time; build a new one for each node.
 */
class CCAction : public CCObject
{
public:
    CCAction();
    virtual ~CCAction();

    static CCAction* create();

    virtual bool isDone(void);
    /** Called by the action manager when the action starts on a node. */
    virtual void startWithTarget(CCNode* pTarget);
    /** Called when the action ends or is removed; the target is forgotten. */
    virtual void stop(void);
    /** One frame of dt seconds. */
    virtual void step(float dt);
    /** Progress from 0 to 1. */
    virtual void update(float time);

    CCNode* getTarget(void) { return m_pTarget; }
    void setTarget(CCNode* pTarget) { m_pTarget = pTarget; }
    CCNode* getOriginalTarget(void) { return m_pOriginalTarget; }
    void setOriginalTarget(CCNode* pOriginalTarget) { m_pOriginalTarget = pOriginalTarget; }
    int getTag(void) { return m_nTag; }
    void setTag(int nTag) { m_nTag = nTag; }

protected:
    CCNode* m_pOriginalTarget;   ///< weak
    CCNode* m_pTarget;           ///< weak: the action manager holds the target
    int m_nTag;
};

/** An action with a duration in seconds (0 for instant actions). */
class CCFiniteTimeAction : public CCAction
{
public:
    CCFiniteTimeAction() : m_fDuration(0.0f) {}
    float getDuration(void) { return m_fDuration; }
    void setDuration(float duration) { m_fDuration = duration; }

protected:
    float m_fDuration;
};

NS_CC_END

#endif // __CC_ACTION_H__
