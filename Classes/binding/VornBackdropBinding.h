#ifndef __VORN_BACKDROP_BINDING_H__
#define __VORN_BACKDROP_BINDING_H__

// Script-side forms of VornBackdrop members whose native signature differs.

#include "CCAnimatingSprite.h"
#include "CCParticleSystem.h"
#include "GameBindingSupport.h"
#include "LevelScriptBinding.h"
#include "VornBackdrop.h"

NS_CC_BEGIN

// The layout and the animation a script names are files from content.
inline bool script_initWithFile(VornBackdrop* self, const char* file, CCNode* layerParent, CCNode* objectParent)
{
    return script_isContentName(file, "VornBackdrop:initWithFile") && self->initWithFile(file, layerParent, objectParent);
}

inline bool script_setObjectAnimation(VornBackdrop* self, int tag, const char* file, float delay)
{
    return script_isContentName(file, "VornBackdrop:setObjectAnimation") && self->setObjectAnimation(tag, file, delay);
}

/** The named node when it is a particle system, else nil: its members would misread another node. */
inline CCParticleSystem* script_getParticleSystemByName(VornBackdrop* self, const char* name)
{
    return dynamic_cast<CCParticleSystem*>(self->getNodeByName(name));
}

inline CCAnimatingSprite* script_getAnimatingSpriteByName(VornBackdrop* self, const char* name)
{
    return dynamic_cast<CCAnimatingSprite*>(self->getNodeByName(name));
}

/**
 * Starts the timeline; a function given after the name is called once it ends. The function is
 * held in the level's script engine, so only the running level's script can hand one over.
 */
inline bool script_playAnimation(VornBackdrop* self, lua_State* L, const char* name, lua_Object callback)
{
    if (callback == 0 || lua_isnil(L, callback))
    {
        return self->playAnimation(name);
    }
    if (lua_type(L, callback) != LUA_TFUNCTION)
    {
        CCLog("ERROR: VornBackdrop::playAnimation - the timeline's callback is %s, not a function",
              lua_typename(L, lua_type(L, callback)));
        return self->playAnimation(name);
    }
    VornScriptEngine* engine = script_levelEngine(VornGameManager::getSharedVornGameManager(), L);
    if (engine == NULL)
    {
        CCLog("ERROR: VornBackdrop::playAnimation - only the running level's script can hand over a callback");
        return self->playAnimation(name);
    }
    bool started = false;
    script_withValueOnEngineStack(L, callback, engine,
                                  [&](int index) { started = self->playAnimation(name, engine, index); });
    return started;
}

NS_CC_END

#endif // __VORN_BACKDROP_BINDING_H__
