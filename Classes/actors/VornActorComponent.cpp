#include "VornActorComponent.h"

#include "VornActor.h"

NS_CC_BEGIN

VornActorComponent::VornActorComponent() {}

VornActorComponent::~VornActorComponent()
{
    // Not retained: keep the base destructor from releasing it.
    setOwner(NULL);
}

void VornActorComponent::setOwner(CCNode* owner)
{
    if (m_pOwner && m_pOwner != owner && m_pOwner->getUserData() == this)
    {
        m_pOwner->setUserData(NULL);
    }
    m_pOwner = owner;
    if (owner)
    {
        owner->setUserData(this);
    }
}

VornActor* VornActorComponent::actor()
{
    return static_cast<VornActor*>(m_pOwner);
}

CCPoint VornActorComponent::getPosition()
{
    return m_pOwner ? actor()->getBasePosition() : CCPoint(0.0f, 0.0f);
}

CCPoint VornActorComponent::getLastPosition()
{
    return m_pOwner ? actor()->getLastBasePosition() : CCPoint(0.0f, 0.0f);
}

void VornActorComponent::setPosition(CCPoint position)
{
    if (m_pOwner)
    {
        actor()->setBasePosition(position);
    }
}

NS_CC_END
