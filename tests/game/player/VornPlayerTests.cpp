#include "PlayerTestSupport.h"

#include "CollisionList.h"
#include "CollisionManager.h"
#include "RestartManager.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornCameraManager.h"
#include "VornPlayerInputMulti.h"
#include "VornRPGStats.h"
#include "VornTestSupport.h"

USING_NS_CC;

namespace
{
struct PlayerSignals
{
    void onScore(VornPlayer*, int v) { scores.push_back(v); }
    void onCombo(VornPlayer*, int v) { combos.push_back(v); }
    void onComboPoints(VornPlayer*, int v) { comboPoints.push_back(v); }
    void onInput(int v) { inputs.push_back(v); }
    void onKilled(VornActor*) { ++killed; }
    std::vector<int> scores, combos, comboPoints, inputs;
    int killed = 0;

    ~PlayerSignals()
    {
        if (player != nullptr)
        {
            player->getScoreSignal().disconnect(this, &PlayerSignals::onScore);
            player->getComboSignal().disconnect(this, &PlayerSignals::onCombo);
            player->getComboPointsSignal().disconnect(this, &PlayerSignals::onComboPoints);
            player->getInputConnectedSignal().disconnect(this, &PlayerSignals::onInput);
            player->getKilledSignal().disconnect(this, &PlayerSignals::onKilled);
        }
    }
    VornPlayer* player = nullptr;

    void watch(VornPlayer* p)
    {
        player = p;
        p->getScoreSignal().connect(this, &PlayerSignals::onScore);
        p->getComboSignal().connect(this, &PlayerSignals::onCombo);
        p->getComboPointsSignal().connect(this, &PlayerSignals::onComboPoints);
        p->getInputConnectedSignal().connect(this, &PlayerSignals::onInput);
        p->getKilledSignal().connect(this, &PlayerSignals::onKilled);
    }
};
} // namespace

TEST_F(PlayerTest, TheGameWorldPutsJorsInPlayWithItsInputAndCamera)
{
    EXPECT_EQ(kCharacter_Player, m_player->getCharacterType());
    EXPECT_EQ("jors.plist", m_player->getPlayerDesc());
    EXPECT_EQ(m_game->actorDescWithFile("jors.plist"), m_player->getDesc());
    EXPECT_EQ(m_game->getActorNode(), m_player->getParent());
    EXPECT_TRUE(m_player->getInputConnected());
    EXPECT_NE(nullptr, dynamic_cast<VornPlayerInputMulti*>(m_player->getInput()));
    EXPECT_EQ(m_player, m_player->getInput()->getPlayer());
    CollisionList* players = m_game->getCollisionManager()->getCollisionList(kCollisionList_Player);
    ASSERT_NE(nullptr, players);
    ASSERT_EQ(1u, players->getMembers().size());
    EXPECT_EQ(m_player, players->getMembers().front()->getOwner());
    ASSERT_NE(nullptr, m_game->getCameraManager());
    EXPECT_EQ(m_player, m_game->getCameraManager()->getTarget());

    // The player's values come before the camera's and the level list's in the checkpoint store.
    vorntest::LogCapture log;
    m_game->getRestartManager()->saveAll();
    const char* order[] = {"playerDesc", "playerPos", "playerInputConnected", "playerScore", "height",
                           "playerAttacksAttempted", "playerAttacksHitSomething", "playerCheckpointHit",
                           "cameraShakeScale", "LevelManager_levelName"};
    std::string text;
    for (const std::string& line : log.lines())
    {
        text += line + "\n";
    }
    size_t last = 0;
    for (const char* key : order)
    {
        size_t at = text.find(std::string("Restart - Save ") + key + ":");
        ASSERT_NE(std::string::npos, at) << key;
        EXPECT_GE(at, last) << key;
        last = at;
    }
}

