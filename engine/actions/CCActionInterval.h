#ifndef __CC_ACTION_INTERVAL_H__
#define __CC_ACTION_INTERVAL_H__

#include "actions/CCAction.h"
#include "base/CCArray.h"
#include "base/CCGeometry.h"
#include "base/ccTypes.h"

#include <vector>

typedef short GLshort;

NS_CC_BEGIN

class CCAnimation;
class CCSpriteFrame;

/**
 * An action spread over a duration. The first step after start only starts the clock (progress 0);
 * later steps add dt, and update(progress) is clamped to 1 at the end.
 */
class CCActionInterval : public CCFiniteTimeAction
{
public:
    CCActionInterval();
    static CCActionInterval* create(float d);
    /** A zero duration becomes the smallest positive float, so progress stays defined. */
    bool initWithDuration(float d);

    float getElapsed(void) { return m_elapsed; }
    virtual bool isDone(void);
    virtual void step(float dt);
    virtual void startWithTarget(CCNode* pTarget);
    void setAmplitudeRate(float amp) { m_fAmplitudeRate = amp; }
    float getAmplitudeRate(void) { return m_fAmplitudeRate; }

protected:
    float m_elapsed;
    bool m_bFirstTick;
    float m_fAmplitudeRate;
};

/** Runs actions one after the other; instant actions in it run exactly once. */
class CCSequence : public CCActionInterval
{
public:
    CCSequence();
    virtual ~CCSequence();
    /** A NULL-terminated list. */
    static CCSequence* create(CCFiniteTimeAction* pAction1, ...);
    static CCSequence* create(CCArray* arrayOfActions);
    static CCSequence* createWithTwoActions(CCFiniteTimeAction* pActionOne, CCFiniteTimeAction* pActionTwo);
    bool initWithTwoActions(CCFiniteTimeAction* pActionOne, CCFiniteTimeAction* pActionTwo);

    virtual void startWithTarget(CCNode* pTarget);
    virtual void stop(void);
    virtual void update(float t);

protected:
    CCFiniteTimeAction* m_pActions[2];   ///< retained
    float m_split;
    int m_last;
};

/** Repeats an action a number of times. */
class CCRepeat : public CCActionInterval
{
public:
    CCRepeat();
    virtual ~CCRepeat();
    static CCRepeat* create(CCFiniteTimeAction* pAction, unsigned int times);
    bool initWithAction(CCFiniteTimeAction* pAction, unsigned int times);

    virtual void startWithTarget(CCNode* pTarget);
    virtual void stop(void);
    virtual void update(float dt);
    virtual bool isDone(void);
    CCFiniteTimeAction* getInnerAction() { return m_pInnerAction; }

protected:
    unsigned int m_uTimes;
    unsigned int m_uTotal;
    bool m_bActionInstant;
    CCFiniteTimeAction* m_pInnerAction;   ///< retained
};

/** Repeats an interval action until stopped; time left over at each end carries into the next run. */
class CCRepeatForever : public CCActionInterval
{
public:
    CCRepeatForever();
    virtual ~CCRepeatForever();
    static CCRepeatForever* create(CCActionInterval* pAction);
    bool initWithAction(CCActionInterval* pAction);

    virtual void startWithTarget(CCNode* pTarget);
    virtual void step(float dt);
    virtual bool isDone(void);
    CCActionInterval* getInnerAction() { return m_pInnerAction; }

protected:
    CCActionInterval* m_pInnerAction;   ///< retained
};

/** Runs actions together; the shorter ones are padded to the longest. */
class CCSpawn : public CCActionInterval
{
public:
    CCSpawn();
    virtual ~CCSpawn();
    /** A NULL-terminated list. */
    static CCSpawn* create(CCFiniteTimeAction* pAction1, ...);
    static CCSpawn* create(CCArray* arrayOfActions);
    static CCSpawn* createWithTwoActions(CCFiniteTimeAction* pAction1, CCFiniteTimeAction* pAction2);
    bool initWithTwoActions(CCFiniteTimeAction* pAction1, CCFiniteTimeAction* pAction2);

    virtual void startWithTarget(CCNode* pTarget);
    virtual void stop(void);
    virtual void update(float time);

protected:
    CCFiniteTimeAction* m_pOne;   ///< retained
    CCFiniteTimeAction* m_pTwo;   ///< retained
};

class CCRotateTo : public CCActionInterval
{
public:
    /** Turns the shorter way round. */
    static CCRotateTo* create(float fDuration, float fDeltaAngle);
    bool initWithDuration(float fDuration, float fDeltaAngle);
    virtual void startWithTarget(CCNode* pTarget);
    virtual void update(float time);

protected:
    float m_fDstAngle;
    float m_fStartAngle;
    float m_fDiffAngle;
};

class CCRotateBy : public CCActionInterval
{
public:
    static CCRotateBy* create(float fDuration, float fDeltaAngle);
    bool initWithDuration(float fDuration, float fDeltaAngle);
    virtual void startWithTarget(CCNode* pTarget);
    virtual void update(float time);

protected:
    float m_fAngle;
    float m_fStartAngle;
};

/** Moves by a fixed offset from where the node is when the action starts. */
class CCMoveBy : public CCActionInterval
{
public:
    static CCMoveBy* create(float duration, const CCPoint& deltaPosition);
    bool initWithDuration(float duration, const CCPoint& deltaPosition);
    virtual void startWithTarget(CCNode* pTarget);
    virtual void update(float time);

protected:
    CCPoint m_positionDelta;
    CCPoint m_startPosition;
};

