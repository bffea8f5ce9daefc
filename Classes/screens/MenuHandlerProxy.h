#ifndef __MENU_HANDLER_PROXY_H__
#define __MENU_HANDLER_PROXY_H__

#include "CCObject.h"

NS_CC_BEGIN

class VornScreen;

/** A screen's handler without argument (a plain menu item). */
typedef void (VornScreen::*SEL_VornScreenHandler)();
/** A screen's handler taking a player index (gamepad menus; -1 means all players). */
typedef void (VornScreen::*SEL_VornScreenGamepadHandler)(int player);
/** A gamepad menu's navigation handler that answers whether it took the input (false: the menu moves as usual). */
typedef bool (VornScreen::*SEL_VornScreenGamepadQuery)(int player);

#define vornscreen_selector(_SELECTOR) static_cast<::cocos2d::SEL_VornScreenHandler>(&_SELECTOR)
#define vornscreen_gamepad_selector(_SELECTOR) static_cast<::cocos2d::SEL_VornScreenGamepadHandler>(&_SELECTOR)
#define vornscreen_gamepad_query(_SELECTOR) static_cast<::cocos2d::SEL_VornScreenGamepadQuery>(&_SELECTOR)

/**
 * What a layout's menu items and menus call in place of the screen: one proxy per selector name
 * forwards to the screen's handler of that name, so handlers need not take the sender.
 */
class MenuHandlerProxy : public CCObject
{
public:
    MenuHandlerProxy();
    virtual ~MenuHandlerProxy();

    virtual VornScreen* getOwner() { return m_pOwner; }
    /** Retains the new owner and releases the old one. */
    virtual void setOwner(VornScreen* owner);
    virtual SEL_VornScreenHandler getMenuHandler() { return m_pMenuHandler; }
    virtual void setMenuHandler(SEL_VornScreenHandler handler) { m_pMenuHandler = handler; }
    virtual SEL_VornScreenGamepadHandler getGamepadMenuHandler() { return m_pGamepadMenuHandler; }
    virtual void setGamepadMenuHandler(SEL_VornScreenGamepadHandler handler) { m_pGamepadMenuHandler = handler; }
    virtual SEL_VornScreenGamepadQuery getGamepadMenuQuery() { return m_pGamepadMenuQuery; }
    virtual void setGamepadMenuQuery(SEL_VornScreenGamepadQuery query) { m_pGamepadMenuQuery = query; }

    /** The menu-item selector the layout binds: calls the plain handler, then the gamepad one with -1. */
    void forwardSelector(CCObject* sender);
    /**
     * The same for a gamepad menu's navigation slot: a query's answer (with -1) is passed on;
     * otherwise the screen's handler has taken the input.
     */
    bool forwardGamepadSelector(int player);

private:
    VornScreen* m_pOwner;  ///< retained
    SEL_VornScreenHandler m_pMenuHandler;
    SEL_VornScreenGamepadHandler m_pGamepadMenuHandler;
    SEL_VornScreenGamepadQuery m_pGamepadMenuQuery;
};

NS_CC_END

#endif // __MENU_HANDLER_PROXY_H__
