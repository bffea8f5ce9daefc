#ifndef __VORN_ACTOR_DESC_BINDING_H__
#define __VORN_ACTOR_DESC_BINDING_H__

// Script-side forms of VornActorDesc members whose native signature differs.

#include "CCString.h"
#include "GameBindingSupport.h"
#include "CCSpriteFrame.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"

NS_CC_BEGIN

inline bool script_initWithFile(VornActorDesc* self, const char* fileName)
{
    return script_isContentName(fileName, "VornActorDesc:initWithFile") && self->initWithFile(fileName);
}

/** The first display name, or NULL (nil in Lua) when the list has no string there. */
inline const char* script_getDisplayName(VornActorDesc* self)
{
    CCArray* names = self->getNames();
    CCString* first = (names && names->count() > 0) ? dynamic_cast<CCString*>(names->objectAtIndex(0)) : NULL;
    return first ? first->getCString() : NULL;
}

NS_CC_END

#endif // __VORN_ACTOR_DESC_BINDING_H__
