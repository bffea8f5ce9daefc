#include "actions/CCActionInstant.h"

#include "nodes/CCNode.h"
#include "sprites/CCSprite.h"
#include "sprites/CCSpriteFrame.h"

NS_CC_BEGIN

namespace
{
template <typename T>
T* made(T* action)
{
    action->autorelease();
    return action;
}
} // namespace

void CCActionInstant::step(float dt)
{
    CC_UNUSED_PARAM(dt);
    update(1.0f);
}

CCExtraAction* CCExtraAction::create()
{
    return made(new CCExtraAction());
}

CCShow* CCShow::create()
{
    return made(new CCShow());
}

void CCShow::update(float time)
{
    CC_UNUSED_PARAM(time);
    if (m_pTarget)
    {
        m_pTarget->setVisible(true);
    }
}

CCHide* CCHide::create()
{
    return made(new CCHide());
}

void CCHide::update(float time)
{
    CC_UNUSED_PARAM(time);
    if (m_pTarget)
    {
        m_pTarget->setVisible(false);
    }
}

CCToggleVisibility* CCToggleVisibility::create()
{
    return made(new CCToggleVisibility());
}

void CCToggleVisibility::update(float time)
{
    CC_UNUSED_PARAM(time);
    if (m_pTarget)
    {
        m_pTarget->setVisible(!m_pTarget->isVisible());
    }
}

CCFlipX* CCFlipX::create(bool x)
{
    CCFlipX* action = new CCFlipX();
    action->m_bFlipX = x;
    return made(action);
}

void CCFlipX::update(float time)
{
    CC_UNUSED_PARAM(time);
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_pTarget);
    if (sprite)
    {
        sprite->setFlipX(m_bFlipX);
    }
}

CCFlipY* CCFlipY::create(bool y)
{
    CCFlipY* action = new CCFlipY();
    action->m_bFlipY = y;
    return made(action);
}

void CCFlipY::update(float time)
{
    CC_UNUSED_PARAM(time);
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_pTarget);
    if (sprite)
    {
        sprite->setFlipY(m_bFlipY);
    }
}

CCPlace* CCPlace::create(const CCPoint& pos)
{
    CCPlace* action = new CCPlace();
    action->m_tPosition = pos;
    return made(action);
}

void CCPlace::update(float time)
{
    CC_UNUSED_PARAM(time);
    if (m_pTarget)
    {
        m_pTarget->setPosition(m_tPosition);
    }
}

CCSetSpriteFrame::CCSetSpriteFrame()
: m_pSpriteFrame(NULL)
{
}

CCSetSpriteFrame::~CCSetSpriteFrame()
{
    CC_SAFE_RELEASE(m_pSpriteFrame);
}

CCSetSpriteFrame* CCSetSpriteFrame::create(CCSpriteFrame* pSpriteFrame)
{
    CCSetSpriteFrame* action = new CCSetSpriteFrame();
    if (action->initWithSpriteFrame(pSpriteFrame))
    {
        return made(action);
    }
    delete action;
    return NULL;
}

bool CCSetSpriteFrame::initWithSpriteFrame(CCSpriteFrame* pSpriteFrame)
{
    if (!pSpriteFrame)
    {
        CCLog("CCSetSpriteFrame::initWithSpriteFrame - frame is NULL");
        return false;
    }
    pSpriteFrame->retain();
    CC_SAFE_RELEASE(m_pSpriteFrame);
    m_pSpriteFrame = pSpriteFrame;
    return true;
}

void CCSetSpriteFrame::update(float time)
{
    CC_UNUSED_PARAM(time);
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_pTarget);
    if (sprite)
    {
        sprite->setDisplayFrame(m_pSpriteFrame);
    }
}

// ---- callbacks -----------------------------------------------------------------------------

CCCallFunc::CCCallFunc()
: m_pSelectorTarget(NULL)
, m_pCallFunc(NULL)
, m_pCallFuncN(NULL)
, m_pCallFuncND(NULL)
, m_pCallFuncO(NULL)
{
}

