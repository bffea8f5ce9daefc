#include "VornTrigger.h"

#include "ActorComponent.h"
#include "CollisionList.h"
#include "VornCollision.h"

NS_CC_BEGIN

VornTrigger::VornTrigger() : m_bTriggered(false), m_bVisibleTrigger(false), m_bRepeatTrigger(false) {}

VornTrigger::~VornTrigger() {}

VornTrigger* VornTrigger::create()
{
    VornTrigger* trigger = new VornTrigger();
    if (!trigger->init())
    {
        CCLog("ERROR: Error creating VornTrigger");
        trigger->release();
        return NULL;
    }
    trigger->autorelease();
    return trigger;
}

bool VornTrigger::init()
{
    if (!CCLayerColor::init())
    {
        return false;
    }
    CollisionList* list = VornCollision::findCollisionList(kCollisionListId);
    ActorComponent* component = list ? ActorComponent::create(this) : NULL;
    if (component == NULL)
    {
        CCLog("ERROR: Unable to create VornTrigger actor component!");
        return false;
    }
    // The list owns the component, which owns this node; the node only points back (user data).
    list->addObject(component);
    setOpacity(0);
    setTriggered(false);
    return true;
}

void VornTrigger::setTriggered(bool triggered)
{
    m_bTriggered = triggered;
    if (m_bVisibleTrigger)
    {
        setVisible(!triggered);
    }
}

NS_CC_END
