#include "BotTriggerEventItem.h"
#include "EnemyTestSupport.h"
#include "RestartManager.h"
#include "VornActorDesc.h"
#include "VornPlayer.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

#include <map>

USING_NS_CC;

namespace
{
/** Where each enemy stood the moment it appeared. */
class SpawnWatcher
{
public:
    void onSpawned(BotActor* bot) { where[bot] = bot->getPosition(); order.push_back(bot); }
    std::map<BotActor*, CCPoint> where;
    std::vector<BotActor*> order;
};
} // namespace

TEST_F(EnemyTest, QueuedEnemiesEnterOffScreenOnTheirSideAfterTheDelay)
{
    CCScopedAutoreleasePool pool;
    SpawnWatcher watcher;
    m_bots->getBotSpawnedSignal().connect(&watcher, &SpawnWatcher::onSpawned);
    m_bots->setMaxBotsOnScreen(5);
    EXPECT_EQ(0, m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Left, 0.0f));
    EXPECT_EQ(1, m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Right, 2.0f));
    EXPECT_EQ(2, m_bots->addBotToSpawnQueue(m_thug, CCRect(10.0f, -40.0f, 20.0f, 10.0f), 0.0f));
    EXPECT_EQ(-1, m_bots->addBotToSpawnQueue(NULL, kSpawnDir_Left, 0.0f));

    // The first two come on the same frame; the second's delay holds the third back.
    step(kFrame);
    ASSERT_EQ(2u, watcher.order.size());
    EXPECT_EQ(1, m_bots->getNumQueuedBots());
    CCRect screen = BotManager::getGameScreenBounds();
    BotActor* left = m_bots->getBotFromID(0);
    BotActor* right = m_bots->getBotFromID(1);
    ASSERT_TRUE(left && right);
    float width = left->getContentSize().width;
    EXPECT_GT(width, 0.0f);
    EXPECT_FLOAT_EQ(screen.getMinX() - width, watcher.where[left].x);
    EXPECT_FLOAT_EQ(screen.getMaxX() + width, watcher.where[right].x);
    for (BotActor* bot : watcher.order)
    {
        EXPECT_LE(watcher.where[bot].y, -22.0f);
        EXPECT_GE(watcher.where[bot].y, -37.0f);
        EXPECT_EQ(m_game->getActorNode(), bot->getParent());
        EXPECT_EQ(kCharacter_Enemy, bot->getCharacterType());
    }

    step(1.9f);
    EXPECT_EQ(2, m_bots->getNumActiveBots());
    step(0.2f);
    ASSERT_EQ(3u, watcher.order.size());
    EXPECT_EQ(2, m_bots->getBotID(watcher.order[2]));
    EXPECT_FLOAT_EQ(20.0f, watcher.where[watcher.order[2]].x);  // the rectangle's centre
    EXPECT_FLOAT_EQ(-35.0f, watcher.where[watcher.order[2]].y);
    m_bots->getBotSpawnedSignal().disconnect(&watcher, &SpawnWatcher::onSpawned);
}

TEST_F(EnemyTest, NoMoreOnScreenThanAllowedAndThePoolIsReused)
{
    CCScopedAutoreleasePool pool;
    m_bots->setMaxBotsOnScreen(3);
    for (int i = 0; i < 5; ++i)
    {
        m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Random, 0.0f);
    }
    step(kFrame);
    EXPECT_EQ(3, m_bots->getNumActiveBots());
    EXPECT_EQ(2, m_bots->getNumQueuedBots());
    step(0.5f);
    EXPECT_EQ(3, m_bots->getNumActiveBots());

    // One leaves: the fourth comes on the next frame. Releasing it twice frees it once.
    BotActor* gone = m_bots->getBotFromID(1);
    m_bots->releaseBotActor(gone);
    m_bots->releaseBotActor(gone);
    EXPECT_EQ(nullptr, gone->getParent());
    EXPECT_EQ(nullptr, gone->getDesc());
    EXPECT_EQ(48u, m_bots->getFreeBots().size());
    step(kFrame);
    EXPECT_EQ(3, m_bots->getNumActiveBots());
    EXPECT_EQ(1, m_bots->getNumQueuedBots());
    EXPECT_NE(nullptr, m_bots->getBotFromID(3));

    // Fifty in all: the rest of the pool, then nothing; a returned one is handed out again.
    m_bots->clearSpawnQueue();
    std::vector<BotActor*> taken;
    while (BotActor* bot = m_bots->createBotActor(m_thug))
    {
        taken.push_back(bot);
    }
    EXPECT_EQ(50, m_bots->getNumActiveBots());
    EXPECT_EQ(50u, m_bots->getPool().size());
    m_bots->releaseBotActor(taken[5]);
    EXPECT_EQ(taken[5], m_bots->createBotActor(m_thug));
    EXPECT_EQ(nullptr, m_bots->createBotActor(NULL));
    // A full house waits quietly for room.
    m_bots->setMaxBotsOnScreen(60);
    m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Left, 0.0f);
    step(kFrame);
    EXPECT_EQ(1, m_bots->getNumQueuedBots());
}

