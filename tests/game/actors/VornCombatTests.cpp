#include "ActionStackItem.h"
#include "CombatTestSupport.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornAnimate.h"
#include "VornEventDesc_Attack.h"
#include "VornEventDesc_Jump.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

#include <algorithm>
#include <vector>

USING_NS_CC;

namespace
{
class Recorder
{
public:
    void onKilled(VornActor*) { ++killed; }
    void onDied(VornActor*) { ++died; }
    void onGrabbed(VornActor*) { ++grabbed; }
    void onGrabbedFinished(VornActor*) { ++grabbedFinished; }
    void onLooped(VornActionDesc* action) { looped.push_back(action ? action->getType() : -1); }
    std::vector<int> looped;
    int killed = 0;
    int died = 0;
    int grabbed = 0;
    int grabbedFinished = 0;
};

CCDictionary* eventDict(std::initializer_list<std::pair<const char*, const char*>> entries)
{
    CCDictionary* dict = CCDictionary::create();
    for (const auto& entry : entries)
    {
        dict->setObject(CCString::create(entry.second), entry.first);
    }
    return dict;
}
} // namespace

TEST(VornEventDesc, LoadsTimesAndAttackKeys)
{
    CCScopedAutoreleasePool pool;
    VornEventDesc_Jump* jump = new VornEventDesc_Jump();
    jump->autorelease();
    EXPECT_TRUE(jump->initWithDictionary(eventDict({{"Time", "-1"}, {"Force", "(0,300)"}}), "Jump.a", ""));
    EXPECT_FLOAT_EQ(300.0f, jump->getForce().y);
    EXPECT_TRUE(jump->initWithDictionary(eventDict({{"Time", "1"}}), "Jump.a", ""));
    EXPECT_FALSE(jump->initWithDictionary(eventDict({{"Time", "1.01"}}), "Jump.a", ""));
    EXPECT_FALSE(jump->initWithDictionary(eventDict({{"Force", "(0,300)"}}), "Jump.a", ""));

    VornEventDesc_Attack* attack = new VornEventDesc_Attack();
    attack->autorelease();
    EXPECT_FALSE(attack->initWithDictionary(eventDict({{"Time", "0.5"}}), "A.hit", ""));  // no area
    ASSERT_TRUE(attack->initWithDictionary(
        eventDict({{"Time", "0.5"}, {"Bounds", "(5,17) (13,8)"}, {"AttackType", "Stun"}, {"KO", "1"}, {"DamageMod", "1.5"}}),
        "A.hit", ""));
    EXPECT_EQ(kVornAttackType_KO, attack->getAttackType());  // "KO" wins
    EXPECT_FLOAT_EQ(1.5f, attack->getDamageMod());
    EXPECT_FLOAT_EQ(13.0f, attack->getBounds().size.width);
    EXPECT_EQ(kVET_Attack, attack->getType());
}

TEST_F(CombatTest, JabHitsTheThugInFrontButNotOneDeeper)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    TestActor* near = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 55.0f, kFacingDir_Left);
    TestActor* deep = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 56.0f, kFacingDir_Left);
    float nearHealth = near->getHealth();
    float deepHealth = deep->getHealth();

    VornActionDesc* jab = jors->getNextAction(kVAT_LightAttack);
    ASSERT_NE(nullptr, jab);
    EXPECT_EQ("LightAttack", jab->getName());
    EXPECT_TRUE(jors->willAttackHitActor(jab, near));
    EXPECT_FALSE(jors->willAttackHitActor(jab, deep));

    jors->doLightAttack();
    EXPECT_EQ(jab, jors->getCurrentAttack());
    ASSERT_TRUE(stepUntil(0.3f, [&] { return jors->getCurrentAttackHit(); }));
    float power = jors->getDesc()->getPower(kCharacter_Player, kVAT_LightAttack);
    EXPECT_GT(power, 0.0f);
    EXPECT_FLOAT_EQ(nearHealth - power, near->getHealth());  // 5.0 deeper: still in reach
    EXPECT_FLOAT_EQ(deepHealth, deep->getHealth());           // 6.0 deeper: out of reach
    EXPECT_EQ(kVAT_TakeDamage, topType(near));
    // The hit stop froze the jab, and the next light attack continues the combo.
    EXPECT_GT(jors->getAnimate()->getTopItem()->getDelay(), 0.0f);
    EXPECT_FLOAT_EQ(VornActor::kComboWindow - kFrame, jors->getComboTimer());  // counted down in the same frame
    EXPECT_EQ("LightAttack2", jors->getNextAction(kVAT_LightAttack)->getName());

    // A follow-up inside the window is the combo's second blow; the window then runs out.
    ASSERT_TRUE(stepUntil(0.5f, [&] { return topType(jors) == kVAT_Idle; }));
    jors->doLightAttack();
    EXPECT_EQ("LightAttack2", jors->getAction()->getName());
    step(1.0f);
    EXPECT_LE(jors->getComboTimer(), 0.0f);
}

