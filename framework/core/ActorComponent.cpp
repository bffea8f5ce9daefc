#include "ActorComponent.h"

#include "CCNode.h"

NS_CC_BEGIN

ActorComponent::ActorComponent() : m_pOwner(NULL), m_offset(0.0f, 0.0f), m_bHasOffset(false) {}

ActorComponent::~ActorComponent()
{
    setOwner(NULL);
}

ActorComponent* ActorComponent::create(CCNode* owner)
{
    ActorComponent* component = new ActorComponent();
    component->setOwner(owner);
    if (owner != NULL)
    {
        owner->setUserData(component);
    }
    component->autorelease();
    return component;
}

CCPoint ActorComponent::getPosition()
{
    return m_pOwner ? m_pOwner->getPosition() : CCPoint(0.0f, 0.0f);
}

CCPoint ActorComponent::getLastPosition()
{
    return getPosition();
}

void ActorComponent::setPosition(CCPoint position)
{
    if (m_pOwner)
    {
        m_pOwner->setPosition(position);
    }
}

void ActorComponent::setOwner(CCNode* owner)
{
    if (owner == m_pOwner)
    {
        return;
    }
    CC_SAFE_RETAIN(owner);
    if (m_pOwner != NULL)
    {
        // The old owner must not keep pointing at a component that no longer stands for it.
        if (m_pOwner->getUserData() == this)
        {
            m_pOwner->setUserData(NULL);
        }
        m_pOwner->release();
    }
    m_pOwner = owner;
}

void ActorComponent::addOffset(const CCPoint& delta)
{
    m_offset += delta;
    m_bHasOffset = true;
}

void ActorComponent::applyOffset()
{
    if (m_bHasOffset)
    {
        setPosition(getPosition() + m_offset);
        m_offset = CCPoint(0.0f, 0.0f);
    }
}

NS_CC_END