TEST_F(EnemyTest, KilledEnemyCallsItsLevelCallbacksOnceThenForgetsThem)
{
    CCScopedAutoreleasePool pool;
    VornScriptEngine* level = scriptEngine("game/enemies/level-events.lua");
    int id = m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Left, 0.0f);
    int killedRef = level->getFunctionRef("onKilled");
    int diedRef = level->getFunctionRef("onDied");
    // Registered before the enemy exists, by the id its queueing gave.
    m_bots->triggerOnBotEvent(id, kBotTrigger_Killed, level, killedRef);
    m_bots->triggerOnBotEvent(id, kBotTrigger_Died, level, diedRef);
    m_bots->triggerOnBotEvent(id + 1, kBotTrigger_Died, level, level->getFunctionRef("onStunned"));
    m_bots->triggerOnBotEvent(id, kBotTrigger_Stunned, level, VORNSCRIPTREF_NULL);
    // The callbacks keep the engine that made them: a level moving on cannot strand them.
    EXPECT_GT(level->retainCount(), 1u);
    step(kFrame);
    BotActor* bot = m_bots->getBotFromID(id);
    ASSERT_NE(nullptr, bot);

    m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Left, 0.0f);
    m_bots->killAllBots();
    EXPECT_EQ(0, m_bots->getNumQueuedBots());
    EXPECT_FLOAT_EQ(0.0f, bot->getHealth());
    EXPECT_EQ("killed userdata", callForText(level, "takeHeard"));
    ASSERT_TRUE(stepUntil(6.0f, [&] { return bot->getParent() == nullptr; }));
    EXPECT_EQ("died", callForText(level, "takeHeard"));
    EXPECT_EQ(0, m_bots->getNumActiveBots());
    EXPECT_EQ(-1, m_bots->getBotID(bot));
    // The other enemy's callback and the empty one wait; the fired ones are gone.
    EXPECT_EQ(2u, m_bots->getTriggerItems()->count());

    // A fired callback's reference was given back to its own state.
    lua_State* L = level->getLuaState();
    for (int ref : {killedRef, diedRef})
    {
        lua_rawgeti(L, LUA_REGISTRYINDEX, ref);
        EXPECT_FALSE(lua_isfunction(L, -1));
        lua_pop(L, 1);
    }
    m_bots->reset();
    level->release();
}

