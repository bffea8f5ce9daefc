#include "ActionStackItem.h"
#include "CombatTestSupport.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornAnimate.h"
#include "VornEventDesc.h"
#include "VornEventDesc_Delay.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

#include <functional>

USING_NS_CC;

namespace
{
class DeathClock
{
public:
    void onDied(VornActor*) { diedAt = frame; }
    int frame = 0;
    int diedAt = -1;
};
} // namespace

TEST_F(CombatTest, ADeadFighterTakesNoRequestAndDiesOnTime)
{
    CCScopedAutoreleasePool pool;
    // Two fighters killed in the same frame; one of them has every button mashed while down.
    TestActor* mashed = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    TestActor* still = spawn("jors.plist", kCollisionList_Player, 300.0f, 50.0f, kFacingDir_Right);
    DeathClock mashedClock, stillClock;
    mashed->getDiedSignal().connect(&mashedClock, &DeathClock::onDied);
    still->getDiedSignal().connect(&stillClock, &DeathClock::onDied);
    for (TestActor* actor : {mashed, still})
    {
        actor->setHealth(5.0f);
        ASSERT_TRUE(actor->doTakeDamage(5.0f, CCPoint(0, 0), CCPoint(-3.0f, 0.0f), kVornAttackType_Normal, false));
    }

    for (int frame = 0; frame < 6 * 60 && (mashedClock.diedAt < 0 || stillClock.diedAt < 0); ++frame)
    {
        mashedClock.frame = stillClock.frame = frame;
        mashed->doForwardAttack();
        mashed->doLightAttack();
        mashed->doReverseAttack();
        mashed->doJump();
        mashed->doGroundAttack();
        EXPECT_FALSE(mashed->doActionByName("ForwardAttack"));
        EXPECT_TRUE(mashed->getPendingActions().empty());
        step(kFrame);
    }
    ASSERT_GE(stillClock.diedAt, 0);
    EXPECT_EQ(stillClock.diedAt, mashedClock.diedAt);
    EXPECT_EQ(kVAT_Floored, topType(mashed));
    EXPECT_TRUE(mashed->isVisible());
    EXPECT_FLOAT_EQ(still->getBasePosition().y, mashed->getBasePosition().y);
    mashed->getDiedSignal().disconnect(&mashedClock, &DeathClock::onDied);
    still->getDiedSignal().disconnect(&stillClock, &DeathClock::onDied);
}

TEST_F(CombatTest, AKickWaitsOutEveryReactionButCutsIntoOrdinaryActions)
{
    CCScopedAutoreleasePool pool;
    const int kReactions[] = {kVAT_TakeDamage, kVAT_Stunned,  kVAT_FallForward,   kVAT_FallBack, kVAT_Floored,
                              kVAT_FlooredTakeDamage, kVAT_Grabbed, kVAT_GrabbedImpact, kVAT_Thrown,   kVAT_ThrownBack};
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 300.0f, 50.0f, kFacingDir_Left);
    for (TestActor* actor : {jors, thug})
    {
        for (int type : kReactions)
        {
            actor->reset();
            ASSERT_TRUE(actor->getAnimate()->addActionToStack(actor->getNextAction(type))) << type;
            step(kFrame);
            ASSERT_EQ(type, topType(actor));
            actor->doForwardAttack();
            EXPECT_EQ(type, topType(actor)) << actor->getDesc()->getName() << " " << type;
            EXPECT_FALSE(actor->doActionByName("ForwardAttack")) << type;
            EXPECT_EQ(type, topType(actor)) << actor->getDesc()->getName() << " " << type;
        }

        // Idle, a walk and another attack give way to the kick; the kick does not cut into itself:
        // pressed again, it plays on and the next one waits its turn.
        actor->reset();
        actor->doForwardAttack();
        EXPECT_EQ(kVAT_ForwardAttack, topType(actor));
        step(0.1f);
        ActionStackItem* kick = actor->getAnimate()->getTopItem();
        const float elapsed = kick->getElapsed();
        EXPECT_GT(elapsed, 0.05f);
        actor->doForwardAttack();
        EXPECT_FLOAT_EQ(elapsed, kick->getElapsed());
        EXPECT_EQ(1u, actor->getPendingActions().size());
        actor->reset();
        actor->setMovement(CCPoint(1.0f, 0.0f));
        ASSERT_TRUE(stepUntil(0.5f, [&] { return topType(actor) == kVAT_Walk; }));
        actor->doForwardAttack();
        EXPECT_EQ(kVAT_ForwardAttack, topType(actor));
        actor->setMovement(CCPoint(0.0f, 0.0f));
        actor->reset();
        actor->doLightAttack();
        actor->doForwardAttack();
        EXPECT_EQ(kVAT_ForwardAttack, topType(actor));
    }
}