TEST_F(PlayerTest, ArrowKeysWalkAndTurnJors)
{
    const float x0 = m_player->getBasePosition().x;
    m_keyboard->keyPressed(VornPlayerInputMulti::kKeyRight);
    step(0.5f);
    EXPECT_GT(m_player->getBasePosition().x, x0 + 5.0f);
    EXPECT_FLOAT_EQ(40.0f, m_player->getBasePosition().y);
    EXPECT_EQ(kFacingDir_Right, m_player->getFacingDir());
    EXPECT_EQ(kVAT_Walk, topType(m_player));
    m_keyboard->keyReleased(VornPlayerInputMulti::kKeyRight);
    frames(3);
    const float x1 = m_player->getBasePosition().x;

    m_keyboard->keyPressed(VornPlayerInputMulti::kKeyLeft);
    step(0.5f);
    EXPECT_LT(m_player->getBasePosition().x, x1 - 5.0f);
    EXPECT_EQ(kFacingDir_Left, m_player->getFacingDir());
    m_keyboard->keyReleased(VornPlayerInputMulti::kKeyLeft);
    frames(3);
    EXPECT_FLOAT_EQ(0.0f, m_player->getMovement().x);

    // Disconnected, the keys no longer reach the character.
    PlayerSignals signals;
    signals.watch(m_player);
    m_player->setInputConnected(false);
    m_player->setInputConnected(false);
    const float x2 = m_player->getBasePosition().x;
    m_keyboard->keyPressed(VornPlayerInputMulti::kKeyRight);
    step(0.3f);
    m_keyboard->keyReleased(VornPlayerInputMulti::kKeyRight);
    EXPECT_FLOAT_EQ(x2, m_player->getBasePosition().x);
    EXPECT_EQ(nullptr, m_player->getInput()->getPlayer());
    m_player->setInputConnected(true);
    EXPECT_EQ((std::vector<int>{0, 1}), signals.inputs);
}

TEST_F(PlayerTest, KeysPunchJumpAndBackKick)
{
    struct Case
    {
        int key;
        int type;
    };
    const Case cases[] = {{'s', kVAT_LightAttack}, {VornPlayerInputMulti::kKeySpace, kVAT_Jump}, {'a', kVAT_BackAttack}};
    for (const Case& c : cases)
    {
        ASSERT_TRUE(stepUntil(2.0f, [&] { return topType(m_player) == kVAT_Idle; })) << c.key;
        tap(c.key);
        EXPECT_EQ(c.type, topType(m_player)) << c.key;
        if (c.type == kVAT_Jump)
        {
            EXPECT_TRUE(stepUntil(0.5f, [&] { return m_player->getHeight() > 1.0f; }));
        }
    }
    ASSERT_TRUE(stepUntil(2.0f, [&] { return topType(m_player) == kVAT_Idle && !m_player->isInAir(); }));
    // A punch and a back kick into thin air: two attempts, no hits (the jump is no attack).
    EXPECT_EQ(2, m_player->getAttacksAttempted());
    EXPECT_EQ(0, m_player->getAttacksHitSomething());
    EXPECT_FLOAT_EQ(0.0f, m_player->getHitAccuracy());
}

TEST_F(PlayerTest, LandedPunchesChainTheComboScoreAndCountAsHits)
{
    PlayerSignals signals;
    signals.watch(m_player);
    TestEnemy* thug = spawnEnemy(212.0f, 40.0f, kFacingDir_Left);
    tap('s');
    ASSERT_TRUE(stepUntil(0.3f, [&] { return m_player->getCombo() == 1; }));
    EXPECT_GT(m_player->getScore(), 0);
    EXPECT_EQ(m_player->getScore(), m_player->getComboPoints());
    EXPECT_LT(thug->getHealth(), m_enemies[0]->getDesc()->getHealth(kCharacter_Enemy));
    // The landed hit picks the chain's next punch.
    ASSERT_NE(nullptr, m_player->getNextAction(kVAT_LightAttack));
    EXPECT_EQ("LightAttack2", m_player->getNextAction(kVAT_LightAttack)->getName());
    ASSERT_TRUE(stepUntil(1.0f, [&] { return topType(m_player) != kVAT_LightAttack; }));
    EXPECT_EQ(1, m_player->getAttacksAttempted());
    EXPECT_EQ(1, m_player->getAttacksHitSomething());
    EXPECT_FLOAT_EQ(1.0f, m_player->getHitAccuracy());

    // A level start clears the attack counters, not the score.
    const int score = m_player->getScore();
    m_game->getLevelStartedSignal().emit();
    EXPECT_EQ(0, m_player->getAttacksAttempted());
    EXPECT_EQ(0, m_player->getAttacksHitSomething());
    EXPECT_EQ(score, m_player->getScore());
    m_game->getLevelRequestedSignal().emit();
    EXPECT_EQ(0, m_player->getScore());
    m_player->setScore(7);
    m_game->getNewGameSignal().emit();
    EXPECT_EQ(0, m_player->getScore());
    EXPECT_EQ((std::vector<int>{score, 0, 7, 0}), signals.scores);
}

