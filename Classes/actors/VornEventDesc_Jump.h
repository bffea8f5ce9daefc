#ifndef __VORN_EVENT_DESC_JUMP_H__
#define __VORN_EVENT_DESC_JUMP_H__

#include "VornEventDesc.h"

NS_CC_BEGIN

/** Gives the actor an impulse (x away from the side it faces, y upwards). */
class VornEventDesc_Jump : public VornEventDesc
{
public:
    VornEventDesc_Jump();

    virtual bool initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile);
    virtual void fire(VornActionDesc* action, VornActor* actor);

    virtual CCPoint getForce() { return m_force; }
    virtual void setForce(const CCPoint& force) { m_force = force; }

protected:
    CCPoint m_force;
};

NS_CC_END

#endif // __VORN_EVENT_DESC_JUMP_H__
