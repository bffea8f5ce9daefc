#include "extensions/controls/CCControl.h"

USING_NS_CC;

NS_CC_EXT_BEGIN

CCControl::CCControl()
: m_bEnabled(false)
, m_bSelected(false)
, m_bHighlighted(false)
{
}

CCControl::~CCControl()
{
}

CCControl* CCControl::create()
{
    CCControl* pRet = new CCControl();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCControl::init()
{
    if (!CCLayerRGBA::init())
    {
        return false;
    }
    m_eTouchMode = kCCTouchesOneByOne;
    m_nTouchPriority = 1;
    setTouchEnabled(true);
    m_bEnabled = true;
    m_bSelected = false;
    m_bHighlighted = false;
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    return true;
}

void CCControl::onEnter()
{
    CCLayerRGBA::onEnter();
}

void CCControl::registerWithTouchDispatcher()
{
    CCLayerRGBA::registerWithTouchDispatcher();
}

void CCControl::setEnabled(bool bEnabled)
{
    m_bEnabled = bEnabled;
    needsLayout();
}

void CCControl::setSelected(bool bSelected)
{
    m_bSelected = bSelected;
    needsLayout();
}

void CCControl::setHighlighted(bool bHighlighted)
{
    m_bHighlighted = bHighlighted;
    needsLayout();
}

CCControlState CCControl::getState()
{
    if (!m_bEnabled)
    {
        return CCControlStateDisabled;
    }
    if (m_bSelected)
    {
        return CCControlStateSelected;
    }
    if (m_bHighlighted)
    {
        return CCControlStateHighlighted;
    }
    return CCControlStateNormal;
}

bool CCControl::hasVisibleParents()
{
    for (CCNode* p = m_pParent; p; p = p->getParent())
    {
        if (!p->isVisible())
        {
            return false;
        }
    }
    return true;
}

void CCControl::addTargetWithActionForControlEvents(CCObject* target, SEL_CCControlHandler action,
                                                    CCControlEvent controlEvents)
{
    Handler h = { target, action, controlEvents };
    m_handlers.push_back(h);
}

void CCControl::removeTargetWithActionForControlEvents(CCObject* target, SEL_CCControlHandler action,
                                                       CCControlEvent controlEvents)
{
    for (size_t i = 0; i < m_handlers.size();)
    {
        Handler& h = m_handlers[i];
        if ((!target || h.target == target) && (!action || h.action == action))
        {
            h.events &= ~controlEvents;
        }
        if (h.events == 0)
        {
            m_handlers.erase(m_handlers.begin() + (long)i);
        }
        else
        {
            ++i;
        }
    }
}

void CCControl::sendActionsForControlEvents(CCControlEvent controlEvents)
{
    // A handler may add or remove handlers or drop the control: work from a copy, kept alive.
    retain();
    const std::vector<Handler> handlers = m_handlers;
    for (int bit = 0; bit < kControlEventTotalNumber; ++bit)
    {
        const CCControlEvent event = 1u << bit;
        if (!(controlEvents & event))
        {
            continue;
        }
        for (size_t i = 0; i < handlers.size(); ++i)
        {
            if ((handlers[i].events & event) && handlers[i].target && handlers[i].action)
            {
                (handlers[i].target->*handlers[i].action)(this, event);
            }
        }
    }
    release();
}

CCPoint CCControl::getTouchLocation(CCTouch* touch)
{
    return convertToNodeSpace(touch->getLocation());
}

bool CCControl::isTouchInside(CCTouch* touch)
{
    const CCPoint local = getTouchLocation(touch);
    const CCRect bounds(0, 0, m_obContentSize.width, m_obContentSize.height);
    return bounds.containsPoint(local);
}

NS_CC_EXT_END
