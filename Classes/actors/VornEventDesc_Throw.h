#ifndef __VORN_EVENT_DESC_THROW_H__
#define __VORN_EVENT_DESC_THROW_H__

#include "VornEventDesc.h"

NS_CC_BEGIN

/** Belongs to a grabbing actor's move: throws the actor it holds, forwards or over its back. */
class VornEventDesc_Throw : public VornEventDesc
{
public:
    VornEventDesc_Throw();

    virtual bool initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile);
    virtual void fire(VornActionDesc* action, VornActor* thrower);

    virtual bool getThrowBack() { return m_bThrowBack; }
    virtual void setThrowBack(bool throwBack) { m_bThrowBack = throwBack; }
    virtual float getDamage() { return m_fDamage; }
    virtual void setDamage(float damage) { m_fDamage = damage; }

protected:
    bool m_bThrowBack;
    float m_fDamage;
};

NS_CC_END

#endif // __VORN_EVENT_DESC_THROW_H__
