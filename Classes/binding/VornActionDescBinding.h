#ifndef __VORN_ACTION_DESC_BINDING_H__
#define __VORN_ACTION_DESC_BINDING_H__

// Script-side forms of VornActionDesc members whose native signature differs.

#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornDictionary.h"

NS_CC_BEGIN

/** Scripts pass the action's name before its owner. */
inline bool script_initWithDictionary(VornActionDesc* self, VornDictionary* dict, const std::string& name,
                                      VornActorDesc* owner)
{
    return self->initWithDictionary(dict, owner, name);
}

NS_CC_END

#endif // __VORN_ACTION_DESC_BINDING_H__
