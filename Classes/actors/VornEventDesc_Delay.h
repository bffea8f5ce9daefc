#ifndef __VORN_EVENT_DESC_DELAY_H__
#define __VORN_EVENT_DESC_DELAY_H__

#include "VornEventDesc.h"

NS_CC_BEGIN

/** Freezes the actor's running action for a while at the event's moment. */
class VornEventDesc_Delay : public VornEventDesc
{
public:
    VornEventDesc_Delay();

    virtual bool initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile);
    virtual void fire(VornActionDesc* action, VornActor* actor);

    virtual float getDelay() { return m_fDelay; }
    /** A negative delay, or one at every update (a negative time), would freeze the action for ever: 0, logged. */
    virtual void setDelay(float delay);

protected:
    float m_fDelay;
};

NS_CC_END

#endif // __VORN_EVENT_DESC_DELAY_H__
