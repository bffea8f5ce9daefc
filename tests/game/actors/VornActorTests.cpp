#include "ActionStackItem.h"
#include "CollisionList.h"
#include "CollisionManager.h"
#include "CombatTestSupport.h"
#include "HealthChangeLabel.h"
#include "VornActionDesc.h"
#include "VornActorComponent.h"
#include "VornActorDesc.h"
#include "VornAnimate.h"
#include "VornEventDesc_Delay.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

#include <cmath>
#include <string>
#include <vector>

USING_NS_CC;

namespace
{
class LandedCounter
{
public:
    void onLanded() { ++landings; }
    int landings = 0;
};
} // namespace

TEST_F(CombatTest, ActorJoinsItsListAndTheActorNodeAndLeaves)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    CollisionList* players = m_game->getCollisionManager()->getCollisionList(kCollisionList_Player);
    ASSERT_NE(nullptr, jors->getComponent());
    EXPECT_TRUE(players->containsObject(jors->getComponent()));
    EXPECT_EQ(m_game->getActorNode(), jors->getParent());
    EXPECT_EQ(jors->getComponent(), jors->getUserData());

    // The component speaks for the feet: a correction while airborne keeps the height.
    jors->setHeight(10.0f);
    EXPECT_FLOAT_EQ(60.0f, jors->getPositionY());
    jors->getComponent()->setPosition(CCPoint(90.0f, 40.0f));
    EXPECT_FLOAT_EQ(40.0f, jors->getBasePosition().y);
    EXPECT_FLOAT_EQ(50.0f, jors->getPositionY());
    jors->setHeight(-5.0f);  // never below the ground
    EXPECT_FLOAT_EQ(0.0f, jors->getHeight());
    EXPECT_FLOAT_EQ(40.0f, jors->getPositionY());

    jors->removeFromCollisionManager();
    EXPECT_FALSE(players->containsObject(jors->getComponent()));
    EXPECT_EQ(nullptr, jors->getParent());

    // An actor of no list gets no component.
    TestActor* loose = TestActor::create(m_game->actorDescWithFile("jors.plist"), 0, kCharacter_Player);
    EXPECT_EQ(nullptr, loose->getComponent());
    loose->release();
}

TEST_F(CombatTest, ActorShowsIdlesWalksAndTurns)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    VornActorDesc* desc = jors->getDesc();
    EXPECT_EQ(kVAT_Idle, topType(jors));
    EXPECT_FLOAT_EQ(desc->getHealth(kCharacter_Player), jors->getHealth());
    EXPECT_FLOAT_EQ(1.0f, jors->getHealthValue());
    ASSERT_NE(nullptr, jors->displayFrame());
    EXPECT_TRUE(jors->isFrameDisplayed(
        static_cast<CCSpriteFrame*>(jors->getAction()->getFrames()->objectAtIndex(0))));
    EXPECT_NE(nullptr, jors->getShadow());
    EXPECT_EQ(nullptr, jors->getNextAction(kVAT_Default));

    // Pushing the stick walks at the character's speed; letting go returns to a fresh Idle.
    jors->setMovement(CCPoint(1.0f, 0.0f));
    step(0.5f);
    EXPECT_EQ(kVAT_Walk, topType(jors));
    EXPECT_EQ(2u, jors->getAnimate()->getStack()->count());  // Idle waits beneath
    EXPECT_NEAR(100.0f + jors->getSpeed() * 0.5f, jors->getBasePosition().x, 0.5f);
    jors->setMovement(CCPoint(0.0f, 0.0f));
    step(kFrame);
    EXPECT_EQ(kVAT_Idle, topType(jors));
    EXPECT_EQ(1u, jors->getAnimate()->getStack()->count());

    // A wanted turn waits for Idle or Walk; facing left is a negative x scale.
    jors->setNextFacingDir(kFacingDir_Left);
    ASSERT_TRUE(jors->doAction(kVAT_HeavyAttack, true));
    step(kFrame);
    EXPECT_EQ(kFacingDir_Right, jors->getFacingDir());
    ASSERT_TRUE(stepUntil(2.0f, [&] { return topType(jors) == kVAT_Idle; }));
    step(kFrame);
    EXPECT_EQ(kFacingDir_Left, jors->getFacingDir());
    EXPECT_LT(jors->getScaleX(), 0.0f);
}