TEST_F(CombatTest, KnockOutFallsLiesAndStandsUp)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    ASSERT_TRUE(thug->getDesc()->getCanFallOver());
    EXPECT_TRUE(thug->doTakeDamage(1.0f, CCPoint(0, 0), CCPoint(12.0f, 0.0f), kVornAttackType_KO, false));
    EXPECT_EQ(kVAT_FallBack, topType(thug));
    EXPECT_EQ(kFacingDir_Left, thug->getFacingDir());  // faces the attacker on its left
    EXPECT_FALSE(thug->doTakeDamage(1.0f, CCPoint(0, 0), CCPoint(12.0f, 0.0f), kVornAttackType_Normal, false));

    std::vector<int> seen;
    bool airborne = false;
    stepUntil(4.0f, [&] {
        airborne = airborne || thug->isInAir();
        int type = topType(thug);
        if (seen.empty() || seen.back() != type)
        {
            seen.push_back(type);
        }
        return type == kVAT_Idle;
    });
    EXPECT_TRUE(airborne);
    EXPECT_EQ((std::vector<int>{kVAT_FallBack, kVAT_Floored, kVAT_StandUp, kVAT_Idle}), seen);
    EXPECT_TRUE(thug->isAlive());
}

TEST_F(CombatTest, DeathEmitsKilledThenDiedOnceAfterBlinking)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    Recorder recorder;
    thug->getKilledSignal().connect(&recorder, &Recorder::onKilled);
    thug->getDiedSignal().connect(&recorder, &Recorder::onDied);
    thug->setHealth(5.0f);
    EXPECT_TRUE(thug->doTakeDamage(5.0f, CCPoint(0, 0), CCPoint(-3.0f, 0.0f), kVornAttackType_Normal, false));
    EXPECT_EQ(1, recorder.killed);
    EXPECT_EQ(kVAT_FallBack, topType(thug));
    EXPECT_TRUE(thug->isDying());

    bool blinked = false;
    ASSERT_TRUE(stepUntil(6.0f, [&] {
        blinked = blinked || !thug->isVisible();
        return thug->isDead();
    }));
    EXPECT_TRUE(blinked);
    step(2.0f);
    EXPECT_EQ(1, recorder.died);
    EXPECT_TRUE(thug->isVisible());
    EXPECT_EQ(kVAT_Floored, topType(thug));  // lies there for good
    EXPECT_FALSE(thug->doTakeDamage(1.0f, CCPoint(0, 0), CCPoint(0, 0), kVornAttackType_Normal, true));

    thug->reset();  // revived: can die again
    EXPECT_TRUE(thug->isAlive());
    EXPECT_EQ(kVAT_Idle, topType(thug));
}

TEST_F(CombatTest, ABodyKnockedFarLiesStillWhileItBlinks)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    thug->setHealth(5.0f);
    ASSERT_TRUE(thug->doTakeDamage(5.0f, CCPoint(0, 0), CCPoint(-60.0f, 0.0f), kVornAttackType_KO, false));
    float hiddenAt = -1.0f;
    bool movedWhileBlinking = false;
    ASSERT_TRUE(stepUntil(6.0f, [&] {
        if (!thug->isVisible() && hiddenAt < 0.0f)
        {
            hiddenAt = thug->getBasePosition().x;
        }
        movedWhileBlinking = movedWhileBlinking || (hiddenAt >= 0.0f && thug->getBasePosition().x != hiddenAt);
        return thug->isDead();
    }));
    ASSERT_GE(hiddenAt, 0.0f) << "never blinked";
    EXPECT_LT(hiddenAt, 100.0f);  // the blow did carry him
    EXPECT_FALSE(movedWhileBlinking);
}

