#ifndef __LEVEL_MANAGER_BINDING_H__
#define __LEVEL_MANAGER_BINDING_H__

// Script-side forms of LevelManager members whose native signature differs.

#include "LevelManager.h"
#include "VornGameManager.h"

NS_CC_BEGIN

/** The game's level list; nil before the game world is built. */
inline LevelManager* script_sharedLevelManager()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    return game ? game->getLevelManager() : NULL;
}

/** Scripts count stages from 0, also before any level is current. */
inline int script_getStageIndex(LevelManager* self)
{
    int index = self->getStageIndex();
    return index < 0 ? 0 : index;
}

NS_CC_END

#endif // __LEVEL_MANAGER_BINDING_H__
