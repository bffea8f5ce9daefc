#ifndef __BOT_ACTOR_BINDING_H__
#define __BOT_ACTOR_BINDING_H__

// Script-side forms of BotActor members whose native signature differs.

#include "BotActor.h"
#include "BotManager.h"
#include "VornActorDesc.h"

#include <algorithm>

NS_CC_BEGIN

/** The node as an enemy; nil for any other node, whose memory an enemy's members would misread. */
inline BotActor* script_toBotActor(CCNode* node)
{
    return dynamic_cast<BotActor*>(node);
}

/**
 * Initialises the enemy with the descriptor. The manager is kept only for one of its own pool's
 * enemies: a manager clears the pointers of its pool when it goes, and of no other enemy.
 */
inline bool script_initWithBotManager(BotActor* self, BotManager* manager, VornActorDesc* desc)
{
    if (manager != NULL)
    {
        BotPool& pool = manager->getPool();
        if (std::find(pool.begin(), pool.end(), self) == pool.end())
        {
            CCLog("ERROR: BotActor::initWithBotManager - the enemy is not one of the manager's own");
            manager = NULL;
        }
    }
    if (manager == NULL)
    {
        return self->initWithDesc(desc);
    }
    return self->initWithBotManager(manager, desc);
}

NS_CC_END

#endif // __BOT_ACTOR_BINDING_H__