TEST_F(CombatTest, ActorJumpsFallsWithGravityAndLands)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    LandedCounter landed;
    jors->getLandedSignal().connect(&landed, &LandedCounter::onLanded);

    jors->setMovement(CCPoint(0.5f, 0.0f));
    jors->doJump();
    EXPECT_EQ(kVAT_Jump, topType(jors));
    EXPECT_FLOAT_EQ(1.2f, jors->getJumpDirection().x);
    float peak = 0.0f;
    ASSERT_TRUE(stepUntil(2.0f, [&] {
        peak = std::max(peak, jors->getHeight());
        return peak > 0.0f && !jors->isInAir();
    }));
    // Up to v^2 / 2g with the impulse of the jump event (mass 1, gravity -360).
    EXPECT_GT(peak, 10.0f);
    EXPECT_LT(peak, 108.0f * 108.0f / 720.0f + 1.0f);
    EXPECT_EQ(1, landed.landings);
    EXPECT_FLOAT_EQ(50.0f, jors->getBasePosition().y);
    EXPECT_GT(jors->getBasePosition().x, 100.0f);  // jumped forwards
    step(kFrame);
    EXPECT_NE(kVAT_Jump, topType(jors));  // landing ended the airborne action
    EXPECT_FALSE(jors->getAnimate()->isActionTypeOf(kVAT_Jump, true));
}

TEST_F(CombatTest, StackRefusesLowerPriorityAndRestartsInPlace)
{
    CCScopedAutoreleasePool pool;
    vorntest::LogCapture log;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    VornAnimate* animate = thug->getAnimate();
    VornActionDesc* light = thug->getNextAction(kVAT_LightAttack);
    VornActionDesc* hurt = thug->getNextAction(kVAT_TakeDamage);
    ASSERT_TRUE(light && hurt);

    EXPECT_TRUE(animate->addActionToStack(light));
    EXPECT_FALSE(animate->addActionToStack(light));  // equal priority, no restart
    EXPECT_TRUE(animate->addActionToStack(hurt));
    EXPECT_EQ(2u, animate->getStack()->count());  // the attack was dropped, Idle kept
    step(0.1f);
    ActionStackItem* item = animate->getTopItem();
    EXPECT_GT(item->getElapsed(), 0.0f);
    EXPECT_TRUE(animate->addActionToStack(hurt));  // restarts where it is
    EXPECT_EQ(item, animate->getTopItem());
    EXPECT_FLOAT_EQ(0.0f, item->getElapsed());

    EXPECT_FALSE(animate->addActionToStack(NULL));
    EXPECT_TRUE(log.contains("addActionToStack: pAction == NULL!"));
    EXPECT_FALSE(thug->doActionByName("NoSuchAction"));
}

TEST_F(CombatTest, LoopedActionPlaysItsPassesThenFinishes)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    // Eight frames, passes 0-0.6, 0.2-0.6, 0.2-0.8 s.
    VornActionDesc* action = new VornActionDesc();
    action->autorelease();
    CCArray* frames = CCArray::create();
    for (int i = 0; i < 8; ++i)
    {
        frames->addObject(thug->getAction()->getFrames()->objectAtIndex(0));
    }
    action->setFrames(frames);
    action->setType(kVAT_Default);
    action->setDuration(0.8f);
    action->setLoopStart(2);
    action->setLoopEnd(5);
    action->setLoopCount(2);
    action->setPriority(3);
    ActionStackItem* item = new ActionStackItem();
    item->autorelease();
    ASSERT_TRUE(item->initWithAction(action));
    EXPECT_FLOAT_EQ(0.6f, item->getWindowEnd());
    std::vector<float> starts;
    for (int i = 0; i < 100 && !item->getFinished(); ++i)
    {
        int loops = item->getLoopsDone();
        item->update(thug, true, 0.05f);
        if (item->getLoopsDone() != loops)
        {
            starts.push_back(item->getWindowStart());
            EXPECT_NEAR(item->getWindowStart(), item->getElapsed(), 0.051f);
        }
    }
    EXPECT_TRUE(item->getFinished());
    ASSERT_EQ(2u, starts.size());
    EXPECT_FLOAT_EQ(0.2f, starts[0]);
    EXPECT_FLOAT_EQ(0.8f, item->getWindowEnd());
}

