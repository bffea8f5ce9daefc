#include "VornEventDesc_Delay.h"

#include "ActionStackItem.h"
#include "VornActionDesc.h"
#include "VornActor.h"
#include "VornAnimate.h"
#include "VornDictionary.h"

#include <cfloat>

NS_CC_BEGIN

VornEventDesc_Delay::VornEventDesc_Delay() : m_fDelay(0.0f)
{
    m_nType = kVET_Delay;
}

bool VornEventDesc_Delay::initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile)
{
    if (!VornEventDesc::initWithDictionary(dict, name, ownerFile))
    {
        return false;
    }
    VornDictionary::getFloat(dict, "Delay", &m_fDelay);
    return true;
}

void VornEventDesc_Delay::setDelay(float delay)
{
    if (!(delay >= 0.0f) || (delay > 0.0f && getTime() < 0.0f))
    {
        CCLog("VornEventDesc_Delay::setDelay - event '%s': Delay %g taken as 0", getName().c_str(), delay);
        delay = 0.0f;
    }
    m_fDelay = delay;
}

void VornEventDesc_Delay::fire(VornActionDesc* action, VornActor* actor)
{
    if (m_fDelay <= 0.0f || !actor || !actor->getAnimate())
    {
        return;
    }
    ActionStackItem* top = actor->getAnimate()->getTopItem();
    if (top)
    {
        // Just past this moment, so the event does not fire again when the action goes on.
        top->setElapsed(action->getDuration() * (m_fTime + FLT_EPSILON));
        top->setDelay(m_fDelay);
    }
}

NS_CC_END
