#include "EnemyTestSupport.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

#include <cmath>

USING_NS_CC;

namespace
{
class ArrivalCounter
{
public:
    void onReached(BotActor* bot) { ++count; last = bot; }
    int count = 0;
    BotActor* last = nullptr;
};
} // namespace

TEST_F(EnemyTest, StateFunctionsAndHooksRunInTheDescriptorsScript)
{
    CCScopedAutoreleasePool pool;
    BotActor* bot = m_bots->createBotActor(m_thug);
    ASSERT_NE(nullptr, bot);
    // Taking a descriptor resets: out of the empty state, into "Idle".
    EXPECT_EQ("end;begin userdata", takeCalls());
    EXPECT_EQ("Idle", bot->getState());
    EXPECT_NE(VORNSCRIPTREF_NULL, bot->getOnTakeDamageRef());
    EXPECT_NE(VORNSCRIPTREF_NULL, bot->getOnHitActorRef());

    bot->setState("Idle");
    EXPECT_EQ("", takeCalls());
    bot->setState("Seek");
    EXPECT_EQ("end;begin userdata", takeCalls());

    step(kFrame);
    EXPECT_EQ("tick", takeCalls());
    EXPECT_FLOAT_EQ(kFrame, bot->getDelta());

    bot->doTakeDamage(1.0f, bot->getBasePosition(), CCPoint(1.0f, 0.0f), kVornAttackType_Normal, true);
    bot->doTakeDamage(1.0f, bot->getBasePosition(), CCPoint(1.0f, 0.0f), kVornAttackType_KO, true);
    EXPECT_EQ("damage false;damage true", takeCalls());
    bot->onHitActor(bot->getAction(), bot, bot->getBasePosition(), 1.0f);
    EXPECT_EQ("hit userdata", takeCalls());

    // Down on the floor there is no thinking, and no frame time is handed over.
    ASSERT_TRUE(stepUntil(2.0f, [&] { return bot->isFallingOrFloored(); }));
    takeCalls();
    bot->setDelta(-1.0f);
    step(kFrame);
    EXPECT_EQ("", takeCalls());
    EXPECT_FLOAT_EQ(-1.0f, bot->getDelta());

    // Back to the pool: the hooks are let go in the script that made them.
    int ref = bot->getOnTakeDamageRef();
    m_bots->releaseBotActor(bot);
    EXPECT_EQ(VORNSCRIPTREF_NULL, bot->getOnTakeDamageRef());
    lua_State* L = m_thugScripts->getLuaState();
    lua_rawgeti(L, LUA_REGISTRYINDEX, ref);
    EXPECT_FALSE(lua_isfunction(L, -1));
    lua_pop(L, 1);
}

TEST_F(EnemyTest, AFailingScriptIsLoggedAndTheEnemyGoesOn)
{
    CCScopedAutoreleasePool pool;
    BotActor* bot = m_bots->createBotActor(m_thug);
    ASSERT_NE(nullptr, bot);
    lua_State* L = m_thugScripts->getLuaState();
    lua_pushboolean(L, 1);
    lua_setglobal(L, "failing");
    vorntest::LogCapture log;
    bot->setBasePosition(CCPoint(0.0f, -30.0f));
    bot->setTargetPosition(CCPoint(10.0f, -30.0f));
    step(0.5f);
    EXPECT_TRUE(log.contains("tick fell over"));
    EXPECT_GT(bot->getBasePosition().x, 0.5f);  // still walking
    EXPECT_EQ(0, lua_gettop(L));

    // A kind with no enemy script: nothing to call, nothing to complain about.
    log.clear();
    BotActor* plain = m_bots->createBotActor(m_game->actorDescWithFile("jors.plist"));
    ASSERT_NE(nullptr, plain);
    plain->setState("Seek");
    step(0.2f);
    EXPECT_EQ("Seek", plain->getState());
    for (const std::string& line : log.lines())
    {
        EXPECT_EQ(std::string::npos, line.find("does not represent")) << line;
    }
}