// What a script sets is mended as a file's values are: a negative duration, loop start or
// freeze would otherwise run the action's clock away or hold it for ever.
TEST_F(CombatTest, NegativeTimingsFromTheSettersAreMendedAsWhenRead)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    enum Setter { kDuration, kLoopStart, kDelay, kDelayEveryUpdate };
    const struct
    {
        Setter setter;
        float value;
        float mended;
    } cases[] = {
        { kDuration, -0.8f, 0.0f },
        { kDuration, NAN, 0.0f },
        { kLoopStart, -3.0f, 0.0f },
        { kDelay, -5.0f, 0.0f },
        { kDelayEveryUpdate, 0.5f, 0.0f },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.setter) + " " + std::to_string(c.value));
        VornActionDesc* action = new VornActionDesc();
        action->autorelease();
        CCArray* frames = CCArray::create();
        for (int i = 0; i < 8; ++i)
        {
            frames->addObject(thug->getAction()->getFrames()->objectAtIndex(0));
        }
        action->setFrames(frames);
        action->setType(kVAT_Default);
        action->setDuration(0.8f);
        action->setLoopEnd(5);
        action->setLoopStart(2);
        action->setLoopCount(1);
        VornEventDesc_Delay* delay = new VornEventDesc_Delay();
        delay->autorelease();
        CCDictionary* entry = CCDictionary::create();
        entry->setObject(CCString::create(c.setter == kDelayEveryUpdate ? "-1" : "0.5"), "Time");
        ASSERT_TRUE(delay->initWithDictionary(entry, "hold", "test"));
        action->setEvents(CCArray::createWithObject(delay));

        vorntest::LogCapture log;
        float value = 0.0f;
        if (c.setter == kDuration)
        {
            action->setDuration(c.value);
            value = action->getDuration();
        }
        else if (c.setter == kLoopStart)
        {
            action->setLoopStart((int)c.value);
            value = (float)action->getLoopStart();
        }
        else
        {
            delay->setDelay(c.value);
            value = delay->getDelay();
        }
        EXPECT_EQ(c.mended, value);
        EXPECT_TRUE(log.contains("taken as 0"));

        // The action plays out: no time running away, no freeze for ever.
        ActionStackItem* item = new ActionStackItem();
        item->autorelease();
        ASSERT_TRUE(item->initWithAction(action));
        for (int i = 0; i < 200 && !item->getFinished(); ++i)
        {
            item->update(thug, true, 0.05f);
            ASSERT_TRUE(std::isfinite(item->getElapsed()));
            ASSERT_LE(item->getElapsed(), 0.8f + 0.05f);
        }
        EXPECT_TRUE(item->getFinished());
    }
}