// A fighter who kicks as fast as the keys allow is open to blows between his kicks: with his
// back to a thug swinging at him (so his kicks never stop the thug), the thug's blows land at
// least half as often as on a fighter who stands still.
TEST_F(CombatTest, AFighterWhoKeepsKickingIsOpenToBlowsBetweenKicks)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Left);
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 112.0f, 50.0f, kFacingDir_Left);
    auto blowsLanded = [&](bool kicking) {
        jors->reset();
        thug->reset();
        jors->setHealth(1.0e6f);
        int landed = 0;
        int swings = 0;
        float nextSwing = 0.3f;
        float health = jors->getHealth();
        for (float t = 0.0f; t < 10.0f; t += kFrame)
        {
            // Held in place: the blows' push-back would carry him out of reach.
            jors->setBasePosition(CCPoint(100.0f, 50.0f));
            thug->setBasePosition(CCPoint(112.0f, 50.0f));
            for (TestActor* actor : {jors, thug})
            {
                actor->setFacingDir(kFacingDir_Left);
                actor->setNextFacingDir(kFacingDir_Left);
            }
            if (kicking)
            {
                jors->doForwardAttack();
            }
            // Swings at uneven gaps, so they meet every moment of the kick.
            if (t >= nextSwing && topType(thug) == kVAT_Idle && thug->doAction(kVAT_LightAttack, false))
            {
                ++swings;
                nextSwing = t + 0.45f + 0.07f * (float)(swings % 5);
            }
            step(kFrame);
            landed += jors->getHealth() < health ? 1 : 0;
            health = jors->getHealth();
        }
        EXPECT_GE(swings, 12) << (kicking ? "kicking" : "standing");
        return landed;
    };
    const int standing = blowsLanded(false);
    const int kicking = blowsLanded(true);
    EXPECT_GE(standing, 10);
    EXPECT_GE(kicking * 2, standing) << "kicking " << kicking << ", standing " << standing;
}

namespace
{
/** An event that runs a piece of the test when its action's time comes. */
class CallbackEvent : public VornEventDesc
{
public:
    static CallbackEvent* create(float time, std::function<void(VornActor*)> call)
    {
        CallbackEvent* event = new CallbackEvent();
        event->setTime(time);
        event->m_call = call;
        event->autorelease();
        return event;
    }
    virtual void fire(VornActionDesc*, VornActor* actor) { m_call(actor); }

private:
    std::function<void(VornActor*)> m_call;
};

/** A one-frame action of the given stack rules, with its events. */
VornActionDesc* fixtureAction(VornActor* actor, int priority, int stackMode, std::initializer_list<VornEventDesc*> events)
{
    VornActionDesc* action = new VornActionDesc();
    action->autorelease();
    action->setType(kVAT_Default);
    action->setFrames(CCArray::createWithObject(actor->getAction()->getFrames()->objectAtIndex(0)));
    action->setDuration(1.0f);
    action->setPriority(priority);
    action->setStackMode(stackMode);
    CCArray* list = CCArray::create();
    for (VornEventDesc* event : events)
    {
        list->addObject(event);
    }
    action->setEvents(list);
    return action;
}
} // namespace