TEST_F(CombatTest, StunnedThugIsGrabbedAndThrown)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 95.0f, 50.0f, kFacingDir_Right);
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 50.0f, kFacingDir_Left);
    Recorder recorder;
    thug->getGrabbedSignal().connect(&recorder, &Recorder::onGrabbed);
    thug->getGrabbedFinishedSignal().connect(&recorder, &Recorder::onGrabbedFinished);

    ASSERT_TRUE(walkIntoGrab(jors, thug));
    EXPECT_EQ(1, recorder.grabbed);
    EXPECT_EQ(kVAT_Grabbed, topType(thug));
    EXPECT_FALSE(thug->isActionTypeOf(kVAT_Stunned, true));
    EXPECT_EQ(thug->getAnimate(), jors->getAnimate()->getLinkedAnimate());
    EXPECT_EQ(jors->getAnimate(), thug->getAnimate()->getLinkedAnimate());
    EXPECT_LT(jors->getBasePosition().y, thug->getBasePosition().y);  // drawn in front

    // The hold lasts: a second later both still hold.
    step(1.0f);
    EXPECT_EQ(kVAT_Grab, topType(jors));
    EXPECT_EQ(kVAT_Grabbed, topType(thug));

    float health = thug->getHealth();
    jors->doForwardAttack();
    EXPECT_EQ(kVAT_GrabThrowForward, topType(jors));
    EXPECT_TRUE(jors->isActionTypeOf(kVAT_Grab, true));  // the grab waits beneath the throw
    ASSERT_TRUE(stepUntil(1.0f, [&] { return thug->getHealth() < health; }));
    EXPECT_FLOAT_EQ(health - 20.0f, thug->getHealth());
    EXPECT_EQ(kVAT_Thrown, topType(thug));
    EXPECT_EQ(1, recorder.grabbedFinished);
    EXPECT_FALSE(jors->isActionTypeOf(kVAT_Grab, true));  // the victim's release ended the grab
    EXPECT_EQ(nullptr, jors->getAnimate()->getLinkedAnimate());
    EXPECT_EQ(nullptr, thug->getAnimate()->getLinkedAnimate());

    ASSERT_TRUE(stepUntil(4.0f, [&] { return topType(thug) == kVAT_Idle && topType(jors) == kVAT_Idle; }));
}

TEST_F(CombatTest, GrabNeedsAWalkerFacingTheVictimAtItsDepth)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 95.0f, 56.0f, kFacingDir_Right);
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 50.0f, kFacingDir_Left);
    ASSERT_TRUE(thug->doAction(kVAT_Stunned, false));
    jors->setMovement(CCPoint(1.0f, 0.0f));
    step(0.5f);
    EXPECT_FALSE(jors->isActionTypeOf(kVAT_Grab, true));  // 6 units deeper
    EXPECT_FALSE(thug->isActionTypeOf(kVAT_Grabbed, true));
}

TEST_F(CombatTest, HealthRegeneratesUpToTheMaximum)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    jors->getDesc()->setHealthRegen(10.0f);
    float max = jors->getDesc()->getHealth(kCharacter_Player);
    jors->setHealth(max - 15.0f);
    step(1.0f);
    EXPECT_NEAR(max - 5.0f, jors->getHealth(), 0.05f);
    step(1.0f);
    EXPECT_FLOAT_EQ(max, jors->getHealth());

    jors->setHealth(max - 15.0f);
    jors->setHealthRegenActive(false);
    step(0.5f);
    EXPECT_FLOAT_EQ(max - 15.0f, jors->getHealth());
    jors->setHealthRegenActive(true);
    ASSERT_TRUE(jors->doTakeDamage(1.0f, CCPoint(0, 0), CCPoint(1.0f, 0.0f), kVornAttackType_KO, false));
    step(0.2f);
    EXPECT_TRUE(jors->isFallingOrFloored());
    EXPECT_FLOAT_EQ(max - 16.0f, jors->getHealth());  // none while down
}

TEST_F(CombatTest, BufferedRequestsWaitTheirTurnAndExpire)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    jors->doLightAttack();
    jors->doLightAttack();  // refused by the running jab: buffered
    EXPECT_EQ(1u, jors->getPendingActions().size());
    EXPECT_FALSE(jors->doAction(kVAT_HeavyAttack, true));  // behind the older request
    EXPECT_EQ(2u, jors->getPendingActions().size());
    step(0.25f);
    EXPECT_TRUE(jors->getPendingActions().empty());  // tried, then dropped at 0.2 s

    jors->applyForce(CCPoint(300.0f, 200.0f));  // facing right: pushed left
    EXPECT_FLOAT_EQ(-300.0f, jors->getVelocity().x);
    EXPECT_FLOAT_EQ(200.0f, jors->getVelocity().y);
}

TEST_F(CombatTest, StunHitsStunAndKnockDownTheStunned)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    ASSERT_TRUE(thug->doTakeDamage(1.0f, CCPoint(0, 0), CCPoint(-5.0f, 0.0f), kVornAttackType_Stun, false));
    EXPECT_EQ(kVAT_Stunned, topType(thug));
    ASSERT_TRUE(thug->doTakeDamage(1.0f, CCPoint(0, 0), CCPoint(-5.0f, 0.0f), kVornAttackType_Normal, false));
    EXPECT_EQ(kVAT_TakeDamage, topType(thug));  // a plain hit on the stunned only hurts

    ASSERT_TRUE(stepUntil(1.0f, [&] { return topType(thug) == kVAT_Idle; }));
    ASSERT_TRUE(thug->doTakeDamage(1.0f, CCPoint(0, 0), CCPoint(-5.0f, 0.0f), kVornAttackType_Stun, false));
    ASSERT_TRUE(thug->doTakeDamage(1.0f, CCPoint(0, 0), CCPoint(-5.0f, 0.0f), kVornAttackType_Stun, false));
    EXPECT_EQ(kVAT_FallBack, topType(thug));
    EXPECT_EQ(kFacingDir_Right, thug->getFacingDir());  // faces the attacker on its right
}