/** Moves to a position, landing on it exactly. */
class CCMoveTo : public CCMoveBy
{
public:
    static CCMoveTo* create(float duration, const CCPoint& position);
    bool initWithDuration(float duration, const CCPoint& position);
    virtual void startWithTarget(CCNode* pTarget);
    virtual void update(float time);

protected:
    CCPoint m_endPosition;
};

class CCSkewTo : public CCActionInterval
{
public:
    CCSkewTo();
    static CCSkewTo* create(float t, float sx, float sy);
    virtual bool initWithDuration(float t, float sx, float sy);
    virtual void startWithTarget(CCNode* pTarget);
    virtual void update(float time);

protected:
    float m_fSkewX;
    float m_fSkewY;
    float m_fStartSkewX;
    float m_fStartSkewY;
    float m_fEndSkewX;
    float m_fEndSkewY;
    float m_fDeltaX;
    float m_fDeltaY;
};

class CCSkewBy : public CCSkewTo
{
public:
    static CCSkewBy* create(float t, float deltaSkewX, float deltaSkewY);
    virtual bool initWithDuration(float t, float sx, float sy);
    virtual void startWithTarget(CCNode* pTarget);
};

class CCScaleTo : public CCActionInterval
{
public:
    static CCScaleTo* create(float duration, float s);
    static CCScaleTo* create(float duration, float sx, float sy);
    bool initWithDuration(float duration, float s);
    bool initWithDuration(float duration, float sx, float sy);
    virtual void startWithTarget(CCNode* pTarget);
    virtual void update(float time);

protected:
    float m_fScaleX;
    float m_fScaleY;
    float m_fStartScaleX;
    float m_fStartScaleY;
    float m_fEndScaleX;
    float m_fEndScaleY;
    float m_fDeltaX;
    float m_fDeltaY;
};

class CCScaleBy : public CCScaleTo
{
public:
    static CCScaleBy* create(float duration, float s);
    static CCScaleBy* create(float duration, float sx, float sy);
    virtual void startWithTarget(CCNode* pTarget);
};

/** Toggles visibility `times` times over the duration; the original visibility is restored at the end. */
class CCBlink : public CCActionInterval
{
public:
    static CCBlink* create(float duration, unsigned int uBlinks);
    bool initWithDuration(float duration, unsigned int uBlinks);
    virtual void startWithTarget(CCNode* pTarget);
    virtual void stop();
    virtual void update(float time);

protected:
    unsigned int m_nTimes;
    bool m_bOriginalState;
};

/** Opacity actions work on nodes with the RGBA protocol and leave others alone. */
class CCFadeIn : public CCActionInterval
{
public:
    static CCFadeIn* create(float d);
    virtual void update(float time);
};

class CCFadeOut : public CCActionInterval
{
public:
    static CCFadeOut* create(float d);
    virtual void update(float time);
};

class CCFadeTo : public CCActionInterval
{
public:
    static CCFadeTo* create(float duration, GLubyte opacity);
    bool initWithDuration(float duration, GLubyte opacity);
    virtual void startWithTarget(CCNode* pTarget);
    virtual void update(float time);

protected:
    GLubyte m_toOpacity;
    GLubyte m_fromOpacity;
};

class CCTintTo : public CCActionInterval
{
public:
    static CCTintTo* create(float duration, GLubyte red, GLubyte green, GLubyte blue);
    bool initWithDuration(float duration, GLubyte red, GLubyte green, GLubyte blue);
    virtual void startWithTarget(CCNode* pTarget);
    virtual void update(float time);

protected:
    ccColor3B m_to;
    ccColor3B m_from;
};

class CCTintBy : public CCActionInterval
{
public:
    static CCTintBy* create(float duration, GLshort deltaRed, GLshort deltaGreen, GLshort deltaBlue);
    bool initWithDuration(float duration, GLshort deltaRed, GLshort deltaGreen, GLshort deltaBlue);
    virtual void startWithTarget(CCNode* pTarget);
    virtual void update(float time);

protected:
    GLshort m_deltaR;
    GLshort m_deltaG;
    GLshort m_deltaB;
    GLshort m_fromR;
    GLshort m_fromG;
    GLshort m_fromB;
};

class CCDelayTime : public CCActionInterval
{
public:
    static CCDelayTime* create(float d);
    virtual void update(float time);
};

/** Plays an animation's frames on a sprite, restoring the original frame at the end when asked. */
class CCAnimate : public CCActionInterval
{
public:
    CCAnimate();
    virtual ~CCAnimate();
    static CCAnimate* create(CCAnimation* pAnimation);
    bool initWithAnimation(CCAnimation* pAnimation);

    virtual void startWithTarget(CCNode* pTarget);
    virtual void stop(void);
    virtual void update(float t);

    CCAnimation* getAnimation() { return m_pAnimation; }
    void setAnimation(CCAnimation* pAnimation);

protected:
    std::vector<float> m_splitTimes;   ///< start of each frame as a fraction of one loop
    int m_nNextFrame;
    CCSpriteFrame* m_pOrigFrame;       ///< retained while running
    unsigned int m_uExecutedLoops;
    CCAnimation* m_pAnimation;         ///< retained
};

NS_CC_END

#endif // __CC_ACTION_INTERVAL_H__
