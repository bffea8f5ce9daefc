#ifndef __AUTO_LERP_FLOAT_BINDING_H__
#define __AUTO_LERP_FLOAT_BINDING_H__

// Script-side forms of AutoLerpFloat members whose native signature differs.

#include "AutoLerpFloat.h"

NS_CC_BEGIN

inline float script_getTargetByRef(AutoLerpFloat* self)
{
    return self->getTargetByRef();
}

NS_CC_END

#endif // __AUTO_LERP_FLOAT_BINDING_H__
