#include "BotManager.h"

#include "BotActor.h"
#include "BotTriggerEventItem.h"
#include "CCConsole.h"
#include "CCDirector.h"
#include "CCLayer.h"
#include "CCPointExtension.h"
#include "CollisionList.h"
#include "CollisionManager.h"
#include "RestartDelegate.h"
#include "RestartManager.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornCameraManager.h"
#include "VornGameManager.h"
#include "VornPlayer.h"

#include <algorithm>
#include <cstdlib>

NS_CC_BEGIN

namespace
{
const char* const kMaxBotsKey = "maxBotsOnScreen";
const char* const kPausedKey = "botManagerPaused";

// Spawn heights: the band of road just below the camera's centre line.
const float kSpawnTop = -22.0f;
const float kSpawnDepth = 15.0f;

int random15()
{
    return rand() & 0x7FFF;
}

BotActor* asBot(VornActor* actor)
{
    return dynamic_cast<BotActor*>(actor);
}

VornActor* ownerActor(ActorComponent* component)
{
    return component ? dynamic_cast<VornActor*>(component->getOwner()) : NULL;
}

CollisionList* collisionList(int listId)
{
    GameManager* game = GameManager::getInstance();
    CollisionManager* collisions = game ? game->getCollisionManager() : NULL;
    return collisions ? collisions->getCollisionList(listId) : NULL;
}
} // namespace

BotManager::BotManager()
    : m_fTimeTillNextSpawn(0.0f),
      m_nMaxBotsOnScreen(kDefaultMaxBotsOnScreen),
      m_nNextBotID(0),
      m_bPaused(false),
      m_pTriggerItems(NULL),
      m_pGame(NULL)
{
}

BotManager::~BotManager()
{
    disconnectGame();
    clearSpawnQueue();
    CC_SAFE_RELEASE_NULL(m_pTriggerItems);
    for (BotPool::iterator it = m_pool.begin(); it != m_pool.end(); ++it)
    {
        BotActor* bot = *it;
        bot->getKilledSignal().disconnect(this, &BotManager::onBotKilled);
        bot->getDiedSignal().disconnect(this, &BotManager::onBotDied);
        bot->getReachedTargetSignal().disconnect(this, &BotManager::onBotReachedTarget);
        bot->getStunnedSignal().disconnect(this, &BotManager::onBotStunned);
        bot->getStunnedFinishedSignal().disconnect(this, &BotManager::onBotStunnedFinished);
        bot->getGrabbedSignal().disconnect(this, &BotManager::onBotGrabbed);
        bot->getGrabbedFinishedSignal().disconnect(this, &BotManager::onBotGrabbedFinished);
        bot->setBotManager(NULL);
        // Enemies may target each other through their scripts: break such rings.
        bot->setTargetActor(NULL);
        if (bot->getParent())
        {
            bot->removeFromCollisionManager();
        }
        bot->release();
    }
    m_pool.clear();
}

bool BotManager::init(int poolSize)
{
    if (m_pGame)
    {
        CCLog("BotManager::init - already initialised");
        return false;
    }
    m_pool.reserve(poolSize > 0 ? poolSize : 0);
    for (int i = 0; i < poolSize; ++i)
    {
        BotActor* bot = new BotActor();
        if (!bot->initWithBotManager(this, NULL))
        {
            bot->release();
            return false;
        }
        bot->getKilledSignal().connect(this, &BotManager::onBotKilled);
        bot->getDiedSignal().connect(this, &BotManager::onBotDied);
        bot->getReachedTargetSignal().connect(this, &BotManager::onBotReachedTarget);
        bot->getStunnedSignal().connect(this, &BotManager::onBotStunned);
        bot->getStunnedFinishedSignal().connect(this, &BotManager::onBotStunnedFinished);
        bot->getGrabbedSignal().connect(this, &BotManager::onBotGrabbed);
        bot->getGrabbedFinishedSignal().connect(this, &BotManager::onBotGrabbedFinished);
        m_pool.push_back(bot);
        m_freeBots.push_back(bot);
    }
    setTriggerItems(CCArray::create());

    m_pGame = GameManager::getInstance();
    if (m_pGame)
    {
        m_pGame->getGameUpdateSignal().connect(this, &BotManager::update);
        VornGameManager* vorn = dynamic_cast<VornGameManager*>(m_pGame);
        if (vorn)
        {
            // Cleared before the level's scripts run, so the waves they queue survive the start.
            vorn->getLevelLoadingSignal().connect(this, &BotManager::reset);
            vorn->getContinueSignal().connect(this, &BotManager::reset);
        }
        RestartManager* restart = m_pGame->getRestartManager();
        if (restart)
        {
            restart->addDelegate(RestartDelegate<int>::create(kMaxBotsKey, this, &BotManager::getMaxBotsOnScreen,
                                                              &BotManager::setMaxBotsOnScreen));
            restart->addDelegate(
                RestartDelegate<bool>::create(kPausedKey, this, &BotManager::isPaused, &BotManager::setPaused));
        }
    }
    return true;
}