// Every enemy of a kind calls the same tick every frame: a fault in it is told once per kind,
// with how often it repeated, not once per enemy per frame.
TEST_F(EnemyTest, AnErrorInAnEnemyKindsTickIsToldOncePerKindWithItsRepeats)
{
    CCScopedAutoreleasePool pool;
    VornActorDesc* knife = m_game->actorDescWithFile("knife.plist");
    ASSERT_NE(nullptr, knife);
    VornScriptEngine* knifeScripts = scriptEngine("game/enemies/recorder.lua");
    knife->setScriptEngine(knifeScripts);
    knifeScripts->release();
    for (VornScriptEngine* engine : { m_thugScripts, knifeScripts })
    {
        lua_State* L = engine->getLuaState();
        lua_pushboolean(L, 1);
        lua_setglobal(L, "failing");
    }
    for (VornActorDesc* kind : { m_thug, m_thug, m_thug, knife, knife })
    {
        BotActor* bot = m_bots->createBotActor(kind);
        ASSERT_NE(nullptr, bot);
        bot->setState("Seek");
    }
    auto count = [](const vorntest::LogCapture& log, const char* text) {
        int n = 0;
        for (const std::string& line : log.lines())
        {
            n += line.find(text) != std::string::npos ? 1 : 0;
        }
        return n;
    };

    vorntest::LogCapture log;
    const int frames = 40;  // 120 thug ticks, 80 knife ticks
    for (int frame = 0; frame < frames; ++frame)
    {
        step(kFrame);
    }
    struct Expected
    {
        const char* text;
        int lines;
    };
    const Expected during[] = {
        { "tick fell over\nstack traceback", 2 },  // whole, once per kind
        { "tick fell over (repeated 10 times)", 2 },
        { "tick fell over (repeated 100 times)", 1 },  // the thugs' only
    };
    for (const Expected& e : during)
    {
        EXPECT_EQ(e.lines, count(log, e.text)) << e.text;
    }
    EXPECT_EQ(5, count(log, "tick fell over")) << "lines: " << log.lines().size();

    // The level ends: what was not told yet is summed up, and the next fault is told whole again.
    log.clear();
    m_game->reportRepeatedScriptErrors();
    EXPECT_EQ(1, count(log, "tick fell over (repeated 119 times)"));
    EXPECT_EQ(1, count(log, "tick fell over (repeated 79 times)"));
    EXPECT_EQ(2, (int)log.lines().size());
    log.clear();
    step(kFrame);
    EXPECT_EQ(2, count(log, "tick fell over\nstack traceback"));
}

TEST_F(EnemyTest, SteeringWalksToTheTargetFacesTheTargetActorAndAnnouncesArrival)
{
    CCScopedAutoreleasePool pool;
    BotActor* bot = m_bots->createBotActor(m_game->actorDescWithFile("jors.plist"));
    ASSERT_NE(nullptr, bot);
    ArrivalCounter arrivals;
    bot->getReachedTargetSignal().connect(&arrivals, &ArrivalCounter::onReached);
    const CCPoint start(20.0f, -30.0f);

    // One point aside or below: half speed; one point above: full speed (the vertical part
    // counts double). Read off the first frame's smoothed movement: a tenth of the pull.
    const struct
    {
        CCPoint offset;
        float length;
    } kCases[] = {{CCPoint(1.0f, 0.0f), 0.5f}, {CCPoint(0.0f, -1.0f), 0.5f}, {CCPoint(0.0f, 1.0f), 1.0f}};
    for (const auto& c : kCases)
    {
        bot->setMovement(CCPoint(0.0f, 0.0f));
        bot->setBasePosition(start);
        bot->setTargetPosition(start + c.offset);
        bot->tick(0.0f);
        EXPECT_NEAR(c.length * 0.1f, ccpLength(bot->getMovement()), 1e-4f);
    }

    // No target actor: facing is taken against (0, 0), so at x > 0 the enemy turns left.
    EXPECT_EQ(kFacingDir_Left, bot->getNextFacingDir());

    // Locked: the target cannot be moved, but arriving still snaps it and is announced.
    bot->setBasePosition(start);
    bot->setTargetPosition(start + CCPoint(6.0f, 0.0f));
    bot->setTargetPositionLocked(true);
    bot->setTargetPosition(CCPoint(-50.0f, -30.0f));
    EXPECT_FLOAT_EQ(26.0f, bot->getTargetPosition().x);
    ASSERT_TRUE(stepUntil(5.0f, [&] { return arrivals.count > 0; }));
    EXPECT_EQ(bot, arrivals.last);
    EXPECT_LT(ccpDistance(bot->getBasePosition(), CCPoint(26.0f, -30.0f)), 0.1f);
    EXPECT_TRUE(bot->getTargetPosition().equals(bot->getBasePosition()));

    // The dead never arrive.
    bot->setTargetPositionLocked(false);
    bot->doTakeDamage(bot->getHealth(), bot->getBasePosition(), CCPoint(1.0f, 0.0f), kVornAttackType_KO, true);
    arrivals.count = 0;
    step(0.2f);
    EXPECT_EQ(0, arrivals.count);
    bot->getReachedTargetSignal().disconnect(&arrivals, &ArrivalCounter::onReached);
}

