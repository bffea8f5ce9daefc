#include "ActionStackItem.h"
#include "CombatTestSupport.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornAnimate.h"
#include "VornEventDesc_Attack.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

USING_NS_CC;

namespace
{
/** A fighter that counts the attacks it made without reaching anyone. */
class MissCountingActor : public TestActor
{
public:
    static MissCountingActor* create(VornActorDesc* desc)
    {
        MissCountingActor* actor = new MissCountingActor();
        actor->m_nKind = kCharacter_Player;
        actor->setCollisionListId(kCollisionList_Player);
        actor->initWithDesc(desc);
        return actor;  // the caller owns this reference
    }
    virtual void onMissedAttack(VornActionDesc*) { ++misses; }
    int misses = 0;
};

/** The attack events of every action of the type. */
std::vector<VornEventDesc_Attack*> attackEvents(VornActor* actor, int type)
{
    std::vector<VornEventDesc_Attack*> found;
    for (VornActionDesc* action : actor->getDesc()->getActionsForType(type))
    {
        CCObject* object = NULL;
        CCARRAY_FOREACH(action->getEvents(), object)
        {
            if (VornEventDesc_Attack* attack = dynamic_cast<VornEventDesc_Attack*>(object))
            {
                found.push_back(attack);
            }
        }
    }
    return found;
}
} // namespace

TEST_F(CombatTest, AForcedPushClearsAKeptJumpAndAnyOtherLeavesItRunning)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    jors->doJump();
    ASSERT_TRUE(stepUntil(0.5f, [&] { return jors->isInAir(); }));

    // A punch in the air is the jump attack, recorded as the attack made; the jump runs on beneath.
    jors->doLightAttack();
    EXPECT_EQ(kVAT_JumpAttack, topType(jors));
    EXPECT_EQ(jors->getNextAction(kVAT_JumpAttack), jors->getCurrentAttack());
    ASSERT_TRUE(jors->isActionTypeOf(kVAT_Jump, true));
    ActionStackItem* jump = static_cast<ActionStackItem*>(jors->getAnimate()->getStack()->objectAtIndex(1));
    float elapsed = jump->getElapsed();
    step(kFrame);
    EXPECT_GT(jump->getElapsed(), elapsed);
    ASSERT_TRUE(stepUntil(2.0f, [&] { return !jors->isInAir(); }));
    step(kFrame);
    EXPECT_FALSE(jors->isActionTypeOf(kVAT_Jump, true));  // landing ended both
    EXPECT_FALSE(jors->isActionTypeOf(kVAT_JumpAttack, true));

    // A forced fall takes the jump off the stack at once.
    ASSERT_TRUE(stepUntil(1.0f, [&] { return topType(jors) == kVAT_Idle; }));
    jors->doJump();
    ASSERT_EQ(kVAT_Jump, topType(jors));
    ASSERT_TRUE(jors->getAnimate()->addActionToStack(jors->getNextAction(kVAT_FallBack)));
    EXPECT_FALSE(jors->isActionTypeOf(kVAT_Jump, true));
    EXPECT_EQ(2u, jors->getAnimate()->getStack()->count());  // Idle and the fall
}

