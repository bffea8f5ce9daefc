#ifndef __VORN_ACTOR_DESC_BINDING_H__
#define __VORN_ACTOR_DESC_BINDING_H__

// Script-side forms of VornActorDesc members whose native signature differs.

#include "CCString.h"
#include "CCSpriteFrame.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"

NS_CC_BEGIN

/** The first display name, or NULL (nil in Lua) when the list has no string there. */
inline const char* script_getDisplayName(VornActorDesc* self)
{
    CCArray* names = self->getNames();
    CCString* first = (names && names->count() > 0) ? dynamic_cast<CCString*>(names->objectAtIndex(0)) : NULL;
    return first ? first->getCString() : NULL;
}

NS_CC_END

#endif // __VORN_ACTOR_DESC_BINDING_H__
