#ifndef __CC_MENU_GAMEPAD_INPUT_DISPATCHER_H__
#define __CC_MENU_GAMEPAD_INPUT_DISPATCHER_H__

#include "CCObject.h"

#include <vector>

NS_CC_BEGIN

class CCArray;
class CCMenuGamepad;
class CCMenuItem;

enum
{
    kMenuGamepadPlayer_MAX = 4,
};

/**
 * Moves keyboard and gamepad focus between the items of every gamepad menu on screen, one focus
 * per player (0 to 3; -1 means all four where an operation says so), and activates the focused
 * item. Focus moves by the items' positions on screen and wraps at the ends.
 *
 * The menus belong to the scene graph: a menu leaves the dispatcher in its cleanup, or at the
 * latest when it is destroyed, so a menu that never made it on stage (a failed layout read) can
 * never take the focus. Each player's focused item and active menu are retained while they are.
 */
class CCMenuGamepadInputDispatcher : public CCObject
{
public:
    CCMenuGamepadInputDispatcher();
    virtual ~CCMenuGamepadInputDispatcher();

    /** Made on first use and kept for the life of the process. */
    static CCMenuGamepadInputDispatcher* sharedDispatcher();
    bool init();

    /** Makes the menu the player's active one and focuses its selected item (else its first). NULL is ignored. */
    void setActiveMenu(CCMenuGamepad* menu, int player);
    /** Focuses the item (NULL clears the focus); its menu becomes the player's active menu. */
    void setFocusMenuItem(CCMenuItem* item, int player);
    /** Adds a menu (once). */
    void addMenu(CCMenuGamepad* menu);
    /** False when the menu was not known; clears any focus that pointed into it. */
    bool removeMenu(CCMenuGamepad* menu);
    /** Moves the player's focus up (0), down (1), left (2) or right (3). */
    void moveSelection(int direction, int player);
    /** The active menu's action handler, else the focused item is activated. */
    void activateSelectedItem(int player);
    /**
     * One navigation input of a player (kMenuGamepadInput_*): directions go to the active menu's
     * handler first and move the focus when it does not take them; action activates; back goes to
     * the active menu's back handler only. Players above 3 are ignored.
     */
    void handleMenuInput(int input, int player);

    CCMenuItem* getFocusMenuItem(int player);
    CCMenuGamepad* getActiveMenu(int player);

    /** A new autoreleased array of the known menus, in the order they were added. */
    virtual CCArray* getMenus();
    /** Replaces the known menus with the gamepad menus of the array. */
    virtual void setMenus(CCArray* menus);
    /** For a menu being destroyed: forgets it without touching its reference count. */
    void forgetDestroyedMenu(CCMenuGamepad* menu);
    /** Whether an item that receives the focus is also shown selected. */
    virtual bool getShowSelection() { return m_bShowSelection; }
    virtual void setShowSelection(bool show) { m_bShowSelection = show; }

private:
    std::vector<CCMenuItem*> candidateItems(int player);
    /** Drops the player's focus when its item is no longer among the candidates. */
    void dropStaleFocus(int player, const std::vector<CCMenuItem*>& candidates);
    void storeFocus(int player, CCMenuItem* item);
    void storeActiveMenu(int player, CCMenuGamepad* menu);

    void clearReferencesTo(CCMenuGamepad* menu);

    std::vector<CCMenuGamepad*> m_menus;  ///< weak
    bool m_bShowSelection;
    CCMenuItem* m_pFocusItem[kMenuGamepadPlayer_MAX];    ///< retained
    CCMenuGamepad* m_pActiveMenu[kMenuGamepadPlayer_MAX];  ///< retained
};

NS_CC_END

#endif // __CC_MENU_GAMEPAD_INPUT_DISPATCHER_H__
