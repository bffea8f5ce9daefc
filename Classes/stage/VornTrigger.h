#ifndef __VORN_TRIGGER_H__
#define __VORN_TRIGGER_H__

#include "CCLayerColor.h"

#include <string>

NS_CC_BEGIN

/**
 * An area of a stage layout that calls a level-script function when the player's feet enter it.
 * It stands in the trigger collision list (32) through its component from init on; the level flow
 * decides when it fires. A visible trigger shows while armed and hides once fired.
 */
class VornTrigger : public CCLayerColor
{
public:
    /** The trigger collision list's id. */
    static const int kCollisionListId = 32;

    VornTrigger();
    virtual ~VornTrigger();

    /** A new armed, transparent trigger in the trigger list; NULL (logged) on failure. */
    static VornTrigger* create();
    virtual bool init();

    virtual bool isTriggered() { return m_bTriggered; }
    /** Stores the state; a visible trigger shows only while armed. */
    virtual void setTriggered(bool triggered);
    virtual bool getVisibleTrigger() { return m_bVisibleTrigger; }
    virtual void setVisibleTrigger(bool visible) { m_bVisibleTrigger = visible; }
    virtual const std::string& getTriggerName() { return m_triggerName; }
    virtual void setTriggerName(const std::string& name) { m_triggerName = name; }
    virtual bool getRepeatTrigger() { return m_bRepeatTrigger; }
    virtual void setRepeatTrigger(bool repeat) { m_bRepeatTrigger = repeat; }

private:
    bool m_bTriggered;
    bool m_bVisibleTrigger;
    std::string m_triggerName;
    bool m_bRepeatTrigger;
};

NS_CC_END

#endif // __VORN_TRIGGER_H__