TEST_F(CombatTest, OnlyAGroundAttackReachesAFighterLyingOnTheFloor)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 110.0f, 50.0f, kFacingDir_Left);
    const float full = thug->getHealth();
    // A punch lands at chest height, above a lying body: for the rule alone to decide, jors punches
    // as low as his stomp reaches.
    const float scale = CCDirector::sharedDirector()->getContentScaleFactor();
    std::vector<VornEventDesc_Attack*> stomps = attackEvents(jors, kVAT_GroundAttack);
    ASSERT_FALSE(stomps.empty());
    CCRect low = stomps[0]->getBounds();
    low = CCRect(low.origin.x * scale, low.origin.y * scale, low.size.width * scale, low.size.height * scale);
    std::vector<std::pair<VornEventDesc_Attack*, CCRect>> punches;
    for (VornEventDesc_Attack* punch : attackEvents(jors, kVAT_LightAttack))
    {
        CCRect kept = punch->getBounds();
        punches.push_back({punch, CCRect(kept.origin.x * scale, kept.origin.y * scale, kept.size.width * scale,
                                         kept.size.height * scale)});
        punch->setBounds(low);
    }
    ASSERT_FALSE(punches.empty());
    const struct
    {
        int lying;   // the thug's top action
        int attack;  // jors's
        bool hurts;
    } kCases[] = {{kVAT_Floored, kVAT_LightAttack, false},
                  {kVAT_Floored, kVAT_GroundAttack, true},
                  {kVAT_FlooredTakeDamage, kVAT_LightAttack, true},
                  {kVAT_FlooredTakeDamage, kVAT_GroundAttack, true}};
    for (const auto& c : kCases)
    {
        thug->reset();
        jors->reset();
        ASSERT_TRUE(thug->getAnimate()->addActionToStack(thug->getNextAction(kVAT_Floored)));
        if (c.lying == kVAT_FlooredTakeDamage)
        {
            ASSERT_TRUE(thug->getAnimate()->addActionToStack(thug->getNextAction(kVAT_FlooredTakeDamage)));
        }
        thug->delayCurrentAction(2.0f);  // lies as it is while the blow comes
        if (c.attack == kVAT_GroundAttack)
        {
            jors->doGroundAttack();
        }
        else
        {
            jors->doLightAttack();
        }
        ASSERT_EQ(c.attack, topType(jors));
        stepUntil(0.5f, [&] { return jors->getCurrentAttackHit(); });
        EXPECT_EQ(c.hurts, thug->getHealth() < full) << c.lying << " " << c.attack;
        EXPECT_EQ(c.hurts, jors->getCurrentAttackHit()) << c.lying << " " << c.attack;
    }
    for (const auto& punch : punches)
    {
        punch.first->setBounds(punch.second);  // the descriptor is shared by the fixture's other tests
    }
}

TEST_F(CombatTest, AnEnemysBlowHurtsAnotherEnemy)
{
    CCScopedAutoreleasePool pool;
    TestActor* swinging = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Right);
    TestActor* struck = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 50.0f, kFacingDir_Left);
    const float full = struck->getHealth();
    swinging->doLightAttack();
    ASSERT_TRUE(stepUntil(0.3f, [&] { return swinging->getCurrentAttackHit(); }));
    EXPECT_LT(struck->getHealth(), full);
    EXPECT_EQ(kVAT_TakeDamage, topType(struck));
    EXPECT_FLOAT_EQ(struck->getDesc()->getHealth(kCharacter_Enemy), swinging->getHealth());  // never itself
}

TEST_F(CombatTest, AnAttackThatReachesNoOneHurtableIsAMissAndNothingElse)
{
    CCScopedAutoreleasePool pool;
    MissCountingActor* jors = MissCountingActor::create(m_game->actorDescWithFile("jors.plist"));
    ASSERT_NE(nullptr, jors);
    m_actors.push_back(jors);
    jors->setBasePosition(CCPoint(100.0f, 50.0f));
    jors->addToCollisionManager();
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 50.0f, kFacingDir_Right);
    const float full = thug->getHealth();

    // In front of a thug (kicking away from jors) whose own kick leaves it open to nothing (the kick cannot be hurt).
    ASSERT_TRUE(thug->doAction(kVAT_ForwardAttack, false));
    ASSERT_FALSE(thug->getAction()->getCanTakeDamage());
    jors->doLightAttack();
    ASSERT_TRUE(stepUntil(0.3f, [&] { return jors->misses > 0; }));
    EXPECT_EQ(1, jors->misses);
    EXPECT_FLOAT_EQ(full, thug->getHealth());
    EXPECT_FALSE(jors->getCurrentAttackHit());
    EXPECT_FLOAT_EQ(0.0f, jors->getAnimate()->getTopItem()->getDelay());  // no hit stop

    // Into thin air: a miss again.
    jors->setFacingDir(kFacingDir_Left);
    jors->setNextFacingDir(kFacingDir_Left);
    ASSERT_TRUE(stepUntil(1.0f, [&] { return topType(jors) == kVAT_Idle; }));
    jors->doLightAttack();
    ASSERT_TRUE(stepUntil(0.3f, [&] { return jors->misses > 1; }));
    EXPECT_FLOAT_EQ(full, thug->getHealth());
}

