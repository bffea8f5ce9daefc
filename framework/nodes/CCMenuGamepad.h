#ifndef __CC_MENU_GAMEPAD_H__
#define __CC_MENU_GAMEPAD_H__

#include "CCMenu.h"

#include <string>

NS_CC_BEGIN

/** A menu's handler of a navigation input: takes the player index, true when it handled the input. */
typedef bool (CCObject::*SEL_MenuGamepadHandler)(int player);
#define menugamepad_selector(_SELECTOR) (::cocos2d::SEL_MenuGamepadHandler)(&_SELECTOR)

/** Navigation inputs: a menu's handler slots and the dispatcher's directions. */
enum
{
    kMenuGamepadInput_Up = 0,
    kMenuGamepadInput_Down = 1,
    kMenuGamepadInput_Left = 2,
    kMenuGamepadInput_Right = 3,
    kMenuGamepadInput_Action = 4,
    kMenuGamepadInput_Back = 5,
    kMenuGamepadInput_MAX = 6,
};

/** True when every ancestor of the node (not the node itself) is visible. */
bool areAncestorsVisible(CCNode* node);

/**
 * A menu that keyboard and gamepads drive as well as touch: it joins the menu dispatcher when
 * initialised and leaves it in cleanup, keeps one optional handler per navigation input, says
 * whether pad input may reach it, and plays its select sound when a touch picks an item.
 */
class CCMenuGamepad : public CCMenu
{
public:
    CCMenuGamepad();
    virtual ~CCMenuGamepad();

    /** Items up to a NULL (none is fine); NULL when the menu cannot be initialised. */
    static CCMenuGamepad* create(CCMenuItem* item, ...);
    static CCMenuGamepad* create();

    /** The engine menu's init, then joins the dispatcher; preloads the select sound in any case. */
    virtual bool initWithArray(CCArray* arrayOfItems);

    virtual bool isGamepadEnabled() { return m_bGamepadEnabled; }
    virtual void setGamepadEnabled(bool enabled) { m_bGamepadEnabled = enabled; }
    // Values free for screens to keep with a menu; the menu never reads them.
    virtual int getGamepadValue1() { return m_nGamepadValue1; }
    virtual void setGamepadValue1(int value) { m_nGamepadValue1 = value; }
    virtual int getGamepadValue2() { return m_nGamepadValue2; }
    virtual void setGamepadValue2(int value) { m_nGamepadValue2 = value; }
    virtual int getGamepadIndex() { return m_nGamepadIndex; }
    virtual void setGamepadIndex(int index) { m_nGamepadIndex = index; }
    /** While this is a player's active menu, focus moves only among its items. */
    virtual bool isGamepadLocked() { return m_bGamepadLocked; }
    virtual void setGamepadLocked(bool locked) { m_bGamepadLocked = locked; }
    /** An item that receives the focus is activated at once. */
    virtual bool getActivateOnSelection() { return m_bActivateOnSelection; }
    virtual void setActivateOnSelection(bool activate) { m_bActivateOnSelection = activate; }
    virtual const std::string& getSelectSound() { return m_selectSound; }
    virtual void setSelectSound(const std::string& sound) { m_selectSound = sound; }

    /** The handler for one navigation input (kMenuGamepadInput_*); a NULL target or handler clears it. */
    void setGamepadHandler(int index, CCObject* target, SEL_MenuGamepadHandler handler);
    CCObject* getGamepadHandlerTarget(int index);
    SEL_MenuGamepadHandler getGamepadHandler(int index);

    /**
     * Whether a player can see the menu: it and every ancestor visible, and neither the menu nor
     * an ancestor scaled to nothing (as a screen's menu is before its timeline brings it in).
     */
    bool isShowing();

    /**
     * Offers a navigation input to its handler: false when there is none, when the menu is not
     * showing, or when pad or touch input is off for this menu; else the handler's answer.
     */
    bool callSelector(int index, int player);

    /** The item the focus returns to when the menu becomes active again (the dispatcher sets it). */
    void setSelectedMenuItem(CCMenuItem* item) { m_pSelectedItem = item; }

    /** Leaves the dispatcher, then the engine's cleanup. */
    virtual void cleanup();
    /** Plays the select sound when an item was picked, then the engine menu activates it. */
    virtual void ccTouchEnded(CCTouch* touch, CCEvent* event);

private:
    int m_nGamepadValue1;
    int m_nGamepadValue2;
    int m_nGamepadIndex;
    bool m_bGamepadLocked;
    bool m_bActivateOnSelection;
    CCObject* m_pHandlerTargets[kMenuGamepadInput_MAX];  ///< weak
    SEL_MenuGamepadHandler m_pHandlers[kMenuGamepadInput_MAX];
    bool m_bGamepadEnabled;
    std::string m_selectSound;
};

NS_CC_END

#endif // __CC_MENU_GAMEPAD_H__
