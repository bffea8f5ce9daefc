#ifndef __TOUCH_INPUT_H__
#define __TOUCH_INPUT_H__

#include "TouchGestures.h"
#include "TouchJoystick.h"

NS_CC_BEGIN

/** Touch controls: the virtual stick on the left half, gestures on the right, and every new touch announced. */
class TouchInput : public CCLayer
{
public:
    TouchInput() : m_pJoystick(NULL), m_pGestures(NULL) {}
    virtual ~TouchInput();

    virtual bool init();

    /** touchedSignal once for every new touch. */
    virtual void ccTouchesBegan(CCSet* touches, CCEvent* event);
    virtual void keyBackClicked() {}

    virtual TouchJoystick* getJoystick() const { return m_pJoystick; }
    virtual void setJoystick(TouchJoystick* joystick) { m_pJoystick = joystick; }
    virtual TouchGestures* getGestures() const { return m_pGestures; }
    virtual void setGestures(TouchGestures* gestures) { m_pGestures = gestures; }
    virtual Signal<>& getTouchedSignal() { return m_touchedSignal; }
    virtual void setTouchedSignal(const Signal<>& signal) { m_touchedSignal = signal; }

protected:
    TouchJoystick* m_pJoystick;  ///< a child, with one more reference held here
    TouchGestures* m_pGestures;  ///< a child
    Signal<> m_touchedSignal;
};

NS_CC_END

#endif // __TOUCH_INPUT_H__
