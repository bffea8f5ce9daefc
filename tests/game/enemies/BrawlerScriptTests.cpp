#include "EnemyTestSupport.h"
#include "VornActionDesc.h"
#include "VornCameraManager.h"
#include "VornActorDesc.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

#include <cmath>
#include <set>

USING_NS_CC;

namespace
{
/** The street fixture with the shipped brawler script in place of the recorder. */
class BrawlerTest : public EnemyTest
{
protected:
    void SetUp() override
    {
        EnemyTest::SetUp();
        VornScriptEngine* brawler = new VornScriptEngine();
        ASSERT_TRUE(brawler->executeScriptFile("bot-brawler.lua"));
        m_thug->setScriptEngine(brawler);
        brawler->release();
    }
    BotActor* thugAt(float x, float y)
    {
        BotActor* bot = m_bots->createBotActor(m_thug);
        EXPECT_NE(nullptr, bot);
        if (bot)
        {
            bot->setBasePosition(CCPoint(x, y));
            bot->setTargetPosition(CCPoint(x, y));
        }
        return bot;
    }
    static void expectNoErrors(const vorntest::LogCapture& log)
    {
        for (const std::string& line : log.lines())
        {
            EXPECT_EQ(std::string::npos, line.find("ERROR")) << line;
        }
    }
};
} // namespace

TEST_F(BrawlerTest, AThugInFrontOfThePlayerSwingsAndHurtsHim)
{
    CCScopedAutoreleasePool pool;
    vorntest::LogCapture log;
    TestPlayer* player = addPlayer(0.0f, -30.0f);
    float full = player->getHealth();
    ASSERT_GT(full, 0.0f);
    BotActor* bot = thugAt(14.0f, -31.0f);
    ASSERT_NE(nullptr, bot);
    std::set<std::string> states;
    bool hurt = stepUntil(4.0f, [&] {
        states.insert(bot->getState());
        return player->getHealth() < full;
    });
    EXPECT_TRUE(hurt) << "last state " << bot->getState();
    EXPECT_TRUE(states.count("Attack"));
    expectNoErrors(log);
}

TEST_F(BrawlerTest, AFarThugWalksUpToThePlayersDepthAndFights)
{
    CCScopedAutoreleasePool pool;
    vorntest::LogCapture log;
    TestPlayer* player = addPlayer(0.0f, -30.0f);
    BotActor* bot = thugAt(70.0f, -50.0f);
    ASSERT_NE(nullptr, bot);
    float start = bot->getDistanceFromTargetActor();
    step(1.0f);
    EXPECT_LT(bot->getDistanceFromTargetActor(), start - 5.0f);
    // It lines up at his depth, where blows land, and starts a bout there.
    bool fighting = stepUntil(8.0f, [&] { return bot->getState() == "Attack"; });
    EXPECT_TRUE(fighting) << bot->getState();
    EXPECT_LE(std::fabs(bot->getBasePosition().y - player->getBasePosition().y), 5.0f);
    // Bouts end: it backs off and comes again, never locked in one state.
    std::set<std::string> states;
    stepUntil(10.0f, [&] {
        states.insert(bot->getState());
        return states.count("Wander") && states.count("Seek");
    });
    EXPECT_TRUE(states.count("Wander"));
    EXPECT_TRUE(states.count("Seek"));
    expectNoErrors(log);
}

TEST_F(BrawlerTest, HitsAndKnockDownsNeverBreakTheScript)
{
    CCScopedAutoreleasePool pool;
    vorntest::LogCapture log;
    addPlayer(0.0f, -30.0f);
    BotActor* bot = thugAt(14.0f, -30.0f);
    ASSERT_NE(nullptr, bot);
    for (int round = 0; round < 6; ++round)
    {
        step(0.5f);
        int type = round % 2 == 0 ? kVornAttackType_Normal : kVornAttackType_KO;
        bot->doTakeDamage(0.1f, bot->getBasePosition(), CCPoint(1.0f, 0.0f), type, true);
    }
    bot->setState("Disabled");
    step(0.5f);
    EXPECT_EQ("Disabled", bot->getState());
    EXPECT_FALSE(bot->getIsAttacking());
    expectNoErrors(log);
}

TEST_F(BrawlerTest, AThugKnockedPastTheScreensEdgeComesBackIntoViewBeforeItSwings)
{
    CCScopedAutoreleasePool pool;
    vorntest::LogCapture log;
    // The player stands by the right edge of what the screen shows; the thug is just past it,
    // close enough for its punch to land.
    VornCameraManager* camera = new VornCameraManager();
    camera->setGameScreenBounds(CCRect(0.0f, -60.0f, 160.0f, 100.0f));
    m_game->setCameraManager(camera);
    camera->release();
    TestPlayer* player = addPlayer(150.0f, -30.0f);
    const float full = player->getHealth();
    BotActor* bot = thugAt(168.0f, -30.0f);
    ASSERT_NE(nullptr, bot);
    bot->setFacingDir(kFacingDir_Left);
    ASSERT_TRUE(bot->willAttackHitActor(bot->getNextAction(kVAT_LightAttack), player));

    float swungFrom = 0.0f;
    bool hurt = stepUntil(8.0f, [&] {
        swungFrom = bot->getBasePosition().x;
        return player->getHealth() < full;
    });
    EXPECT_TRUE(hurt) << bot->getState() << " at " << bot->getBasePosition().x;
    EXPECT_LT(swungFrom, 160.0f);  // in view
    m_game->setCameraManager(nullptr);
    expectNoErrors(log);
}

TEST_F(BrawlerTest, AThugThatFloorsThePlayerBacksOffAndLetsHimGetUp)
{
    CCScopedAutoreleasePool pool;
    vorntest::LogCapture log;
    TestPlayer* player = addPlayer(0.0f, -30.0f);
    BotActor* bot = thugAt(14.0f, -30.0f);
    ASSERT_NE(nullptr, bot);
    ASSERT_TRUE(stepUntil(4.0f, [&] { return bot->getState() == "Attack"; }));
    const float offset = fabsf(bot->getTargetOffset().x);

    // Knocked down by another blow: the bout is over; it does not stand over him waiting.
    player->doTakeDamage(1.0f, player->getBasePosition(), CCPoint(-1.0f, 0.0f), kVornAttackType_KO, true);
    ASSERT_FALSE(player->isStanding());
    std::set<std::string> states;
    ASSERT_TRUE(stepUntil(5.0f, [&] {
        states.insert(bot->getState());
        return player->isStanding();
    }));
    EXPECT_TRUE(states.count("Wander"));
    EXPECT_GE(fabsf(bot->getTargetOffset().x), offset);  // not edged in while he was down
    expectNoErrors(log);
}