TEST_F(PlayerTest, ComboScoringTimingAndKnockDowns)
{
    PlayerSignals signals;
    signals.watch(m_player);
    VornActionDesc* punch = m_player->getDesc()->getStartAction(kVAT_LightAttack);
    TestEnemy* thug = spawnEnemy(400.0f, 40.0f, kFacingDir_Left);

    // Hits 1, 2, 3 of value 10: 10, 20 and 30 points.
    for (int i = 0; i < 3; ++i)
    {
        m_player->onHitActor(punch, thug, CCPoint(0, 0), 10.0f);
    }
    EXPECT_EQ(3, m_player->getCombo());
    EXPECT_EQ(60, m_player->getScore());
    EXPECT_EQ(60, m_player->getComboPoints());
    EXPECT_EQ((std::vector<int>{10, 30, 60}), signals.scores);

    // The combo lasts 1.8 s after its last hit; the next one starts over from fresh points.
    step(1.7f);
    EXPECT_EQ(3, m_player->getCombo());
    step(0.15f);
    EXPECT_EQ(0, m_player->getCombo());
    m_player->onHitActor(punch, thug, CCPoint(0, 0), 10.0f);
    EXPECT_EQ(1, m_player->getCombo());
    EXPECT_EQ(10, m_player->getComboPoints());
    EXPECT_EQ(70, m_player->getScore());

    // A fractional hit on the second of a combo is worth 0 points but still counts.
    m_player->onHitActor(punch, thug, CCPoint(0, 0), 0.4f);
    EXPECT_EQ(2, m_player->getCombo());
    EXPECT_EQ(70, m_player->getScore());

    // Knocked down: the combo breaks (-1); the next hit makes it 1.
    ASSERT_TRUE(m_player->takeDamage(1.0f, CCPoint(0, 0), CCPoint(1, 0), kVornAttackType_KO));
    EXPECT_TRUE(m_player->isFalling());
    EXPECT_EQ(-1, m_player->getCombo());
    m_player->onHitActor(punch, thug, CCPoint(0, 0), 10.0f);
    EXPECT_EQ(1, m_player->getCombo());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 0, 1, 2, -1, 1}), signals.combos);

    // A knock-out pays the target's kill experience and counts.
    VornActorDesc* jors = m_player->getDesc();
    const int xp = jors->getXPPointsSinceUpgrade();
    thug->setHealth(0.0f);
    m_player->onHitActor(punch, thug, CCPoint(0, 0), 10.0f);
    EXPECT_EQ(1, m_player->getKOs());
    EXPECT_EQ(xp + (int)thug->getDesc()->getEnemyStats()->getXPKillPoints(0), jors->getXPPointsSinceUpgrade());

    // A reset clears the combo and the knock-outs but keeps the score.
    const int score = m_player->getScore();
    m_player->reset();
    EXPECT_EQ(0, m_player->getCombo());
    EXPECT_EQ(0, m_player->getComboPoints());
    EXPECT_EQ(0, m_player->getKOs());
    EXPECT_EQ(score, m_player->getScore());
}

TEST_F(PlayerTest, RestartValuesComeBackFromMemoryAndFromTheSave)
{
    RestartManager* restart = m_game->getRestartManager();
    frames(2);  // the camera has placed its view
    const CCRect screen = m_game->getCameraManager()->getGameScreenBounds();
    const float above = screen.getMinY() + 20.0f;

    m_player->setBasePosition(CCPoint(150.0f, above));
    m_player->setScore(1234);
    m_player->setAttacksAttempted(5);
    m_player->setAttacksHitSomething(3);
    m_player->setHeight(12.0f);
    restart->storeAll();
    restart->saveAll();

    m_player->setBasePosition(CCPoint(300.0f, above + 10.0f));
    m_player->setScore(1);
    m_player->setAttacksAttempted(0);
    m_player->setAttacksHitSomething(0);
    m_player->setHeight(0.0f);
    m_player->setInputConnected(false);
    restart->restoreAll();
    EXPECT_FLOAT_EQ(150.0f, m_player->getBasePosition().x);
    EXPECT_FLOAT_EQ(above, m_player->getBasePosition().y);
    EXPECT_EQ(1234, m_player->getScore());
    EXPECT_EQ(5, m_player->getAttacksAttempted());
    EXPECT_EQ(3, m_player->getAttacksHitSomething());
    EXPECT_FLOAT_EQ(12.0f, m_player->getHeight());
    EXPECT_TRUE(m_player->getInputConnected());
    EXPECT_EQ("jors.plist", m_player->getPlayerDesc());

    m_player->setScore(2);
    m_player->setInputConnected(false);
    restart->loadAll();
    EXPECT_EQ(1234, m_player->getScore());
    EXPECT_FLOAT_EQ(150.0f, m_player->getBasePosition().x);
    EXPECT_TRUE(m_player->getInputConnected());

    // Saved below the screen's bottom edge: back on the edge, same x.
    m_player->setBasePosition(CCPoint(170.0f, screen.getMinY() - 50.0f));
    restart->storeAll();
    restart->restoreAll();
    EXPECT_FLOAT_EQ(170.0f, m_player->getBasePosition().x);
    EXPECT_FLOAT_EQ(screen.getMinY(), m_player->getBasePosition().y);
}

