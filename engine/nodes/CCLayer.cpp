#include "nodes/CCLayer.h"

#include "nodes/CCDirector.h"
#include "platform/CCKeyboardDispatcher.h"
#include "platform/CCKeypadDispatcher.h"
#include "platform/CCTouchDispatcher.h"

NS_CC_BEGIN

// Input registration goes to the director's dispatchers while the layer is in the running scene.

namespace
{
template <typename Dispatcher, typename Delegate>
void setRegistered(Dispatcher* dispatcher, Delegate* delegate, bool add)
{
    if (!dispatcher)
    {
        return;
    }
    if (add)
    {
        dispatcher->addDelegate(delegate);
    }
    else
    {
        dispatcher->removeDelegate(delegate);
    }
}
} // namespace

CCLayer::CCLayer()
: m_bTouchEnabled(false)
, m_bKeypadEnabled(false)
, m_bKeyboardEnabled(false)
, m_nTouchPriority(0)
, m_eTouchMode(kCCTouchesAllAtOnce)
{
    m_bIgnoreAnchorPointForPosition = true;
    setAnchorPoint(ccp(0.5f, 0.5f));
}

CCLayer::~CCLayer()
{
}

CCLayer* CCLayer::create()
{
    CCLayer* pRet = new CCLayer();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCLayer::init()
{
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    m_bTouchEnabled = false;
    return true;
}

void CCLayer::registerWithTouchDispatcher()
{
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (!dispatcher)
    {
        return;
    }
    if (m_eTouchMode == kCCTouchesOneByOne)
    {
        dispatcher->addTargetedDelegate(this, m_nTouchPriority, true);
    }
    else
    {
        dispatcher->addStandardDelegate(this, m_nTouchPriority);
    }
}

void CCLayer::unregisterTouch()
{
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (dispatcher)
    {
        dispatcher->removeDelegate(this);
    }
}

void CCLayer::registerKeypad(bool add)
{
    setRegistered(CCDirector::sharedDirector()->getKeypadDispatcher(), static_cast<CCKeypadDelegate*>(this), add);
}

void CCLayer::registerKeyboard(bool add)
{
    setRegistered(CCDirector::sharedDirector()->getKeyboardDispatcher(), static_cast<CCKeyboardDelegate*>(this), add);
}

bool CCLayer::isTouchEnabled()
{
    return m_bTouchEnabled;
}

void CCLayer::setTouchEnabled(bool enabled)
{
    if (m_bTouchEnabled == enabled)
    {
        return;
    }
    m_bTouchEnabled = enabled;
    if (m_bRunning)
    {
        if (enabled)
        {
            registerWithTouchDispatcher();
        }
        else
        {
            unregisterTouch();
        }
    }
}

void CCLayer::setTouchMode(ccTouchesMode mode)
{
    if (m_eTouchMode != mode)
    {
        m_eTouchMode = mode;
        if (m_bTouchEnabled)
        {
            setTouchEnabled(false);
            setTouchEnabled(true);
        }
    }
}

int CCLayer::getTouchMode()
{
    return m_eTouchMode;
}

void CCLayer::setTouchPriority(int priority)
{
    if (m_nTouchPriority != priority)
    {
        m_nTouchPriority = priority;
        if (m_bTouchEnabled)
        {
            setTouchEnabled(false);
            setTouchEnabled(true);
        }
    }
}

int CCLayer::getTouchPriority()
{
    return m_nTouchPriority;
}

bool CCLayer::isKeypadEnabled()
{
    return m_bKeypadEnabled;
}

void CCLayer::setKeypadEnabled(bool enabled)
{
    if (m_bKeypadEnabled != enabled)
    {
        m_bKeypadEnabled = enabled;
        if (m_bRunning)
        {
            registerKeypad(enabled);
        }
    }
}

bool CCLayer::isKeyboardEnabled()
{
    return m_bKeyboardEnabled;
}

void CCLayer::setKeyboardEnabled(bool enabled)
{
    if (m_bKeyboardEnabled != enabled)
    {
        m_bKeyboardEnabled = enabled;
        if (m_bRunning)
        {
            registerKeyboard(enabled);
        }
    }
}

void CCLayer::onEnter()
{
    if (m_bTouchEnabled)
    {
        registerWithTouchDispatcher();
    }
    CCNode::onEnter();
    if (m_bKeypadEnabled)
    {
        registerKeypad(true);
    }
    if (m_bKeyboardEnabled)
    {
        registerKeyboard(true);
    }
}

void CCLayer::onExit()
{
    if (m_bTouchEnabled)
    {
        unregisterTouch();
    }
    if (m_bKeypadEnabled)
    {
        registerKeypad(false);
    }
    if (m_bKeyboardEnabled)
    {
        registerKeyboard(false);
    }
    CCNode::onExit();
}

void CCLayer::onEnterTransitionDidFinish()
{
    CCNode::onEnterTransitionDidFinish();
}

NS_CC_END