TEST_F(CombatTest, AnItemRecycledDuringTheWalkWaitsForTheNextFrame)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    VornAnimate* animate = thug->getAnimate();
    int runs = 0;
    // Kept running beneath whatever comes after it; counts its updates.
    VornActionDesc* counted = fixtureAction(thug, 4, 2, {CallbackEvent::create(-1.0f, [&](VornActor*) { ++runs; })});
    // Above Idle; at its start it lets Idle go and pushes the counted action, which takes Idle's item.
    ActionStackItem* idleItem = animate->getTopItem();
    VornActionDesc* recycler = fixtureAction(thug, 3, 1, {CallbackEvent::create(0.0f, [&](VornActor*) {
        animate->removeItem(idleItem, false);
        animate->addActionToStack(counted);
    })});
    ASSERT_TRUE(animate->addActionToStack(recycler));
    step(kFrame);
    ASSERT_EQ(counted, animate->getTopAction());
    ASSERT_EQ(idleItem, animate->getTopItem());  // the same item, playing the new action
    EXPECT_EQ(0, runs);
    EXPECT_FLOAT_EQ(0.0f, idleItem->getElapsed());
    step(kFrame);
    EXPECT_EQ(1, runs);
    EXPECT_FLOAT_EQ(kFrame, idleItem->getElapsed());
}

namespace
{
CCDictionary* dictOf(std::initializer_list<std::pair<const char*, CCObject*>> entries)
{
    CCDictionary* dict = CCDictionary::create();
    for (const auto& entry : entries)
    {
        dict->setObject(entry.second, entry.first);
    }
    return dict;
}

CCString* text(const char* value)
{
    return CCString::create(value);
}

/** An action read from its property-list form, owned by the actor's descriptor. */
VornActionDesc* readAction(VornActor* actor, const char* name, CCDictionary* dict)
{
    CCArray* frames = CCArray::create();
    for (int i = 0; i < 8; ++i)
    {
        frames->addObject(text("jors_idle_00"));
    }
    dict->setObject(frames, "Frames");
    VornActionDesc* action = new VornActionDesc();
    action->autorelease();
    EXPECT_TRUE(action->initWithDictionary(dict, actor->getDesc(), name)) << name;
    return action;
}
} // namespace

TEST_F(CombatTest, TimingsThatWouldStopTheClockAreMendedOnLoad)
{
    CCScopedAutoreleasePool pool;
    TestActor* jors = spawn("jors.plist", kCollisionList_Player, 100.0f, 50.0f, kFacingDir_Right);
    vorntest::LogCapture log;

    // A delay firing at every update would freeze the action for good: it does not freeze.
    VornActionDesc* freeze = readAction(
        jors, "Freeze",
        dictOf({{"Type", text("LightAttack")},
                {"Duration", text("0.5")},
                {"Events", dictOf({{"hold", dictOf({{"Type", text("Delay")}, {"Time", text("-0.5")}, {"Delay", text("0.2")}})},
                                   {"back", dictOf({{"Type", text("Delay")}, {"Time", text("0.5")}, {"Delay", text("-2")}})}})}}));
    CCObject* event = NULL;
    CCARRAY_FOREACH(freeze->getEvents(), event)
    {
        EXPECT_FLOAT_EQ(0.0f, static_cast<VornEventDesc_Delay*>(event)->getDelay());
    }
    ASSERT_TRUE(jors->getAnimate()->addActionToStack(freeze));
    EXPECT_TRUE(stepUntil(1.0f, [&] { return topType(jors) == kVAT_Idle; }));

    // A loop that would start after it ends starts at its end frame; time stays inside the action.
    VornActionDesc* loop = readAction(jors, "Loop",
                                      dictOf({{"Type", text("Floored")},
                                              {"Duration", text("0.8")},
                                              {"LoopCount", text("-1")},
                                              {"LoopStart", text("9")},
                                              {"LoopEnd", text("5")}}));
    EXPECT_EQ(5, loop->getLoopStart());
    ASSERT_TRUE(jors->getAnimate()->addActionToStack(loop));
    for (int frame = 0; frame < 120; ++frame)
    {
        step(kFrame);
        ASSERT_LE(jors->getAnimate()->getTopItem()->getElapsed(), 0.8f) << frame;
    }
    VornActionDesc* early = readAction(jors, "Early", dictOf({{"Duration", text("0.8")}, {"LoopStart", text("-4")}}));
    EXPECT_EQ(0, early->getLoopStart());

    // A negative length is no length.
    VornActionDesc* backwards = readAction(jors, "Backwards", dictOf({{"Duration", text("-0.5")}}));
    EXPECT_FLOAT_EQ(0.0f, backwards->getDuration());

    // Each mended action is named once, with its character.
    for (const char* name : {"Freeze", "Loop", "Early", "Backwards"})
    {
        int lines = 0;
        for (const std::string& line : log.lines())
        {
            lines += line.find(std::string("'") + name + "'") != std::string::npos ? 1 : 0;
        }
        EXPECT_EQ(1, lines) << name;
    }
    EXPECT_TRUE(log.contains("jors"));
}