TEST_F(PlayerTest, SameCharacterResetsAMissingOneIsLoggedAndTriedAgain)
{
    VornActorDesc* jors = m_player->getDesc();
    m_player->setHealth(1.0f);
    m_player->setPlayerDesc("jors.plist");
    EXPECT_EQ(jors, m_player->getDesc());
    EXPECT_FLOAT_EQ(jors->getHealth(kCharacter_Player), m_player->getHealth());

    for (int attempt = 0; attempt < 2; ++attempt)
    {
        vorntest::LogCapture log;
        m_player->setPlayerDesc("nobody.plist");
        EXPECT_EQ(nullptr, m_player->getDesc());
        EXPECT_TRUE(log.contains("Unable to load actor descriptor nobody.plist!")) << attempt;
    }
    frames(2);  // a player without a character stands still, without crashing
    m_player->setPlayerDesc("jors.plist");
    EXPECT_EQ(jors, m_player->getDesc());
}

TEST_F(PlayerTest, RequestedKillGoesThroughTheDamagePathEvenAfterAFall)
{
    PlayerSignals signals;
    signals.watch(m_player);
    m_player->setKillRequested(true);
    frames(1);
    EXPECT_FALSE(m_player->isAlive());
    EXPECT_FALSE(m_player->getKillRequested());
    EXPECT_EQ(1, signals.killed);

    // Mid-fall the player cannot be hurt: the request waits until it can be.
    m_player->setPlayerDesc("jors.plist");
    ASSERT_TRUE(m_player->isAlive());
    ASSERT_TRUE(m_player->takeDamage(1.0f, CCPoint(0, 0), CCPoint(1, 0), kVornAttackType_KO));
    ASSERT_TRUE(m_player->isFalling());
    ASSERT_FALSE(m_player->canTakeDamage());
    m_player->setKillRequested(true);
    frames(1);
    EXPECT_TRUE(m_player->getKillRequested());
    EXPECT_TRUE(stepUntil(3.0f, [&] { return !m_player->isAlive(); }));
    EXPECT_FALSE(m_player->getKillRequested());
    EXPECT_EQ(2, signals.killed);
}

TEST_F(PlayerTest, KickWhileHoldingSomeoneAwayFromThemThrowsBackward)
{
    // The input asks the player whether it is holding someone: the Grab on its action stack.
    ASSERT_TRUE(m_player->doAction(kVAT_Grab, false));
    ASSERT_TRUE(m_player->isGrabbing());
    m_keyboard->keyPressed(VornPlayerInputMulti::kKeyLeft);
    frames(2);
    tap('d');
    m_keyboard->keyReleased(VornPlayerInputMulti::kKeyLeft);
    EXPECT_EQ(kVAT_GrabThrowBack, topType(m_player));
}

TEST_F(PlayerTest, AnEnemysBlowThatKnocksThePlayerDownBreaksTheCombo)
{
    VornActionDesc* punch = m_player->getDesc()->getStartAction(kVAT_LightAttack);
    TestEnemy* thug = spawnEnemy(212.0f, 40.0f, kFacingDir_Left);
    m_player->setFacingDir(kFacingDir_Right);
    m_player->onHitActor(punch, thug, CCPoint(0, 0), 10.0f);
    m_player->onHitActor(punch, thug, CCPoint(0, 0), 10.0f);
    ASSERT_EQ(2, m_player->getCombo());

    // The thug's heavy swing is a knock-out blow: it reaches the player through the attack event.
    ASSERT_TRUE(thug->doAction(kVAT_HeavyAttack, false));
    ASSERT_TRUE(stepUntil(1.0f, [&] { return m_player->isFalling(); }));
    EXPECT_EQ(-1, m_player->getCombo());
    m_player->onHitActor(punch, thug, CCPoint(0, 0), 10.0f);
    EXPECT_EQ(1, m_player->getCombo());
}
