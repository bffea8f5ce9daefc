#ifndef __BOT_MANAGER_H__
#define __BOT_MANAGER_H__

#include "CCArray.h"
#include "CCGeometry.h"
#include "Signal.h"
#include "VornGameTypes.h"

#include <list>
#include <map>
#include <vector>

NS_CC_BEGIN

class BotActor;
class GameManager;
class VornActor;
class VornActorDesc;
class VornScriptEngine;

/** An enemy waiting to appear. */
struct tSpawnQueueItem
{
    int nID;                    ///< the id the enemy will carry
    VornActorDesc* pDesc;       ///< retained by the queue
    int eSpawnDir;              ///< kSpawnDir_ side, or kSpawnDir_MAX for the centre of tSpawnRect
    CCRect tSpawnRect;          ///< used only with kSpawnDir_MAX
    float fDelayTillNextSpawn;  ///< wait after this one has appeared before the next may
};

typedef std::vector<BotActor*> BotPool;
typedef std::list<BotActor*> BotList;
typedef std::list<tSpawnQueueItem> SpawnQueue;
typedef std::map<BotActor*, int> BotIdMap;

/**
 * Owns every enemy. A fixed pool is built once; queued enemies appear just off screen when there
 * is room, each under the id its queueing returned; level scripts hear of enemy events through
 * callbacks registered by id. Every frame each enemy targets the player, the two nearest that
 * can fight go after it, and farther ones that are mid-attack back off to wander.
 *
 * The pool's enemies point back here without a retain; the destructor clears those pointers and
 * leaves their signals, so an enemy kept alive elsewhere never reaches a dead manager.
 */
class BotManager : public CCObject
{
public:
    BotManager();
    virtual ~BotManager();

    /** Builds poolSize enemies and joins the game's signals and restart values; false when an enemy fails. */
    bool init(int poolSize);
    /** Empties the queue, the enemies in play and the callbacks; ids start again at 0; not paused. */
    void reset();
    /** The first free enemy, given the descriptor and put in play; NULL when none is free or desc is NULL. */
    BotActor* createBotActor(VornActorDesc* desc);
    /** Takes an enemy out of play and back into the pool; one not in play is left alone. */
    void releaseBotActor(BotActor* bot);
    /** Queues an enemy entering from a side (kSpawnDir_); its id, or -1 (logged) for a NULL descriptor. */
    int addBotToSpawnQueue(VornActorDesc* desc, int spawnDir, float delay);
    /** Queues an enemy appearing in the centre of spawnRect. */
    int addBotToSpawnQueue(VornActorDesc* desc, CCRect spawnRect, float delay);
    int getNumQueuedBots() { return (int)m_spawnQueue.size(); }
    int getNumActiveBots() { return (int)m_activeBots.size(); }
    /**
     * Calls the function functionRef of engine with the enemy when that enemy (by id) has the
     * event (kBotTrigger_); once, then forgotten. The item takes over the reference and keeps
     * the engine until then. A reference of -1 registers a callback that calls nothing.
     */
    void triggerOnBotEvent(int botID, int event, VornScriptEngine* engine, int functionRef);
    void clearSpawnQueue();
    /** Empties the queue and knocks out every enemy in play; they leave through their Died event. */
    void killAllBots();
    /** The enemy's id, -1 when it has none. */
    int getBotID(BotActor* bot);
    BotActor* getBotFromID(int id);
    /** Freezes every enemy where it stands and stops spawning and directing. */
    void pause();
    void resume();

    /** The game-update step: spawning, then directing the enemies toward each player. */
    void update(float dt);

    // Enemy events
    void onBotKilled(VornActor* actor);
    void onBotDied(VornActor* actor);
    void onBotReachedTarget(BotActor* bot);
    void onBotStunned(VornActor* actor);
    void onBotStunnedFinished(VornActor* actor);
    void onBotGrabbed(VornActor* actor);
    void onBotGrabbedFinished(VornActor* actor);

    /**
     * The part of the game world on screen, in the game layer's coordinates: where enemies enter
     * beside and wander within.
     */
    static CCRect getGameScreenBounds();

    // Accessors
    virtual float getTimeTillNextSpawn() { return m_fTimeTillNextSpawn; }
    virtual void setTimeTillNextSpawn(float t) { m_fTimeTillNextSpawn = t; }
    virtual BotPool& getPool() { return m_pool; }
    virtual void setPool(const BotPool& pool) { m_pool = pool; }
    virtual BotList& getActiveBots() { return m_activeBots; }
    virtual void setActiveBots(const BotList& bots) { m_activeBots = bots; }
    virtual BotList& getFreeBots() { return m_freeBots; }
    virtual void setFreeBots(const BotList& bots) { m_freeBots = bots; }
    virtual int getMaxBotsOnScreen() { return m_nMaxBotsOnScreen; }
    virtual void setMaxBotsOnScreen(int max) { m_nMaxBotsOnScreen = max; }
    virtual SpawnQueue& getSpawnQueue() { return m_spawnQueue; }
    virtual void setSpawnQueue(const SpawnQueue& queue) { m_spawnQueue = queue; }
    virtual int getNextBotID() { return m_nNextBotID; }
    virtual void setNextBotID(int id) { m_nNextBotID = id; }
    virtual BotIdMap getBotIDs() { return m_botIDs; }
    virtual void setBotIDs(const BotIdMap& ids) { m_botIDs = ids; }
    virtual bool isPaused() { return m_bPaused; }
    virtual void setPaused(bool paused) { m_bPaused = paused; }
    virtual CCArray* getTriggerItems() { return m_pTriggerItems; }
    virtual void setTriggerItems(CCArray* items);
    virtual Signal<BotActor*>& getBotSpawnedSignal() { return m_botSpawnedSignal; }
    virtual void setBotSpawnedSignal(const Signal<BotActor*>& s) { m_botSpawnedSignal = s; }

    /** Enemies in play at once before a level says otherwise. */
    static const int kDefaultMaxBotsOnScreen = 3;
    /** Two enemies at a time go after a player; the rest keep their distance. */
    static const int kMaxSeekers = 2;

private:
    void fireBotEvent(BotActor* bot, int event);
    void spawnQueuedBots(float dt);
    void placeBot(BotActor* bot, const tSpawnQueueItem& item);
    void directBots(VornActor* player);
    /** The game's player, else the first actor of the player list; NULL when there is none. */
    VornActor* findPlayer();
    void disconnectGame();

    float m_fTimeTillNextSpawn;
    BotPool m_pool;           ///< each retained
    BotList m_activeBots;
    BotList m_freeBots;
    int m_nMaxBotsOnScreen;
    SpawnQueue m_spawnQueue;
    int m_nNextBotID;
    BotIdMap m_botIDs;
    bool m_bPaused;
    CCArray* m_pTriggerItems;  ///< retained; BotTriggerEventItem, in registration order
    Signal<BotActor*> m_botSpawnedSignal;
    GameManager* m_pGame;      ///< the game manager whose signals and restart values were joined
};

NS_CC_END

#endif // __BOT_MANAGER_H__