void BotManager::disconnectGame()
{
    // Only the game manager still current is sure to be alive.
    if (m_pGame == NULL || m_pGame != GameManager::getInstance())
    {
        m_pGame = NULL;
        return;
    }
    m_pGame->getGameUpdateSignal().disconnect(this, &BotManager::update);
    VornGameManager* vorn = dynamic_cast<VornGameManager*>(m_pGame);
    if (vorn)
    {
        vorn->getLevelLoadingSignal().disconnect(this, &BotManager::reset);
        vorn->getContinueSignal().disconnect(this, &BotManager::reset);
    }
    RestartManager* restart = m_pGame->getRestartManager();
    if (restart)
    {
        restart->removeDelegateWithKey(kMaxBotsKey);
        restart->removeDelegateWithKey(kPausedKey);
    }
    m_pGame = NULL;
}

void BotManager::setTriggerItems(CCArray* items)
{
    CC_SAFE_RETAIN(items);
    CC_SAFE_RELEASE(m_pTriggerItems);
    m_pTriggerItems = items;
}

void BotManager::reset()
{
    clearSpawnQueue();
    BotList active = m_activeBots;
    for (BotList::iterator it = active.begin(); it != active.end(); ++it)
    {
        releaseBotActor(*it);
    }
    m_botIDs.clear();
    m_nNextBotID = 0;
    if (m_pTriggerItems)
    {
        m_pTriggerItems->removeAllObjects();
    }
    m_bPaused = false;
    // A wait left over from the last level must not hold back the next one's first enemy.
    m_fTimeTillNextSpawn = 0.0f;
}

BotActor* BotManager::createBotActor(VornActorDesc* desc)
{
    if (desc == NULL)
    {
        CCLog("BotManager::createBotActor - no descriptor");
        return NULL;
    }
    if (m_freeBots.empty())
    {
        return NULL;
    }
    BotActor* bot = m_freeBots.front();
    m_freeBots.pop_front();
    bot->setDesc(desc);
    m_activeBots.push_back(bot);
    bot->addToCollisionManager();
    bot->setTargetActor(findPlayer());

    int v = desc->getRandomColourMod();
    if (v > 0)
    {
        if (v > 255)
        {
            v = 255;  // a channel never goes below 0
        }
        GLubyte r = (GLubyte)(random15() % v + (255 - v));
        if (desc->getUseMonoRandomColour())
        {
            bot->setColor(ccc3(r, r, r));
        }
        else
        {
            GLubyte g = (GLubyte)(random15() % v + (255 - v));
            GLubyte b = (GLubyte)(random15() % v + (255 - v));
            bot->setColor(ccc3(r, g, b));
        }
    }
    return bot;
}

void BotManager::releaseBotActor(BotActor* bot)
{
    BotList::iterator it = std::find(m_activeBots.begin(), m_activeBots.end(), bot);
    if (bot == NULL || it == m_activeBots.end())
    {
        // Twice into the free list would hand one enemy out as two.
        return;
    }
    m_botIDs.erase(bot);
    m_activeBots.erase(it);
    m_freeBots.push_back(bot);
    bot->setDesc(NULL);
    bot->setTargetActor(NULL);
    bot->removeFromCollisionManager();
}

