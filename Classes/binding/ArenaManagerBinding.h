#ifndef __ARENA_MANAGER_BINDING_H__
#define __ARENA_MANAGER_BINDING_H__

// Script-side forms of ArenaManager members whose native signature differs.

#include "ArenaManager.h"
#include "ArenaTaskInstance.h"
#include "VornGameManager.h"

NS_CC_BEGIN

/** The game's arena manager; nil before the game world is built. */
inline ArenaManager* script_sharedArenaManager()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    return game ? game->getArenaManager() : NULL;
}

NS_CC_END

#endif // __ARENA_MANAGER_BINDING_H__
