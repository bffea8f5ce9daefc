#ifndef __INPUT_HANDLER_H__
#define __INPUT_HANDLER_H__

#include "AxisInputEvent.h"
#include "ButtonInputEvent.h"
#include "ButtonInputInfo.h"
#include "CCDictionary.h"
#include "CCObjectPool.h"
#include "Signal.h"

#include <pthread.h>
#include <string>

/** The keyboard's device type. */
#define DEVICE_TYPE_KEYBOARD 0x10000001
/** The device type holding a handler's default mappings, used by devices without their own. */
#define DEVICE_TYPE_DEFAULT (-1)

NS_CC_BEGIN

class GameManager;

/**
 * A source of buttons and axes (keyboard, gamepads). Raw happenings are queued as pooled events
 * under the handler's mutex and emitted once per frame by dispatchEvents, axis events first.
 *
 * The mutex is recursive, so a subscriber may queue events or edit mappings from inside a
 * dispatch: events queued then go out with the next dispatch. Mapping edits never change an
 * array in place, so every event keeps the mapping it was queued with until it is delivered.
 */
class InputHandler : public CCObject
{
public:
    static const unsigned int kEventPoolSize = 20;

    InputHandler();
    virtual ~InputHandler();

    virtual bool init();
    /** The name the input manager registers the handler under. */
    virtual const char* getName() = 0;
    /** A device's human-readable name; "" when the handler does not know the device. */
    virtual const char* getDeviceName(int deviceID) = 0;
    /** The button's display name (empty when none was set); creates its record. */
    virtual std::string getButtonDisplayName(int buttonCode, int deviceType);
    /** Emits every pending event and returns it to its pool; run on the game manager's update signal. */
    virtual void dispatchEvents(float dt);

    virtual CCArray* getAxisEvents() const { return m_pAxisEvents; }
    virtual CCArray* getButtonEvents() const { return m_pButtonEvents; }
    /** Device type -> (button code -> ButtonInputInfo). */
    virtual CCDictionary* getButtonInfos() const { return m_pButtonInfos; }
    virtual void setButtonInfos(CCDictionary* buttonInfos);
    /** Raw axis index -> CCArray of CCInteger logical axes; an axis without an entry is not reported. */
    virtual CCDictionary* getAxisMappings() const { return m_pAxisMappings; }
    virtual void setAxisMappings(CCDictionary* axisMappings);
    virtual Signal<AxisInputEvent*>& getAxisSignal() { return m_axisSignal; }
    virtual void setAxisSignal(const Signal<AxisInputEvent*>& signal) { m_axisSignal = signal; }
    virtual Signal<ButtonInputEvent*>& getButtonSignal() { return m_buttonSignal; }
    virtual void setButtonSignal(const Signal<ButtonInputEvent*>& signal) { m_buttonSignal = signal; }

    CCObjectPool* getAxisEventPool() const { return m_pAxisEventPool; }
    CCObjectPool* getButtonEventPool() const { return m_pButtonEventPool; }

    void queueButtonEvent(int deviceType, int deviceID, int buttonCode, bool down);
    void queueAxisEvent(int deviceType, int deviceID, int axis, float value);

    /** The record of a button of a device type, created (empty) when missing; never NULL. */
    ButtonInputInfo* getButtonInputInfo(int buttonCode, int deviceType);
    void setKeyboardButtonName(int buttonCode, const char* name);
    /** The first button mapped to the logical input, falling back to the default mappings; -1 when none. */
    int getButtonCodeForInput(int logicalInput, int deviceType);

    /** Adds a logical input to a button's mapping. */
    void addButtonMapping(int buttonCode, int deviceType, int logicalInput);
    /** Adds a logical axis to a raw axis's mapping. */
    void addAxisMapping(int axis, int logicalAxis);
    /** Empties the mappings of every button of the device type. */
    void clearButtonMappings(int deviceType);
    /** Takes the logical input out of the mappings of one device type's buttons. */
    static void removeInputMapping(int logicalInput, CCDictionary* deviceButtons);

protected:
    /** A new array holding the old one's values (none for NULL) and the value after them. */
    static CCArray* arrayWithAppended(CCArray* array, int value);
    void connectToUpdates();
    void disconnectFromUpdates();

    CCArray* m_pAxisEvents;
    CCArray* m_pButtonEvents;
    CCDictionary* m_pButtonInfos;
    CCDictionary* m_pAxisMappings;
    Signal<AxisInputEvent*> m_axisSignal;
    Signal<ButtonInputEvent*> m_buttonSignal;
    CCObjectPool* m_pAxisEventPool;
    CCObjectPool* m_pButtonEventPool;
    pthread_mutex_t m_mutex;
    bool m_bMutexReady;
    bool m_bDispatching;

private:
    // The queues being delivered: swapped with the pending ones at the start of a dispatch.
    CCArray* m_pDeliveringAxisEvents;
    CCArray* m_pDeliveringButtonEvents;
    GameManager* m_pUpdateSource;  ///< whose update signal dispatches this handler
};

NS_CC_END

#endif // __INPUT_HANDLER_H__
