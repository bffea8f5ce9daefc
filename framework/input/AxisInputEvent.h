#ifndef __AXIS_INPUT_EVENT_H__
#define __AXIS_INPUT_EVENT_H__

#include "InputEvent.h"

NS_CC_BEGIN

/** An analog axis moved: the device's raw axis index and a value from -1.0 to 1.0. */
class AxisInputEvent : public InputEvent
{
public:
    AxisInputEvent() : m_nAxis(-1), m_fValue(0.0f) {}

    virtual int getAxis() const { return m_nAxis; }
    virtual void setAxis(int axis) { m_nAxis = axis; }
    virtual float getValue() const { return m_fValue; }
    virtual void setValue(float value) { m_fValue = value; }

protected:
    int m_nAxis;
    float m_fValue;
};

NS_CC_END

#endif // __AXIS_INPUT_EVENT_H__
