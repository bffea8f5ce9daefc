#include "MenuHandlerProxy.h"

#include "VornScreen.h"

NS_CC_BEGIN

MenuHandlerProxy::MenuHandlerProxy() : m_pOwner(NULL), m_pMenuHandler(NULL), m_pGamepadMenuHandler(NULL), m_pGamepadMenuQuery(NULL)
{
}

MenuHandlerProxy::~MenuHandlerProxy()
{
    CC_SAFE_RELEASE(m_pOwner);
}

void MenuHandlerProxy::setOwner(VornScreen* owner)
{
    if (owner == m_pOwner)
    {
        return;
    }
    CC_SAFE_RETAIN(owner);
    CC_SAFE_RELEASE(m_pOwner);
    m_pOwner = owner;
}

void MenuHandlerProxy::forwardSelector(CCObject* sender)
{
    CC_UNUSED_PARAM(sender);
    // The handler may close and remove the screen: keep both alive until we are done.
    VornScreen* owner = m_pOwner;
    if (!owner)
    {
        return;
    }
    retain();
    owner->retain();
    if (m_pMenuHandler)
    {
        (owner->*m_pMenuHandler)();
    }
    if (m_pGamepadMenuHandler && m_pOwner == owner)
    {
        (owner->*m_pGamepadMenuHandler)(-1);
    }
    if (m_pGamepadMenuQuery && m_pOwner == owner)
    {
        (owner->*m_pGamepadMenuQuery)(-1);
    }
    owner->release();
    release();
}

bool MenuHandlerProxy::forwardGamepadSelector(int player)
{
    CC_UNUSED_PARAM(player);
    VornScreen* owner = m_pOwner;
    if (owner && m_pGamepadMenuQuery)
    {
        retain();
        owner->retain();
        bool taken = (owner->*m_pGamepadMenuQuery)(-1);
        owner->release();
        release();
        return taken;
    }
    forwardSelector(NULL);
    return true;
}

NS_CC_END