TEST_F(EnemyTest, NearestTwoSeekAndFartherAttackersBackOff)
{
    CCScopedAutoreleasePool pool;
    TestPlayer* player = addPlayer(0.0f, -30.0f);
    const float distances[] = {10.0f, 20.0f, 30.0f, 15.0f, 5.0f};
    std::vector<BotActor*> bots;
    for (float d : distances)
    {
        BotActor* bot = m_bots->createBotActor(m_thug);
        ASSERT_NE(nullptr, bot);
        EXPECT_EQ(static_cast<VornActor*>(m_game->getPlayer()), bot->getTargetActor());
        bot->setBasePosition(CCPoint(d, -30.0f));
        bots.push_back(bot);
    }
    bots[0]->setIsAttacking(true);
    bots[2]->setIsAttacking(true);
    bots[3]->setState("Disabled");          // left alone, not counted
    bots[4]->setTargetPositionLocked(true);  // likewise
    takeCalls();

    m_bots->update(0.0f);
    EXPECT_EQ(player, bots[2]->getTargetActor());  // whoever is on the player side
    EXPECT_EQ("Idle", bots[0]->getState());  // nearest, mid-attack: keeps going
    EXPECT_EQ("Seek", bots[1]->getState());
    EXPECT_EQ("Wander", bots[2]->getState());
    EXPECT_EQ("Disabled", bots[3]->getState());
    EXPECT_EQ("Idle", bots[4]->getState());
    EXPECT_EQ("end;begin userdata;end;begin userdata", takeCalls());

    // Paused: no directing; resumed enemies keep the target they froze at.
    m_bots->pause();
    bots[0]->setIsAttacking(false);
    m_bots->update(0.0f);
    EXPECT_EQ("Idle", bots[0]->getState());
    bots[1]->setTargetPosition(CCPoint(99.0f, 0.0f));
    m_bots->resume();
    EXPECT_FLOAT_EQ(20.0f, bots[1]->getTargetPosition().x);
    m_bots->update(0.0f);
    EXPECT_EQ("Seek", bots[0]->getState());

    // A fallen player draws nobody.
    bots[1]->setState("Idle");
    player->doTakeDamage(1.0f, player->getBasePosition(), CCPoint(1.0f, 0.0f), kVornAttackType_KO, true);
    m_bots->update(0.0f);
    EXPECT_EQ("Idle", bots[1]->getState());
}

TEST_F(EnemyTest, LevelStartAndContinueClearEverything)
{
    CCScopedAutoreleasePool pool;
    RestartManager* restart = m_game->getRestartManager();
    ASSERT_NE(nullptr, restart->getDelegateWithKey("maxBotsOnScreen"));
    ASSERT_NE(nullptr, restart->getDelegateWithKey("botManagerPaused"));
    VornScriptEngine* level = scriptEngine("game/enemies/level-events.lua");

    for (Signal<>* signal : {&m_game->getLevelLoadingSignal(), &m_game->getContinueSignal()})
    {
        m_bots->setMaxBotsOnScreen(1);
        m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Left, 5.0f);
        int id = m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Right, 0.0f);
        m_bots->triggerOnBotEvent(id, kBotTrigger_Died, level, level->getFunctionRef("onDied"));
        step(kFrame);
        BotActor* bot = m_bots->getBotFromID(0);
        ASSERT_NE(nullptr, bot);
        m_bots->pause();

        signal->emit();
        EXPECT_EQ(0, m_bots->getNumActiveBots());
        EXPECT_EQ(0, m_bots->getNumQueuedBots());
        EXPECT_EQ(0u, m_bots->getTriggerItems()->count());
        EXPECT_FALSE(m_bots->isPaused());
        EXPECT_EQ(nullptr, bot->getParent());
        EXPECT_EQ(50u, m_bots->getFreeBots().size());
        EXPECT_EQ(1, m_bots->getMaxBotsOnScreen());
        // Ids start again, and the old spawn wait is gone.
        EXPECT_EQ(0, m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Left, 0.0f));
        step(kFrame);
        EXPECT_EQ(1, m_bots->getNumActiveBots());
        m_bots->reset();
    }
    level->release();

    // A manager that goes takes its restart values and signals with it.
    m_bots->release();
    m_bots = nullptr;
    EXPECT_EQ(nullptr, restart->getDelegateWithKey("maxBotsOnScreen"));
    m_game->getLevelLoadingSignal().emit();
    step(kFrame);
}

TEST_F(EnemyTest, TheGameWorldMakesOneManagerWithFiftyEnemies)
{
    CCScopedAutoreleasePool pool;
    m_bots->release();
    m_bots = nullptr;
    m_game->initMain1();
    BotManager* bots = m_game->getBotManager();
    ASSERT_NE(nullptr, bots);
    EXPECT_EQ(50u, bots->getPool().size());
    EXPECT_EQ(50u, bots->getFreeBots().size());
}