int BotManager::addBotToSpawnQueue(VornActorDesc* desc, int spawnDir, float delay)
{
    if (desc == NULL)
    {
        CCLog("BotManager::addBotToSpawnQueue - no descriptor; nothing queued");
        return -1;
    }
    desc->retain();
    tSpawnQueueItem item;
    item.nID = m_nNextBotID++;
    item.pDesc = desc;
    item.eSpawnDir = spawnDir;
    item.tSpawnRect = CCRect();
    item.fDelayTillNextSpawn = delay;
    m_spawnQueue.push_back(item);
    return item.nID;
}

int BotManager::addBotToSpawnQueue(VornActorDesc* desc, CCRect spawnRect, float delay)
{
    int id = addBotToSpawnQueue(desc, (int)kSpawnDir_MAX, delay);
    if (id >= 0)
    {
        m_spawnQueue.back().tSpawnRect = spawnRect;
    }
    return id;
}

void BotManager::triggerOnBotEvent(int botID, int event, VornScriptEngine* engine, int functionRef)
{
    if (m_pTriggerItems == NULL)
    {
        setTriggerItems(CCArray::create());
    }
    // Owned by the array alone, so it goes (with its reference) the moment it is removed.
    BotTriggerEventItem* item = new BotTriggerEventItem();
    item->setBotID(botID);
    item->setEvent(event);
    item->setScriptEngine(engine);
    item->setFunctionRef(functionRef);
    m_pTriggerItems->addObject(item);
    item->release();
}

void BotManager::clearSpawnQueue()
{
    // Off the queue before releasing: a descriptor's last release may run its destructor.
    SpawnQueue queue;
    queue.swap(m_spawnQueue);
    for (SpawnQueue::iterator it = queue.begin(); it != queue.end(); ++it)
    {
        CC_SAFE_RELEASE(it->pDesc);
    }
}

void BotManager::killAllBots()
{
    clearSpawnQueue();
    BotList active = m_activeBots;
    for (BotList::iterator it = active.begin(); it != active.end(); ++it)
    {
        BotActor* bot = *it;
        CCPoint direction = (random15() % 2) != 0 ? CCPoint(1.0f, 0.0f) : CCPoint(-1.0f, 0.0f);
        bot->doTakeDamage(bot->getHealth(), bot->getBasePosition(), direction, kVornAttackType_KO, true);
    }
}

int BotManager::getBotID(BotActor* bot)
{
    BotIdMap::iterator it = m_botIDs.find(bot);
    return it != m_botIDs.end() ? it->second : -1;
}

BotActor* BotManager::getBotFromID(int id)
{
    for (BotIdMap::iterator it = m_botIDs.begin(); it != m_botIDs.end(); ++it)
    {
        if (it->second == id)
        {
            return it->first;
        }
    }
    return NULL;
}

void BotManager::pause()
{
    for (BotList::iterator it = m_activeBots.begin(); it != m_activeBots.end(); ++it)
    {
        (*it)->setTargetPosition((*it)->getBasePosition());
        (*it)->setTargetPositionLocked(true);
    }
    m_bPaused = true;
}

void BotManager::resume()
{
    for (BotList::iterator it = m_activeBots.begin(); it != m_activeBots.end(); ++it)
    {
        (*it)->setTargetPositionLocked(false);
    }
    m_bPaused = false;
}

CCRect BotManager::getGameScreenBounds()
{
    VornGameManager* vorn = VornGameManager::getSharedVornGameManager();
    VornCameraManager* camera = vorn ? vorn->getCameraManager() : NULL;
    if (camera)
    {
        CCRect bounds = camera->getGameScreenBounds();
        if (bounds.size.width > 0.0f && bounds.size.height > 0.0f)
        {
            return bounds;
        }
    }
    // No camera step yet: the window's corners seen from the game layer.
    CCSize win = CCDirector::sharedDirector()->getWinSize();
    GameManager* game = GameManager::getInstance();
    CCNode* layer = game ? game->getGameLayer() : NULL;
    if (layer == NULL)
    {
        return CCRect(0.0f, 0.0f, win.width, win.height);
    }
    CCPoint a = layer->convertToNodeSpace(CCPoint(0.0f, 0.0f));
    CCPoint b = layer->convertToNodeSpace(CCPoint(win.width, win.height));
    return CCRect(std::min(a.x, b.x), std::min(a.y, b.y), fabsf(b.x - a.x), fabsf(b.y - a.y));
}

