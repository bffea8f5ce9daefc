#include "VornEventDesc_Throw.h"

#include "VornActionDesc.h"
#include "VornActor.h"
#include "VornAnimate.h"
#include "VornDictionary.h"

NS_CC_BEGIN

VornEventDesc_Throw::VornEventDesc_Throw() : m_bThrowBack(false), m_fDamage(0.0f)
{
    m_nType = kVET_Throw;
}

bool VornEventDesc_Throw::initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile)
{
    if (!VornEventDesc::initWithDictionary(dict, name, ownerFile))
    {
        return false;
    }
    VornDictionary::getBool(dict, "ThrowBack", &m_bThrowBack);
    VornDictionary::getFloat(dict, "Damage", &m_fDamage);
    return true;
}

void VornEventDesc_Throw::fire(VornActionDesc* action, VornActor* thrower)
{
    VornAnimate* link = thrower && thrower->getAnimate() ? thrower->getAnimate()->getLinkedAnimate() : NULL;
    VornActor* victim = link ? link->getActor() : NULL;
    if (!victim)
    {
        return;
    }
    // Keep the victim while its reactions run: they may end the link that led here.
    victim->retain();
    victim->doTakeDamage(m_fDamage, CCPoint(0.0f, 0.0f), CCPoint(0.0f, 0.0f), kVornAttackType_Thrown, false);

    int reaction = kVAT_Thrown;
    if (m_bThrowBack)
    {
        victim->setFacingDir(victim->getFacingDir() == kFacingDir_Left ? kFacingDir_Right : kFacingDir_Left);
        reaction = kVAT_ThrownBack;
    }
    if (!victim->getPendingActions().empty())
    {
        victim->queueAction(reaction);
    }
    else
    {
        VornActionDesc* next = victim->getNextAction(reaction);
        if (!next || !victim->getAnimate()->addActionToStack(next))
        {
            victim->queueAction(reaction);
        }
    }
    if (m_bThrowBack)
    {
        victim->setBasePosition(CCPoint(victim->getBasePosition().x, thrower->getBasePosition().y - 0.001f));
    }

    thrower->getAttackHitSignal().emit(action, victim, CCPoint(0.0f, 0.0f), m_fDamage);
    if (m_fDamage > 0.0f)
    {
        showImpact(victim->getCollisionBoundsInParentSpace(), false, CCPoint(0.0f, 0.0f), (int)(m_fDamage * 0.1f),
                   false);
    }
    victim->release();
}

NS_CC_END