TEST_F(CombatTest, ABackThrowTurnsTheVictimRoundAtTheThrowersDepth)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 95.0f, 50.0f, kFacingDir_Right);
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 50.0f, kFacingDir_Left);
    ASSERT_TRUE(walkIntoGrab(jors, thug));

    // Held, the thug shows each blow as an impact and stays held.
    const float full = thug->getHealth();
    ASSERT_TRUE(thug->doTakeDamage(1.0f, CCPoint(0, 0), CCPoint(5.0f, 0.0f), kVornAttackType_Normal, false));
    EXPECT_EQ(kVAT_GrabbedImpact, topType(thug));
    EXPECT_TRUE(thug->isActionTypeOf(kVAT_Grabbed, true));
    ASSERT_TRUE(stepUntil(1.0f, [&] { return topType(thug) == kVAT_Grabbed; }));

    jors->doReverseAttack();
    ASSERT_EQ(kVAT_GrabThrowBack, topType(jors));
    ASSERT_TRUE(stepUntil(1.0f, [&] { return thug->getHealth() < full - 1.0f; }));
    EXPECT_FLOAT_EQ(full - 21.0f, thug->getHealth());
    EXPECT_EQ(kVAT_ThrownBack, topType(thug));
    EXPECT_EQ(kFacingDir_Right, thug->getFacingDir());
    EXPECT_FLOAT_EQ(jors->getBasePosition().y - 0.001f, thug->getBasePosition().y);
}

TEST_F(CombatTest, AnUnstoppableActionTakesTheBlowWithoutReacting)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    VornActionDesc* heavy = thug->getNextAction(kVAT_HeavyAttack);
    ASSERT_FALSE(heavy->getIsUnstoppable());
    heavy->setIsUnstoppable(true);
    ASSERT_TRUE(thug->doAction(kVAT_HeavyAttack, false));
    const float full = thug->getHealth();
    EXPECT_TRUE(thug->doTakeDamage(3.0f, CCPoint(0, 0), CCPoint(-5.0f, 0.0f), kVornAttackType_Normal, false));
    EXPECT_TRUE(thug->doTakeDamage(3.0f, CCPoint(0, 0), CCPoint(-5.0f, 0.0f), kVornAttackType_Stun, false));
    EXPECT_EQ(kVAT_HeavyAttack, topType(thug));
    EXPECT_FLOAT_EQ(full - 6.0f, thug->getHealth());
    // A knock-out blow still floors it.
    EXPECT_TRUE(thug->doTakeDamage(3.0f, CCPoint(0, 0), CCPoint(-5.0f, 0.0f), kVornAttackType_KO, false));
    EXPECT_EQ(kVAT_FallBack, topType(thug));
    heavy->setIsUnstoppable(false);
}

