#ifndef __BOT_MANAGER_BINDING_H__
#define __BOT_MANAGER_BINDING_H__

// Script-side forms of BotManager members whose native signature differs.

#include "BotActor.h"
#include "BotManager.h"
#include "LevelScriptBinding.h"

NS_CC_BEGIN

/** Enemies in play that still have health: one knocked out but not yet gone does not count. */
inline int script_getNumActiveBots(BotManager* self)
{
    int count = 0;
    BotList& bots = self->getActiveBots();
    for (BotList::iterator it = bots.begin(); it != bots.end(); ++it)
    {
        if ((*it)->getHealth() > 0.0f)
        {
            ++count;
        }
    }
    return count;
}

/**
 * Calls the function with the enemy once the enemy of that id has the event. The function is
 * held in the level's script engine, so only the running level's script can hand one over;
 * nothing in the slot registers a callback that calls nothing.
 */
inline void script_triggerOnBotEvent(BotManager* self, lua_State* L, int botID, int event, lua_Object function)
{
    if (event < 0 || event >= kBotTrigger_MAX)
    {
        CCLog("ERROR: BotManager::triggerOnBotEvent - %d is no enemy event", event);
        return;
    }
    VornScriptEngine* engine = script_levelEngine(VornGameManager::getSharedVornGameManager(), L);
    if (engine == NULL)
    {
        CCLog("ERROR: BotManager::triggerOnBotEvent - enemy events belong to the running level's script");
        return;
    }
    int type = function != 0 ? lua_type(L, function) : LUA_TNIL;
    if (type != LUA_TNIL && type != LUA_TFUNCTION)
    {
        CCLog("ERROR: BotManager::triggerOnBotEvent - an enemy event calls a function, not %s", lua_typename(L, type));
        return;
    }
    int ref = type == LUA_TFUNCTION ? engine->createFunctionRef(L, function) : VORNSCRIPTREF_NULL;
    self->triggerOnBotEvent(botID, event, engine, ref);
}

/** The id of one of the manager's enemies; -1 for any other actor. */
inline int script_getBotID(BotManager* self, VornActor* actor)
{
    BotActor* bot = dynamic_cast<BotActor*>(actor);
    return bot ? self->getBotID(bot) : -1;
}

NS_CC_END

#endif // __BOT_MANAGER_BINDING_H__