TEST_F(CombatTest, ResettingTheGrabbedLetsTheGrabberGo)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 95.0f, 50.0f, kFacingDir_Right);
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 50.0f, kFacingDir_Left);
    ASSERT_TRUE(walkIntoGrab(jors, thug));

    // Taken out of play and reused: the grabber must not hold nothing for 100 seconds.
    thug->removeFromCollisionManager();
    thug->reset();
    EXPECT_EQ(nullptr, jors->getAnimate()->getLinkedAnimate());
    step(kFrame);
    EXPECT_EQ(kVAT_Idle, topType(jors));
}

TEST_F(CombatTest, DestroyingTheGrabbedLetsTheGrabberGo)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 95.0f, 50.0f, kFacingDir_Right);
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 50.0f, kFacingDir_Left);
    ASSERT_TRUE(walkIntoGrab(jors, thug));

    m_actors.erase(std::find(m_actors.begin(), m_actors.end(), thug));
    thug->removeFromCollisionManager();
    thug->release();  // gone for good while linked
    EXPECT_EQ(nullptr, jors->getAnimate()->getLinkedAnimate());
    jors->doForwardAttack();  // no longer a throw: nothing to throw
    step(1.0f);
    EXPECT_EQ(kVAT_Idle, topType(jors));
}

// How forgiving the grab is, as a player meets it: the kick dazes the thug in line, then the
// fighter stands off in depth, waits, and walks in. The daze lasts 1.6 s from the kick's blow.
TEST_F(CombatTest, TheGrabForgivesADepthOffsetAndALateWalkIn)
{
    const struct
    {
        float depthOffset;  ///< units deeper than the dazed thug when walking in
        float wait;         ///< seconds from the daze to the first step in
        bool held;
    } cases[] = {
        { 0.0f, 0.0f, true },  { 4.5f, 0.0f, true },  { 0.0f, 1.3f, true },
        { 4.5f, 1.3f, true },  { 5.5f, 0.0f, false }, { 0.0f, 1.7f, false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.depthOffset << " deeper, " << c.wait << " s after the daze");
        CCScopedAutoreleasePool pool;
        TestActor* jors = spawn("jors.plist", kCollisionList_Player, 95.0f, 50.0f, kFacingDir_Right);
        TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 108.0f, 50.0f, kFacingDir_Left);
        jors->doForwardAttack();
        ASSERT_TRUE(stepUntil(1.0f, [&] { return topType(thug) == kVAT_Stunned; }));
        jors->setBasePosition(jors->getBasePosition() + CCPoint(0.0f, c.depthOffset));
        step(c.wait);
        jors->setMovement(CCPoint(1.0f, 0.0f));
        EXPECT_EQ(c.held, stepUntil(1.0f, [&] { return topType(jors) == kVAT_Grab; }));
        jors->setMovement(CCPoint(0.0f, 0.0f));
        releaseFighters();
    }
}

// The arena's throw task counts a throw when the throw, on top, completes a loop: every fighter
// who can throw does so, ahead and behind.
TEST_F(CombatTest, EveryThrowOfEveryFighterLoopsOnTopAsItEnds)
{
    for (const char* fighter : { "jors.plist", "kira.plist", "street-thug.plist", "heavy.plist", "kicker.plist" })
    {
        for (bool ahead : { true, false })
        {
            SCOPED_TRACE(testing::Message() << fighter << (ahead ? " throwing ahead" : " throwing behind"));
            CCScopedAutoreleasePool pool;
            TestActor* thrower = spawn(fighter, kCollisionList_Player, 95.0f, 50.0f, kFacingDir_Right);
            TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 50.0f, kFacingDir_Left);
            ASSERT_TRUE(walkIntoGrab(thrower, thug));
            Recorder recorder;
            thrower->getAnimate()->getActionLoopedSignal().connect(&recorder, &Recorder::onLooped);
            if (ahead)
            {
                thrower->doForwardAttack();
            }
            else
            {
                thrower->doReverseAttack();
            }
            step(1.0f);
            thrower->getAnimate()->getActionLoopedSignal().disconnect(&recorder, &Recorder::onLooped);
            const int throwType = ahead ? kVAT_GrabThrowForward : kVAT_GrabThrowBack;
            EXPECT_EQ(1, std::count(recorder.looped.begin(), recorder.looped.end(), throwType));
            releaseFighters();
        }
    }
}
