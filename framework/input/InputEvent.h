#ifndef __INPUT_EVENT_H__
#define __INPUT_EVENT_H__

#include "CCArray.h"

NS_CC_BEGIN

class InputHandler;

/**
 * A pooled input happening. Valid only during the emission that delivers it: afterwards the
 * handler takes it back into its pool and fills it again for a later event.
 */
class InputEvent : public CCObject
{
public:
    InputEvent();
    virtual ~InputEvent();

    virtual InputHandler* getHandler() const { return m_pHandler; }
    virtual void setHandler(InputHandler* handler) { m_pHandler = handler; }
    /** The logical inputs (or axes) the button or axis is mapped to; NULL when unmapped. */
    virtual CCArray* getMappedInputs() const { return m_pMappedInputs; }
    /** Retains the new array and releases the old one. */
    virtual void setMappedInputs(CCArray* mappedInputs);
    virtual int getDeviceType() const { return m_nDeviceType; }
    virtual void setDeviceType(int deviceType) { m_nDeviceType = deviceType; }
    virtual int getDeviceID() const { return m_nDeviceID; }
    virtual void setDeviceID(int deviceID) { m_nDeviceID = deviceID; }

protected:
    InputHandler* m_pHandler;  ///< weak: the handler outlives its pooled events
    CCArray* m_pMappedInputs;  ///< retained
    int m_nDeviceType;
    int m_nDeviceID;
};

NS_CC_END

#endif // __INPUT_EVENT_H__
