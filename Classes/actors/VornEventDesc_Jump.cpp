#include "VornEventDesc_Jump.h"

#include "VornActor.h"
#include "VornDictionary.h"

NS_CC_BEGIN

VornEventDesc_Jump::VornEventDesc_Jump() : m_force(0.0f, 0.0f)
{
    m_nType = kVET_Jump;
}

bool VornEventDesc_Jump::initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile)
{
    if (!VornEventDesc::initWithDictionary(dict, name, ownerFile))
    {
        return false;
    }
    VornDictionary::getPoint(dict, "Force", &m_force);
    return true;
}

void VornEventDesc_Jump::fire(VornActionDesc* action, VornActor* actor)
{
    CC_UNUSED_PARAM(action);
    if (actor)
    {
        actor->applyForce(m_force);
    }
}

NS_CC_END