TEST_F(CombatTest, KicksWhileWalkingLeaveOneWalkSoAKnockOutStillFloors)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    thug->setMovement(CCPoint(1.0f, 0.0f));
    ASSERT_TRUE(stepUntil(0.5f, [&] { return topType(thug) == kVAT_Walk; }));
    // Each kick is cut short by the walk kept beneath it, which plays on rather than stacking again.
    for (int kick = 0; kick < 8; ++kick)
    {
        thug->doForwardAttack();
        ASSERT_EQ(kVAT_ForwardAttack, topType(thug)) << kick;
        step(kFrame);
        ASSERT_EQ(kVAT_Walk, topType(thug)) << kick;
        EXPECT_EQ(2u, thug->getAnimate()->getStack()->count()) << kick;  // Idle and one walk
    }
    thug->setMovement(CCPoint(0.0f, 0.0f));

    vorntest::LogCapture log;
    thug->doTakeDamage(thug->getHealth(), CCPoint(0, 0), CCPoint(-5.0f, 0.0f), kVornAttackType_Normal, false);
    EXPECT_EQ(kVAT_FallBack, topType(thug));
    EXPECT_FALSE(log.contains("Can't add item"));
}

// A blow pressed while a knee plays over a hold waits for the hold and comes as the grab move it
// stands for. Let through as a plain blow it landed over the hold, and walks and holds piled up
// beneath it until the stack had no room for any move.
TEST_F(CombatTest, ABlowPressedDuringAKneeComesAsAGrabMove)
{
    const struct
    {
        void (VornActor::*press)();
        int expected;
    } cases[] = {
        { &VornActor::doForwardAttack, kVAT_GrabThrowForward },
        { &VornActor::doReverseAttack, kVAT_GrabThrowBack },
        { &VornActor::doHeavyAttack, kVAT_GrabHeavyAttack },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.expected);
        CCScopedAutoreleasePool pool;
        TestActor* jors = spawn("jors.plist", kCollisionList_Player, 95.0f, 50.0f, kFacingDir_Right);
        TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 50.0f, kFacingDir_Left);
        ASSERT_TRUE(walkIntoGrab(jors, thug));
        vorntest::LogCapture log;
        jors->doLightAttack();
        ASSERT_EQ(kVAT_GrabLightAttack, topType(jors));
        step(0.3f);  // near its end, so the press is still waiting when the hold shows again
        (jors->*c.press)();
        EXPECT_EQ(kVAT_GrabLightAttack, topType(jors)) << "the knee plays out";
        EXPECT_TRUE(stepUntil(1.0f, [&] { return topType(jors) == c.expected; }));
        // Walking on through the move piles nothing up.
        jors->setMovement(CCPoint(1.0f, 0.0f));
        step(1.0f);
        jors->setMovement(CCPoint(0.0f, 0.0f));
        EXPECT_LE(jors->getAnimate()->getStack()->count(), 3u);
        EXPECT_FALSE(log.contains("Can't add item"));
        releaseFighters();
    }
}

// A kick cut into a jump as it lands, then the walk pushed again: the walk beneath the jump plays
// on when the jump ends, and no second walk is stacked over it.
TEST_F(CombatTest, AWalkBeneathAJumpIsNotStackedAgain)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 95.0f, 50.0f, kFacingDir_Right);
    VornAnimate* animate = jors->getAnimate();
    VornActionDesc* walk = jors->getNextAction(kVAT_Walk);
    ASSERT_TRUE(animate->addActionToStack(walk));
    ASSERT_TRUE(animate->addActionToStack(jors->getNextAction(kVAT_Jump)));
    ASSERT_TRUE(animate->addActionToStack(jors->getNextAction(kVAT_ForwardAttack)));
    ASSERT_EQ(4u, animate->getStack()->count());  // Idle, the walk, the jump and the kick

    EXPECT_FALSE(animate->addActionToStack(walk));
    EXPECT_EQ(4u, animate->getStack()->count());
    EXPECT_EQ(kVAT_ForwardAttack, topType(jors));
    int walks = 0;
    CCObject* object = NULL;
    CCARRAY_FOREACH(animate->getStack(), object)
    {
        walks += static_cast<ActionStackItem*>(object)->getActionDesc() == walk ? 1 : 0;
    }
    EXPECT_EQ(1, walks);
}