CCCallFunc::~CCCallFunc()
{
    CC_SAFE_RELEASE(m_pSelectorTarget);
}

CCCallFunc* CCCallFunc::create(CCObject* pSelectorTarget, SEL_CallFunc selector)
{
    CCCallFunc* action = new CCCallFunc();
    action->initWithTarget(pSelectorTarget);
    action->m_pCallFunc = selector;
    return made(action);
}

bool CCCallFunc::initWithTarget(CCObject* pSelectorTarget)
{
    setTargetCallback(pSelectorTarget);
    return true;
}

void CCCallFunc::setTargetCallback(CCObject* pSel)
{
    if (pSel != m_pSelectorTarget)
    {
        CC_SAFE_RETAIN(pSel);
        CC_SAFE_RELEASE(m_pSelectorTarget);
        m_pSelectorTarget = pSel;
    }
}

void CCCallFunc::update(float time)
{
    CC_UNUSED_PARAM(time);
    execute();
}

void CCCallFunc::execute()
{
    CCObject* target = m_pSelectorTarget;
    SEL_CallFunc selector = m_pCallFunc;
    if (target && selector)
    {
        (target->*selector)();
    }
}

CCCallFuncN* CCCallFuncN::create(CCObject* pSelectorTarget, SEL_CallFuncN selector)
{
    CCCallFuncN* action = new CCCallFuncN();
    action->initWithTarget(pSelectorTarget, selector);
    return made(action);
}

bool CCCallFuncN::initWithTarget(CCObject* pSelectorTarget, SEL_CallFuncN selector)
{
    CCCallFunc::initWithTarget(pSelectorTarget);
    m_pCallFuncN = selector;
    return true;
}

void CCCallFuncN::execute()
{
    CCObject* target = m_pSelectorTarget;
    SEL_CallFuncN selector = m_pCallFuncN;
    if (target && selector)
    {
        (target->*selector)(m_pTarget);
    }
}

CCCallFuncND* CCCallFuncND::create(CCObject* pSelectorTarget, SEL_CallFuncND selector, void* d)
{
    CCCallFuncND* action = new CCCallFuncND();
    action->initWithTarget(pSelectorTarget, selector, d);
    return made(action);
}

bool CCCallFuncND::initWithTarget(CCObject* pSelectorTarget, SEL_CallFuncND selector, void* d)
{
    CCCallFunc::initWithTarget(pSelectorTarget);
    m_pCallFuncND = selector;
    m_pData = d;
    return true;
}

void CCCallFuncND::execute()
{
    CCObject* target = m_pSelectorTarget;
    SEL_CallFuncND selector = m_pCallFuncND;
    if (target && selector)
    {
        (target->*selector)(m_pTarget, m_pData);
    }
}

CCCallFuncO::CCCallFuncO()
: m_pObject(NULL)
{
}

CCCallFuncO::~CCCallFuncO()
{
    CC_SAFE_RELEASE(m_pObject);
}

CCCallFuncO* CCCallFuncO::create(CCObject* pSelectorTarget, SEL_CallFuncO selector, CCObject* pObject)
{
    CCCallFuncO* action = new CCCallFuncO();
    action->initWithTarget(pSelectorTarget, selector, pObject);
    return made(action);
}

bool CCCallFuncO::initWithTarget(CCObject* pSelectorTarget, SEL_CallFuncO selector, CCObject* pObject)
{
    CCCallFunc::initWithTarget(pSelectorTarget);
    m_pCallFuncO = selector;
    CC_SAFE_RETAIN(pObject);
    CC_SAFE_RELEASE(m_pObject);
    m_pObject = pObject;
    return true;
}

void CCCallFuncO::execute()
{
    CCObject* target = m_pSelectorTarget;
    SEL_CallFuncO selector = m_pCallFuncO;
    if (target && selector)
    {
        (target->*selector)(m_pObject);
    }
}

NS_CC_END