VornActor* BotManager::findPlayer()
{
    VornGameManager* vorn = VornGameManager::getSharedVornGameManager();
    if (vorn && vorn->getPlayer())
    {
        return vorn->getPlayer();
    }
    // A world without the game's player: whoever plays on the player side.
    CollisionList* players = collisionList(kCollisionList_Player);
    if (players == NULL)
    {
        return NULL;
    }
    CollisionList::MemberList& members = players->getMembers();
    for (CollisionList::MemberList::iterator it = members.begin(); it != members.end(); ++it)
    {
        VornActor* actor = ownerActor(*it);
        if (actor)
        {
            return actor;
        }
    }
    return NULL;
}

void BotManager::update(float dt)
{
    if (m_bPaused)
    {
        return;
    }
    // Callbacks below may let go of the manager (a level's reset does not, but a script might).
    retain();
    spawnQueuedBots(dt);

    CollisionList* players = collisionList(kCollisionList_Player);
    if (players)
    {
        // A copy: directing runs scripts, which may change who is in play.
        std::vector<VornActor*> targets;
        CollisionList::MemberList& members = players->getMembers();
        for (CollisionList::MemberList::iterator it = members.begin(); it != members.end(); ++it)
        {
            VornActor* actor = ownerActor(*it);
            if (actor)
            {
                actor->retain();
                targets.push_back(actor);
            }
        }
        for (size_t i = 0; i < targets.size(); ++i)
        {
            directBots(targets[i]);
            targets[i]->release();
        }
    }
    release();
}

void BotManager::spawnQueuedBots(float dt)
{
    if (m_fTimeTillNextSpawn > 0.0f)
    {
        m_fTimeTillNextSpawn -= dt;
    }
    if (m_fTimeTillNextSpawn > 0.0f || m_spawnQueue.empty())
    {
        return;
    }
    while ((int)m_activeBots.size() < m_nMaxBotsOnScreen && !m_spawnQueue.empty())
    {
        if (m_freeBots.empty())
        {
            // Every pooled enemy is out: the queue waits for one to come back.
            return;
        }
        tSpawnQueueItem item = m_spawnQueue.front();
        m_spawnQueue.pop_front();
        BotActor* bot = createBotActor(item.pDesc);
        CC_SAFE_RELEASE(item.pDesc);
        if (bot == NULL)
        {
            continue;
        }
        m_botIDs[bot] = item.nID;
        placeBot(bot, item);
        fireBotEvent(bot, kBotTrigger_Spawned);
        m_fTimeTillNextSpawn = item.fDelayTillNextSpawn;
        if (m_fTimeTillNextSpawn > 0.0f || m_spawnQueue.empty())
        {
            return;
        }
    }
}

void BotManager::placeBot(BotActor* bot, const tSpawnQueueItem& item)
{
    if (item.eSpawnDir == kSpawnDir_MAX)
    {
        bot->setPosition(CCPoint(item.tSpawnRect.getMidX(), item.tSpawnRect.getMidY()));
        return;
    }
    bool right = item.eSpawnDir == kSpawnDir_Right || (item.eSpawnDir == kSpawnDir_Random && (random15() % 2) != 0);
    CCRect screen = getGameScreenBounds();
    float width = bot->getContentSize().width;
    float x = right ? screen.getMaxX() + width : screen.getMinX() - width;
    float y = kSpawnTop - (float)random15() / 32767.0f * kSpawnDepth;
    bot->setPosition(CCPoint(x, y));
}

