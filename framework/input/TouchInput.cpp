#include "TouchInput.h"

NS_CC_BEGIN

TouchInput::~TouchInput()
{
    CC_SAFE_RELEASE(m_pJoystick);
}

bool TouchInput::init()
{
    if (!CCLayer::init())
    {
        return false;
    }
    TouchJoystick* joystick = new TouchJoystick();
    if (!joystick->init())
    {
        joystick->release();
        return false;
    }
    m_pJoystick = joystick;  // keeps the reference new gave
    m_pJoystick->setVisible(false);
    addChild(m_pJoystick);

    TouchGestures* gestures = new TouchGestures();
    if (!gestures->init())
    {
        gestures->release();
        return false;
    }
    m_pGestures = gestures;
    addChild(m_pGestures);
    m_pGestures->release();

    setTouchEnabled(true);
    setKeypadEnabled(true);
    return true;
}

void TouchInput::ccTouchesBegan(CCSet* touches, CCEvent* event)
{
    CC_UNUSED_PARAM(event);
    if (touches == NULL)
    {
        return;
    }
    for (CCSetIterator it = touches->begin(); it != touches->end(); ++it)
    {
        m_touchedSignal.emit();
    }
}

NS_CC_END
