#include "InputEvent.h"

NS_CC_BEGIN

InputEvent::InputEvent() : m_pHandler(NULL), m_pMappedInputs(NULL), m_nDeviceType(-1), m_nDeviceID(-1) {}

InputEvent::~InputEvent()
{
    CC_SAFE_RELEASE(m_pMappedInputs);
}

void InputEvent::setMappedInputs(CCArray* mappedInputs)
{
    if (mappedInputs != m_pMappedInputs)
    {
        CC_SAFE_RETAIN(mappedInputs);
        CC_SAFE_RELEASE(m_pMappedInputs);
        m_pMappedInputs = mappedInputs;
    }
}

NS_CC_END