TEST_F(CombatTest, EventsFireOnBothEdgesOfTheirWindowAndOnlyNegativeOnesWhileFrozen)
{
    CCScopedAutoreleasePool pool;
    TestActor* thug = spawn("street-thug.plist", kCollisionList_Enemy, 100.0f, 50.0f, kFacingDir_Left);
    int atStart = 0, atHalf = 0, atEnd = 0, always = 0;
    VornActionDesc* action = fixtureAction(thug, 3, 1,
                                           {CallbackEvent::create(0.0f, [&](VornActor*) { ++atStart; }),
                                            CallbackEvent::create(0.5f, [&](VornActor*) { ++atHalf; }),
                                            CallbackEvent::create(1.0f, [&](VornActor*) { ++atEnd; }),
                                            CallbackEvent::create(-1.0f, [&](VornActor*) { ++always; })});
    // Two frames: a first pass over frame 0 (0 to 0.5 s), then the last pass over both (0 to 1 s).
    CCSpriteFrame* frame = static_cast<CCSpriteFrame*>(action->getFrames()->objectAtIndex(0));
    action->setFrames(CCArray::create(frame, frame, NULL));
    action->setLoopCount(1);
    action->setLoopEnd(0);
    ActionStackItem* item = new ActionStackItem();
    item->autorelease();
    ASSERT_TRUE(item->initWithAction(action));

    const struct
    {
        int start, half, end, always;
    } kAfter[] = {
        {1, 0, 0, 1},  // 0.25 s: the start, inclusive
        {2, 1, 0, 3},  // 0.5 s: the first pass's end, then the wrap to 0 fires the start again
        {3, 1, 0, 4},  // 0.25 s into the last pass: the start is the window's lower edge again
        {3, 2, 0, 5},  // 0.5 s
        {3, 3, 0, 6},  // 0.75 s: a time met exactly is the lower edge of the next window too
        {3, 3, 1, 7},  // 1.0 s: the end, inclusive; the action finishes
    };
    for (const auto& after : kAfter)
    {
        item->update(thug, true, 0.25f);
        EXPECT_EQ(after.start, atStart) << item->getElapsed();
        EXPECT_EQ(after.half, atHalf) << item->getElapsed();
        EXPECT_EQ(after.end, atEnd) << item->getElapsed();
        EXPECT_EQ(after.always, always) << item->getElapsed();
    }
    EXPECT_TRUE(item->getFinished());

    // Frozen just past its start, the item fires only its every-update event, and its time waits.
    ASSERT_TRUE(item->initWithAction(action));
    item->update(thug, true, 0.1f);
    atStart = atHalf = atEnd = always = 0;
    item->setDelay(0.2f);
    item->update(thug, true, 0.1f);
    item->update(thug, true, 0.1f);
    EXPECT_FLOAT_EQ(0.1f, item->getElapsed());
    EXPECT_EQ(0, atStart + atHalf + atEnd);
    EXPECT_EQ(2, always);
    item->update(thug, true, 0.1f);
    EXPECT_FLOAT_EQ(0.2f, item->getElapsed());
}