TEST_F(EnemyTest, WanderPointsStayOnScreenAndNeverCrossAFallenTarget)
{
    CCScopedAutoreleasePool pool;
    TestPlayer* player = addPlayer(0.0f, -30.0f);
    BotActor* bot = m_bots->createBotActor(m_thug);
    ASSERT_NE(nullptr, bot);
    bot->setTargetActor(player);
    CCRect screen = BotManager::getGameScreenBounds();
    // Both on screen: the fallen target's wall runs from the bottom of the screen to the top.
    bot->setBasePosition(CCPoint(screen.getMinX() + 10.0f, screen.getMidY()));
    player->setBasePosition(CCPoint(screen.getMidX(), screen.getMidY()));
    float margin = screen.size.width * 0.05f;
    for (int i = 0; i < 20; ++i)
    {
        CCPoint p = bot->generateWanderPosition();
        EXPECT_GE(p.x, screen.getMinX() + margin - 1e-3f);
        EXPECT_LE(p.x, screen.getMaxX() - margin + 1e-3f);
        EXPECT_GE(p.y, screen.getMinY());
        EXPECT_LE(p.y, screen.getMaxY());
    }
    player->doTakeDamage(player->getHealth(), player->getBasePosition(), CCPoint(1.0f, 0.0f), kVornAttackType_KO, true);
    ASSERT_TRUE(player->isFallingOrFloored());
    for (int i = 0; i < 20; ++i)
    {
        CCPoint p = bot->generateWanderPosition();
        EXPECT_LE(p.x, player->getBasePosition().x) << i;
    }
}

TEST_F(EnemyTest, TheStreetBrawlerScriptRunsQuietlyOnEveryBot)
{
    CCScopedAutoreleasePool pool;
    VornScriptEngine* brawler = new VornScriptEngine();
    ASSERT_TRUE(brawler->executeScriptFile("bot-brawler.lua"));
    m_thug->setScriptEngine(brawler);
    brawler->release();
    addPlayer(0.0f, -30.0f);
    vorntest::LogCapture log;
    m_bots->setMaxBotsOnScreen(2);
    m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Left, 0.0f);
    m_bots->addBotToSpawnQueue(m_thug, kSpawnDir_Right, 0.0f);
    step(1.0f);
    EXPECT_EQ(2, m_bots->getNumActiveBots());
    for (const std::string& line : log.lines())
    {
        EXPECT_EQ(std::string::npos, line.find("ERROR")) << line;
    }
}

TEST_F(EnemyTest, AnEnemyScriptThatFailsToLoadIsReportedOnceAndItsEnemiesStandOrUseTheBase)
{
    CCScopedAutoreleasePool pool;
    const std::string broken = vorntest::fixturePath("game/actors/broken.lua");
    auto load = [&](const char* base) {
        VornActorDesc* desc = new VornActorDesc();
        desc->autorelease();
        CCDictionary* dict = CCDictionary::create();
        dict->setObject(CCString::create(base), "BaseDesc");
        dict->setObject(CCArray::create(CCString::create("Broken"), NULL), "Names");
        dict->setObject(CCString::create(broken), "BotEngine");
        EXPECT_TRUE(desc->initWithDictionary(dict, std::string("broken-") + base + ".plist"));
        return desc;
    };

    // Over a base without a script: reported with the kind's name, and its enemies stand still.
    vorntest::LogCapture log;
    VornActorDesc* lone = load("jors");
    int reports = 0;
    for (const std::string& line : log.lines())
    {
        reports += line.find("broken-jors.plist") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(1, reports);
    lua_State* L = lone->getScriptEngine()->getLuaState();
    lua_getglobal(L, "partial");
    EXPECT_TRUE(lua_isnil(L, -1));  // nothing half-loaded is left to call
    lua_pop(L, 1);
    log.clear();
    BotActor* bots[] = {m_bots->createBotActor(lone), m_bots->createBotActor(lone)};
    for (BotActor* bot : bots)
    {
        ASSERT_NE(nullptr, bot);
        bot->setBasePosition(CCPoint(20.0f, -30.0f));
        bot->setTargetPosition(CCPoint(60.0f, -30.0f));
        bot->setState("Seek");
    }
    step(1.0f);
    EXPECT_TRUE(log.lines().empty()) << log.lines().front();
    for (BotActor* bot : bots)
    {
        EXPECT_FLOAT_EQ(20.0f, bot->getBasePosition().x);
        EXPECT_EQ(kVAT_Idle, bot->getAction()->getType());
    }

    // Over a base with a script: the base's script runs instead, in a clean state.
    VornActorDesc* derived = load("street-thug");
    EXPECT_EQ("bot-brawler.lua", derived->getBotEngineFile());
    L = derived->getScriptEngine()->getLuaState();
    lua_getglobal(L, "partial");
    EXPECT_TRUE(lua_isnil(L, -1));
    lua_pop(L, 1);
    int tick = derived->getScriptEngine()->getFunctionRef("tick");
    EXPECT_NE(VORNSCRIPTREF_NULL, tick);
    derived->getScriptEngine()->releaseFunctionRef(tick);
}
