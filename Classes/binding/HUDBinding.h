#ifndef __HUD_BINDING_H__
#define __HUD_BINDING_H__

// Script-side forms of HUD members. A HUD a script made itself has no overlays until its init
// has run: every member that reaches an overlay refuses (logged) on such a HUD.

#include "CheckpointScreen.h"
#include "CinemascopeScreen.h"
#include "FightHealthScreen.h"
#include "GrumvaldScreen.h"
#include "HUD.h"
#include "LevelScriptBinding.h"
#include "PlayerHealthScreen.h"
#include "ThumbsScreen.h"
#include "VornActor.h"
#include "VornActorDesc.h"

NS_CC_BEGIN

/** Whether init has built the overlays; logs the member's name when not. */
inline bool script_hudBuilt(HUD* self, const char* member)
{
    if (self->isBuilt())
    {
        return true;
    }
    CCLog("ERROR: HUD::%s - the HUD has not been built (init)", member);
    return false;
}

inline void script_tick(HUD* self, float dt)
{
    if (script_hudBuilt(self, "tick"))
    {
        self->tick(dt);
    }
}

/**
 * A reference to the function in slot index for the level's engine, or -1 when the slot holds
 * nothing. Only the running level's script can hand over a function: the speech item calls it
 * back in the level's engine.
 */
inline int script_callbackRef(lua_State* L, int index, VornScriptEngine* engine, const char* member)
{
    if (index == 0 || lua_isnil(L, index))
    {
        return VORNSCRIPTREF_NULL;
    }
    if (lua_type(L, index) != LUA_TFUNCTION)
    {
        CCLog("ERROR: HUD::%s - a callback is %s, not a function", member, lua_typename(L, lua_type(L, index)));
        return VORNSCRIPTREF_NULL;
    }
    if (engine == NULL)
    {
        CCLog("ERROR: HUD::%s - only the running level's script can hand over a callback", member);
        return VORNSCRIPTREF_NULL;
    }
    return engine->createFunctionRef(L, index);
}

/** Queues a speech or caption item with its start and end callbacks. */
template <typename Queue>
void script_queueItem(HUD* self, lua_State* L, lua_Object onStart, lua_Object onEnd, const char* member, Queue queue)
{
    if (!script_hudBuilt(self, member))
    {
        return;
    }
    VornScriptEngine* engine = script_levelEngine(VornGameManager::getSharedVornGameManager(), L);
    int startRef = script_callbackRef(L, onStart, engine, member);
    int endRef = script_callbackRef(L, onEnd, engine, member);
    bool anyRef = startRef != VORNSCRIPTREF_NULL || endRef != VORNSCRIPTREF_NULL;
    queue(anyRef ? engine : NULL, startRef, endRef);
}

inline void script_playSpeech(HUD* self, lua_State* L, const char* head, const char* text, float duration,
                              lua_Object onStart, lua_Object onEnd)
{
    script_queueItem(self, L, onStart, onEnd, "playSpeech", [&](VornScriptEngine* engine, int startRef, int endRef) {
        self->playSpeech(head, text, duration, engine, startRef, endRef);
    });
}

inline void script_showTimeAndLocation(HUD* self, lua_State* L, const char* timePeriod, const char* locationName,
                                       float duration, lua_Object onStart, lua_Object onEnd)
{
    script_queueItem(self, L, onStart, onEnd, "showTimeAndLocation",
                     [&](VornScriptEngine* engine, int startRef, int endRef) {
                         self->showTimeAndLocation(timePeriod, locationName, duration, engine, startRef, endRef);
                     });
}

inline void script_doScreenFade(HUD* self, ccColor4B colour, float duration)
{
    self->doScreenFade(colour, duration);
}

inline void script_showLeftThumb(HUD* self, const char* text)
{
    if (script_hudBuilt(self, "showLeftThumb"))
    {
        self->showLeftThumb(text ? text : "");
    }
}

inline void script_hideLeftThumb(HUD* self)
{
    if (script_hudBuilt(self, "hideLeftThumb"))
    {
        self->hideLeftThumb();
    }
}

inline void script_showRightThumb(HUD* self, const char* text)
{
    if (script_hudBuilt(self, "showRightThumb"))
    {
        self->showRightThumb(text ? text : "");
    }
}

inline void script_hideRightThumb(HUD* self)
{
    if (script_hudBuilt(self, "hideRightThumb"))
    {
        self->hideRightThumb();
    }
}

// The bars follow the fighter's health from here on, not a snapshot of it.
inline void script_showPlayerHealth(HUD* self, VornActor* actor)
{
    if (script_hudBuilt(self, "showPlayerHealth"))
    {
        self->showPlayerHealth(actor);
    }
}

inline void script_showEnemyHealth(HUD* self, VornActor* actor)
{
    if (script_hudBuilt(self, "showEnemyHealth"))
    {
        self->showEnemyHealth(actor);
    }
}

inline void script_showBossHealth(HUD* self, VornActor* actor)
{
    if (script_hudBuilt(self, "showBossHealth"))
    {
        self->showBossHealth(actor);
    }
}

inline void script_showFightHealth(HUD* self, VornActor* first, VornActor* second)
{
    if (script_hudBuilt(self, "showFightHealth"))
    {
        self->showFightHealth(first, second);
    }
}

// The rest only open or close an overlay.
#define SCRIPT_HUD_CALL(name)                 \
    inline void script_##name(HUD* self)      \
    {                                         \
        if (script_hudBuilt(self, #name))     \
        {                                     \
            self->name();                     \
        }                                     \
    }

SCRIPT_HUD_CALL(hidePlayerHealth)
SCRIPT_HUD_CALL(hideEnemyHealth)
SCRIPT_HUD_CALL(hideBossHealth)
SCRIPT_HUD_CALL(hideFightHealth)
SCRIPT_HUD_CALL(showGrumvald)
SCRIPT_HUD_CALL(hideGrumvald)
SCRIPT_HUD_CALL(enableCinemascope)
SCRIPT_HUD_CALL(disableCinemascope)
SCRIPT_HUD_CALL(showCheckpointDisplay)
SCRIPT_HUD_CALL(showArenaTasks)
SCRIPT_HUD_CALL(showArenaTimer)
SCRIPT_HUD_CALL(onLevelStart)

#undef SCRIPT_HUD_CALL

inline bool script_isCinemascopeActive(HUD* self)
{
    return self->getCinemascopeScreen() != NULL && self->isCinemascopeActive();
}

NS_CC_END

#endif // __HUD_BINDING_H__
