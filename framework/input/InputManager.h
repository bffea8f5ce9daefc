#ifndef __INPUT_MANAGER_H__
#define __INPUT_MANAGER_H__

#include "InputHandler.h"

NS_CC_BEGIN

/**
 * The registry of input handlers (keyboard, desktop gamepads). Re-emits every handler's events on
 * its own two signals, so a consumer subscribes once and hears every device. The event objects
 * are only valid during the emission.
 */
class InputManager : public CCObject
{
public:
    /** The first manager made becomes the shared one. */
    InputManager();
    virtual ~InputManager();

    static InputManager* sharedInputManager();

    /** Makes and registers the keyboard and desktop gamepad handlers. */
    virtual bool init();

    /** Handler name -> InputHandler. */
    virtual CCDictionary* getHandlers() const { return m_pHandlers; }
    virtual void setHandlers(CCDictionary* handlers);
    virtual Signal<AxisInputEvent*>& getAxisSignal() { return m_axisSignal; }
    virtual void setAxisSignal(const Signal<AxisInputEvent*>& signal) { m_axisSignal = signal; }
    virtual Signal<ButtonInputEvent*>& getButtonSignal() { return m_buttonSignal; }
    virtual void setButtonSignal(const Signal<ButtonInputEvent*>& signal) { m_buttonSignal = signal; }

    /** Stores the handler under its name (replacing one of that name) and forwards its events. */
    void registerHandler(InputHandler* handler);
    /** NULL when no handler has that name. */
    InputHandler* getHandlerWithName(const char* name);
    /** Drops every button mapping of every handler; display names stay. */
    void resetAllButtonInfos();

    void onAxisEvent(AxisInputEvent* event);
    void onButtonEvent(ButtonInputEvent* event);

protected:
    void unregisterHandler(InputHandler* handler);

    CCDictionary* m_pHandlers;
    Signal<AxisInputEvent*> m_axisSignal;
    Signal<ButtonInputEvent*> m_buttonSignal;
};

NS_CC_END

#endif // __INPUT_MANAGER_H__
