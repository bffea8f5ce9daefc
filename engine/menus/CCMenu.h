#ifndef __CC_MENU_H__
#define __CC_MENU_H__

#include "menus/CCMenuItem.h"
#include "nodes/CCLayer.h"

#include <cstdarg>

NS_CC_BEGIN

typedef enum
{
    kCCMenuStateWaiting,
    kCCMenuStateTrackingTouch,
} tCCMenuState;

enum
{
    /** Menus take touches before ordinary layers. */
    kCCMenuHandlerPriority = -128,
};

/**
 * A layer of menu items. A touch that begins on an enabled, visible item selects it (only while
 * the menu and every ancestor are visible); moving over other items moves the selection; lifting
 * the touch unselects the item, then activates it. The menu swallows the touches it claims.
 *
 * The selected item stays recorded after activation so that whoever drives the menu by other
 * means (gamepads) can return to it; it is forgotten when the item leaves the menu.
 */
class CCMenu : public CCLayerRGBA
{
public:
    CCMenu();
    virtual ~CCMenu();

    static CCMenu* create();
    /** Items up to a NULL. */
    static CCMenu* create(CCMenuItem* item, ...);
    static CCMenu* createWithArray(CCArray* arrayOfItems);
    static CCMenu* createWithItem(CCMenuItem* item);
    static CCMenu* createWithItems(CCMenuItem* firstItem, va_list args);
    virtual bool init();
    virtual bool initWithArray(CCArray* arrayOfItems);

    // Layout helpers: items centred on the menu's origin.
    void alignItemsVertically();
    void alignItemsVerticallyWithPadding(float padding);
    void alignItemsHorizontally();
    void alignItemsHorizontallyWithPadding(float padding);

    void setHandlerPriority(int newPriority);
    virtual bool isEnabled() { return m_bEnabled; }
    virtual void setEnabled(bool value) { m_bEnabled = value; }
    CCMenuItem* getSelectedItem() { return m_pSelectedItem; }
    /** Records an item as the selected one (focus from other input); NULL or one of the children. */
    void setSelectedItem(CCMenuItem* item);
    tCCMenuState getState() const { return m_eState; }

    virtual void addChild(CCNode* child);
    virtual void addChild(CCNode* child, int zOrder);
    virtual void addChild(CCNode* child, int zOrder, int tag);
    virtual void removeChild(CCNode* child, bool cleanup);
    using CCLayerRGBA::removeChild;

    virtual void registerWithTouchDispatcher();
    virtual bool ccTouchBegan(CCTouch* touch, CCEvent* event);
    virtual void ccTouchEnded(CCTouch* touch, CCEvent* event);
    virtual void ccTouchCancelled(CCTouch* touch, CCEvent* event);
    virtual void ccTouchMoved(CCTouch* touch, CCEvent* event);
    virtual void onExit();

    /** The enabled, visible item under the touch (the topmost when items overlap), or NULL. */
    CCMenuItem* itemForTouch(CCTouch* touch);

protected:
    bool m_bEnabled;
    tCCMenuState m_eState;
    CCMenuItem* m_pSelectedItem;   ///< weak; one of the children or NULL
};

NS_CC_END

#endif // __CC_MENU_H__