void BotManager::directBots(VornActor* player)
{
    VornActionDesc* top = player->getAction();
    if (player->isFallingOrFloored() || (top && top->getType() == kVAT_StandUp))
    {
        return;
    }
    CollisionList* enemies = collisionList(kCollisionList_Enemy);
    if (enemies == NULL)
    {
        return;
    }
    std::vector<BotActor*> bots;
    CollisionList::MemberList& members = enemies->getMembers();
    for (CollisionList::MemberList::iterator it = members.begin(); it != members.end(); ++it)
    {
        BotActor* bot = asBot(ownerActor(*it));
        if (bot)
        {
            bot->retain();
            bot->setTargetActor(player);
            bots.push_back(bot);
        }
    }
    std::vector<std::pair<float, BotActor*> > byDistance;
    for (size_t i = 0; i < bots.size(); ++i)
    {
        byDistance.push_back(std::make_pair(bots[i]->getDistanceFromTargetActor(), bots[i]));
    }
    std::stable_sort(byDistance.begin(), byDistance.end(),
                     [](const std::pair<float, BotActor*>& a, const std::pair<float, BotActor*>& b) {
                         return a.first < b.first;
                     });
    int seekers = 0;
    for (size_t i = 0; i < byDistance.size(); ++i)
    {
        BotActor* bot = byDistance[i].second;
        bool eligible = bot->getDesc() && bot->getHealth() > 0.0f && bot->getState() != "Disabled" &&
                        !bot->getTargetPositionLocked() && !bot->isFalling();
        if (!eligible)
        {
            continue;
        }
        if (seekers < kMaxSeekers)
        {
            if (!bot->getIsAttacking())
            {
                bot->setState("Seek");
            }
            ++seekers;
        }
        else if (bot->getIsAttacking())
        {
            bot->setState("Wander");
        }
    }
    for (size_t i = 0; i < bots.size(); ++i)
    {
        bots[i]->release();
    }
}

void BotManager::fireBotEvent(BotActor* bot, int event)
{
    if (event == kBotTrigger_Spawned)
    {
        m_botSpawnedSignal.emit(bot);
    }
    int id = getBotID(bot);
    if (m_pTriggerItems == NULL || m_pTriggerItems->count() == 0)
    {
        return;
    }
    // The items present now, each kept alive while its callback runs (it may reset us).
    std::vector<BotTriggerEventItem*> items;
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pTriggerItems, object)
    {
        BotTriggerEventItem* item = static_cast<BotTriggerEventItem*>(object);
        if (item->getBotID() == id && item->getEvent() == event)
        {
            item->retain();
            items.push_back(item);
        }
    }
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (items[i]->getScriptEngine())
        {
            items[i]->getScriptEngine()->callFunctionRef(items[i]->getFunctionRef(), bot);
        }
    }
    // Each fires once: its reference goes back to its state as the item goes.
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (m_pTriggerItems)
        {
            m_pTriggerItems->removeObject(items[i]);
        }
        items[i]->release();
    }
}

void BotManager::onBotKilled(VornActor* actor)
{
    BotActor* bot = asBot(actor);
    if (bot)
    {
        fireBotEvent(bot, kBotTrigger_Killed);
    }
}

void BotManager::onBotDied(VornActor* actor)
{
    BotActor* bot = asBot(actor);
    if (bot == NULL)
    {
        return;
    }
    fireBotEvent(bot, kBotTrigger_Died);
    if (bot->getParent())
    {
        releaseBotActor(bot);
    }
}

void BotManager::onBotReachedTarget(BotActor* bot)
{
    fireBotEvent(bot, kBotTrigger_ReachedTarget);
}

void BotManager::onBotStunned(VornActor* actor)
{
    BotActor* bot = asBot(actor);
    if (bot)
    {
        fireBotEvent(bot, kBotTrigger_Stunned);
    }
}

void BotManager::onBotStunnedFinished(VornActor* actor)
{
    BotActor* bot = asBot(actor);
    if (bot)
    {
        fireBotEvent(bot, kBotTrigger_StunnedFinished);
    }
}

void BotManager::onBotGrabbed(VornActor* actor)
{
    BotActor* bot = asBot(actor);
    if (bot)
    {
        fireBotEvent(bot, kBotTrigger_Grabbed);
    }
}

void BotManager::onBotGrabbedFinished(VornActor* actor)
{
    BotActor* bot = asBot(actor);
    if (bot)
    {
        fireBotEvent(bot, kBotTrigger_GrabbedFinished);
    }
}

NS_CC_END
