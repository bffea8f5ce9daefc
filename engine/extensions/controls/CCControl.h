#ifndef __CC_CONTROL_H__
#define __CC_CONTROL_H__

#include "nodes/CCLayer.h"

#include <vector>

NS_CC_EXT_BEGIN

// Control events and handlers (the layout reader declares the same typedefs).
typedef unsigned int CCControlEvent;
typedef void (cocos2d::CCObject::*SEL_CCControlHandler)(cocos2d::CCObject*, CCControlEvent);
#define cccontrol_selector(_SELECTOR) (::cocos2d::extension::SEL_CCControlHandler)(&_SELECTOR)

enum
{
    CCControlEventTouchDown = 1 << 0,
    CCControlEventTouchDragInside = 1 << 1,
    CCControlEventTouchDragOutside = 1 << 2,
    CCControlEventTouchDragEnter = 1 << 3,
    CCControlEventTouchDragExit = 1 << 4,
    CCControlEventTouchUpInside = 1 << 5,
    CCControlEventTouchUpOutside = 1 << 6,
    CCControlEventTouchCancel = 1 << 7,
    CCControlEventValueChanged = 1 << 8,
};

typedef unsigned int CCControlState;
enum
{
    CCControlStateNormal = 1 << 0,
    CCControlStateHighlighted = 1 << 1,
    CCControlStateDisabled = 1 << 2,
    CCControlStateSelected = 1 << 3,
};

enum
{
    kControlEventTotalNumber = 9,
};

/**
 * Something the player works by touch that reports events to targets. Targets are not retained.
 * Touches are taken one at a time, and only while the control and its ancestors are visible.
 */
class CCControl : public cocos2d::CCLayerRGBA
{
public:
    CCControl();
    virtual ~CCControl();
    static CCControl* create();
    virtual bool init();

    virtual void setEnabled(bool bEnabled);
    virtual bool isEnabled() { return m_bEnabled; }
    virtual void setSelected(bool bSelected);
    virtual bool isSelected() { return m_bSelected; }
    virtual void setHighlighted(bool bHighlighted);
    virtual bool isHighlighted() { return m_bHighlighted; }
    /** Normal, or the disabled/selected/highlighted state in that order of precedence. */
    virtual CCControlState getState();
    bool hasVisibleParents();
    virtual void needsLayout() {}

    virtual void addTargetWithActionForControlEvents(cocos2d::CCObject* target, SEL_CCControlHandler action,
                                                     CCControlEvent controlEvents);
    /** NULL target or action match any. */
    virtual void removeTargetWithActionForControlEvents(cocos2d::CCObject* target, SEL_CCControlHandler action,
                                                        CCControlEvent controlEvents);
    virtual void sendActionsForControlEvents(CCControlEvent controlEvents);

    virtual cocos2d::CCPoint getTouchLocation(cocos2d::CCTouch* touch);
    /** Whether the touch lies on the control (edges count). */
    virtual bool isTouchInside(cocos2d::CCTouch* touch);

    virtual void onEnter();
    virtual void registerWithTouchDispatcher();

protected:
    struct Handler
    {
        cocos2d::CCObject* target;
        SEL_CCControlHandler action;
        CCControlEvent events;
    };

    bool m_bEnabled;
    bool m_bSelected;
    bool m_bHighlighted;
    std::vector<Handler> m_handlers;
};

NS_CC_EXT_END

#endif // __CC_CONTROL_H__
