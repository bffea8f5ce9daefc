#ifndef __CC_ACTION_INSTANT_H__
#define __CC_ACTION_INSTANT_H__

#include "actions/CCAction.h"
#include "base/CCGeometry.h"

NS_CC_BEGIN

class CCSpriteFrame;

/** An action that happens at once: its first step does it and it is done. */
class CCActionInstant : public CCFiniteTimeAction
{
public:
    virtual bool isDone(void) { return true; }
    virtual void step(float dt);
    virtual void update(float time) { CC_UNUSED_PARAM(time); }
};

/** Does nothing (pads a one-action sequence). */
class CCExtraAction : public CCActionInstant
{
public:
    static CCExtraAction* create();
};

class CCShow : public CCActionInstant
{
public:
    static CCShow* create();
    virtual void update(float time);
};

class CCHide : public CCActionInstant
{
public:
    static CCHide* create();
    virtual void update(float time);
};

class CCToggleVisibility : public CCActionInstant
{
public:
    static CCToggleVisibility* create();
    virtual void update(float time);
};

/** Sprites only; other nodes are left alone. */
class CCFlipX : public CCActionInstant
{
public:
    static CCFlipX* create(bool x);
    virtual void update(float time);

protected:
    bool m_bFlipX;
};

class CCFlipY : public CCActionInstant
{
public:
    static CCFlipY* create(bool y);
    virtual void update(float time);

protected:
    bool m_bFlipY;
};

class CCPlace : public CCActionInstant
{
public:
    static CCPlace* create(const CCPoint& pos);
    virtual void update(float time);

protected:
    CCPoint m_tPosition;
};

/** Shows a sprite frame on a sprite target (layout timelines). */
class CCSetSpriteFrame : public CCActionInstant
{
public:
    CCSetSpriteFrame();
    virtual ~CCSetSpriteFrame();
    static CCSetSpriteFrame* create(CCSpriteFrame* pSpriteFrame);
    bool initWithSpriteFrame(CCSpriteFrame* pSpriteFrame);
    virtual void update(float time);

protected:
    CCSpriteFrame* m_pSpriteFrame;   ///< retained
};

/** Calls target->selector(). The selector's target is retained while the action lives. */
class CCCallFunc : public CCActionInstant
{
public:
    CCCallFunc();
    virtual ~CCCallFunc();
    static CCCallFunc* create(CCObject* pSelectorTarget, SEL_CallFunc selector);
    virtual bool initWithTarget(CCObject* pSelectorTarget);
    virtual void execute();
    virtual void update(float time);

    CCObject* getTargetCallback() { return m_pSelectorTarget; }
    void setTargetCallback(CCObject* pSel);

protected:
    CCObject* m_pSelectorTarget;   ///< retained
    SEL_CallFunc m_pCallFunc;
    SEL_CallFuncN m_pCallFuncN;
    SEL_CallFuncND m_pCallFuncND;
    SEL_CallFuncO m_pCallFuncO;
};

/** Calls target->selector(node) with the node running the action. */
class CCCallFuncN : public CCCallFunc
{
public:
    static CCCallFuncN* create(CCObject* pSelectorTarget, SEL_CallFuncN selector);
    virtual bool initWithTarget(CCObject* pSelectorTarget, SEL_CallFuncN selector);
    virtual void execute();
};

/** Calls target->selector(node, data). */
class CCCallFuncND : public CCCallFuncN
{
public:
    static CCCallFuncND* create(CCObject* pSelectorTarget, SEL_CallFuncND selector, void* d);
    virtual bool initWithTarget(CCObject* pSelectorTarget, SEL_CallFuncND selector, void* d);
    virtual void execute();

protected:
    void* m_pData;
};

/** Calls target->selector(object); the object is retained. */
class CCCallFuncO : public CCCallFunc
{
public:
    CCCallFuncO();
    virtual ~CCCallFuncO();
    static CCCallFuncO* create(CCObject* pSelectorTarget, SEL_CallFuncO selector, CCObject* pObject);
    virtual bool initWithTarget(CCObject* pSelectorTarget, SEL_CallFuncO selector, CCObject* pObject);
    virtual void execute();
    CCObject* getObject() { return m_pObject; }

protected:
    CCObject* m_pObject;   ///< retained
};

NS_CC_END

#endif // __CC_ACTION_INSTANT_H__