TEST_F(CombatTest, AHitFloatsItsDamageOverTheTargetThenTheNumberGoesBackToThePool)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 200.0f, 60.0f, kFacingDir_Left);
    thug->m_nKind = kCharacter_Enemy;
    CCObjectPool* labels = thug->getHealthChangeLabels();
    ASSERT_NE(nullptr, labels);
    EXPECT_EQ(5u, labels->getFree()->count());

    ASSERT_TRUE(thug->doTakeDamage(12.4f, CCPoint(), CCPoint(1.0f, 0.0f), kVornAttackType_Normal, true));
    ASSERT_EQ(1u, labels->getUsed()->count());
    HealthChangeLabel* label = static_cast<HealthChangeLabel*>(labels->getUsed()->objectAtIndex(0));
    EXPECT_TRUE(label->isActive());
    EXPECT_STREQ("-12", label->getString());
    EXPECT_EQ(thug->getParent(), label->getParent());
    EXPECT_GT(label->getZOrder(), thug->getZOrder());
    EXPECT_GT(label->getPositionY(), thug->getPositionY());
    EXPECT_EQ(255, label->getOpacity());
    // Added light, as the label was made.
    EXPECT_EQ((GLenum)GL_ONE, label->getBlendFunc().src);
    EXPECT_EQ((GLenum)GL_ONE, label->getBlendFunc().dst);

    // It rises 6 points a second and fades out over two seconds.
    const float startY = label->getPositionY();
    m_game->getGameUpdateSignal().emit(0.5f);
    EXPECT_FLOAT_EQ(startY + 3.0f, label->getPositionY());
    EXPECT_EQ(191, label->getOpacity());
    step(1.6f);
    EXPECT_FALSE(label->isActive());
    EXPECT_EQ(nullptr, label->getParent());
    EXPECT_EQ(0u, labels->getUsed()->count());
    EXPECT_EQ(5u, labels->getFree()->count());
    label->recycle();  // not showing: nothing
    EXPECT_EQ(5u, labels->getFree()->count());

    // Five at once at most (each where the fighter stood when hit); a sixth hit shows nothing
    // rather than failing.
    for (int i = 0; i < 6; ++i)
    {
        thug->setPositionX(thug->getPositionX() + 40.0f);
        thug->doTakeDamage(1.0f, CCPoint(), CCPoint(1.0f, 0.0f), kVornAttackType_Normal, true);
    }
    EXPECT_EQ(5u, labels->getUsed()->count());
    // An actor put away without its descriptor takes its numbers off the stage at once.
    thug->setDesc(NULL);
    EXPECT_EQ(0u, labels->getUsed()->count());
    EXPECT_EQ(5u, labels->getFree()->count());
    CCObject* child = NULL;
    CCARRAY_FOREACH(thug->getParent()->getChildren(), child)
    {
        EXPECT_EQ(nullptr, dynamic_cast<HealthChangeLabel*>(child));
    }
}

// Quick hits on a fighter add up in the number over his head instead of heaping numbers on one
// spot; hits after it has risen clear, or once he has moved away, show their own.
TEST_F(CombatTest, QuickHitsAddUpInTheNumberOverTheHead)
{
    CCScopedAutoreleasePool pool;
    const struct
    {
        const char* name;
        float secondsBetween;
        float moved;
        std::vector<std::string> shown;
    } cases[] = {
        { "at once", 0.0f, 0.0f, { "-7" } },
        { "a moment later", 0.2f, 0.0f, { "-7" } },
        { "moved away", 0.2f, 40.0f, { "-4", "-3" } },
        { "once the first has risen clear", 1.8f, 0.0f, { "-4", "-3" } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 200.0f, 60.0f, kFacingDir_Left);
        thug->m_nKind = kCharacter_Enemy;
        CCObjectPool* labels = thug->getHealthChangeLabels();
        ASSERT_TRUE(thug->doTakeDamage(4.0f, CCPoint(), CCPoint(1.0f, 0.0f), kVornAttackType_Normal, true));
        m_game->getGameUpdateSignal().emit(c.secondsBetween);
        thug->setPositionX(thug->getPositionX() + c.moved);
        ASSERT_TRUE(thug->doTakeDamage(3.0f, CCPoint(), CCPoint(1.0f, 0.0f), kVornAttackType_Normal, true));
        std::vector<std::string> shown;
        CCObject* object = nullptr;
        CCARRAY_FOREACH(labels->getUsed(), object)
        {
            shown.push_back(static_cast<HealthChangeLabel*>(object)->getString());
        }
        EXPECT_EQ(c.shown, shown);
    }
}
