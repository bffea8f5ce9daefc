#ifndef __VORN_ACTOR_BINDING_H__
#define __VORN_ACTOR_BINDING_H__

// Script-side forms of VornActor members whose native signature differs.

#include "CCNode.h"
#include "VornActionDesc.h"
#include "VornActor.h"
#include "VornActorDesc.h"

NS_CC_BEGIN

/** The node as an actor; nil for any other node, whose memory an actor's members would misread. */
inline VornActor* script_toVornActor(CCNode* node)
{
    return dynamic_cast<VornActor*>(node);
}

/** Whether the actor's next action of that type would reach target; false without one. */
inline bool script_willAttackHitActor(VornActor* self, int type, VornActor* target)
{
    return self->willAttackHitActor(self->getNextAction(type), target);
}

NS_CC_END

#endif // __VORN_ACTOR_BINDING_H__
