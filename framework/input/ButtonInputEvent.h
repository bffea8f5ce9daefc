#ifndef __BUTTON_INPUT_EVENT_H__
#define __BUTTON_INPUT_EVENT_H__

#include "InputEvent.h"

NS_CC_BEGIN

/** A key or pad button went down or up. */
class ButtonInputEvent : public InputEvent
{
public:
    ButtonInputEvent() : m_nButton(-1), m_bDown(false) {}

    virtual int getButton() const { return m_nButton; }
    virtual void setButton(int button) { m_nButton = button; }
    virtual bool getIsDown() const { return m_bDown; }
    virtual void setIsDown(bool down) { m_bDown = down; }

protected:
    int m_nButton;
    bool m_bDown;
};

NS_CC_END

#endif // __BUTTON_INPUT_EVENT_H__
