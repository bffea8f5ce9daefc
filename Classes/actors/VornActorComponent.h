#ifndef __VORN_ACTOR_COMPONENT_H__
#define __VORN_ACTOR_COMPONENT_H__

#include "ActorComponent.h"

NS_CC_BEGIN

class VornActor;

/**
 * An actor's part in the collision lists: positions are its base position (the feet), so
 * corrections move the feet and the node follows at its height.
 *
 * Unlike the plain component it does not retain its owner: the actor owns this component, and a
 * retain back would keep both alive forever. The actor clears the owner when it goes.
 */
class VornActorComponent : public ActorComponent
{
public:
    VornActorComponent();
    virtual ~VornActorComponent();

    virtual CCPoint getPosition();
    virtual CCPoint getLastPosition();
    virtual void setPosition(CCPoint position);
    /** Stores the owner without a retain and points the owner's user data at this component. */
    virtual void setOwner(CCNode* owner);

private:
    VornActor* actor();
};

NS_CC_END

#endif // __VORN_ACTOR_COMPONENT_H__
