#ifndef __CC_ANIMATING_SPRITE_BINDING_H__
#define __CC_ANIMATING_SPRITE_BINDING_H__

// Script-side forms of CCAnimatingSprite members that open files.

#include "CCAnimatingSprite.h"
#include "GameBindingSupport.h"

NS_CC_BEGIN

inline bool script_playFile(CCAnimatingSprite* self, const char* file)
{
    return script_isContentName(file, "CCAnimatingSprite:playFile") && self->playFile(file);
}

inline CCAnimatingSprite* script_animatingSpriteWithFile(const char* file)
{
    return script_isContentName(file, "CCAnimatingSprite:animatingSpriteWithFile")
               ? CCAnimatingSprite::animatingSpriteWithFile(file)
               : NULL;
}

NS_CC_END

#endif // __CC_ANIMATING_SPRITE_BINDING_H__
