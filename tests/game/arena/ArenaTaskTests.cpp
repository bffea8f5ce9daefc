#include "ArenaTaskInstance.h"
#include "ArenaTask_FinishingMove.h"
#include "ArenaTask_ReachCombo.h"
#include "ArenaTask_StunEnemies.h"
#include "ArenaTask_SurviveWithoutHits.h"
#include "ArenaTask_ThrowEnemies.h"
#include "ArenaTestSupport.h"
#include "VornActionDesc.h"
#include "VornActionTypes.h"
#include "VornActorDesc.h"
#include "VornAnimate.h"
#include "VornTestSupport.h"

#include <cstdlib>
#include <string>
#include <vector>

USING_NS_CC;

namespace
{
/** What a slot told its followers, in order: "p<progress>", "completed", "finished". */
class SlotLog
{
public:
    explicit SlotLog(ArenaTaskInstance* slot) : m_slot(slot)
    {
        slot->getProgressSignal().connect(this, &SlotLog::onProgress);
        slot->getCompletedSignal().connect(this, &SlotLog::onCompleted);
        slot->getFinishedSignal().connect(this, &SlotLog::onFinished);
    }
    ~SlotLog()
    {
        m_slot->getProgressSignal().disconnect(this, &SlotLog::onProgress);
        m_slot->getCompletedSignal().disconnect(this, &SlotLog::onCompleted);
        m_slot->getFinishedSignal().disconnect(this, &SlotLog::onFinished);
    }
    void onProgress(ArenaTaskInstance* slot) { events.push_back("p" + std::to_string(slot->getProgress())); }
    void onCompleted(ArenaTaskInstance*) { events.push_back("completed"); }
    void onFinished(ArenaTaskInstance*) { events.push_back("finished"); }
    int count(const std::string& event) const
    {
        int n = 0;
        for (const std::string& e : events)
        {
            n += e == event;
        }
        return n;
    }

    std::vector<std::string> events;

private:
    ArenaTaskInstance* m_slot;
};

class ArenaTasks : public ArenaTest
{
protected:
    void SetUp() override
    {
        ArenaTest::SetUp();
        slot = new ArenaTaskInstance();
        log = new SlotLog(slot);
    }
    void TearDown() override
    {
        delete log;
        slot->setTask(nullptr, nullptr, 0.0f);
        slot->release();
        ArenaTest::TearDown();
    }

    void hit(int actionType, float targetHealth)
    {
        VornActionDesc* action = m_player->getDesc()->getStartAction(actionType);
        ASSERT_NE(nullptr, action);
        m_enemy->setHealth(targetHealth);
        m_player->getAttackHitSignal().emit(action, m_enemy, CCPointZero, 10.0f);
    }

    ArenaTaskInstance* slot = nullptr;
    SlotLog* log = nullptr;
};
} // namespace

TEST_F(ArenaTasks, TargetsFollowTheDifficultyInSinglePrecision)
{
    float eleventh = 0.0f;
    for (int i = 0; i < 10; ++i)
    {
        eleventh += 0.1f;
    }
    const float factors[] = { 0.0f, 0.1f, 0.2f, 0.5f, eleventh };
    struct Row
    {
        ArenaTask* task;
        int targets[5];
    } rows[] = { { ArenaTask_FinishingMove::create(kVAT_JumpAttack), { 2, 3, 4, 7, 12 } },
                 { ArenaTask_ReachCombo::create(), { 5, 11, 17, 35, 65 } },
                 { ArenaTask_StunEnemies::create(), { 2, 4, 6, 12, 22 } },
                 { ArenaTask_SurviveWithoutHits::create(), { 20, 30, 40, 70, 120 } },
                 { ArenaTask_ThrowEnemies::create(), { 1, 2, 3, 6, 11 } } };
    for (const Row& row : rows)
    {
        for (int i = 0; i < 5; ++i)
        {
            EXPECT_EQ(row.targets[i], row.task->calculateTarget(factors[i])) << row.task->getDescription(nullptr) << " f=" << i;
        }
    }
}

TEST_F(ArenaTasks, FinishingMovesCountKnockOutsByTheirMoveOnly)
{
    ArenaTask_FinishingMove* task = ArenaTask_FinishingMove::create(kVAT_JumpAttack);
    task->connectSignals(m_player);
    slot->setTask(task, m_player, 0.0f);
    ASSERT_EQ(2, slot->getTarget());

    hit(kVAT_JumpAttack, 0.0f);
    hit(kVAT_LightAttack, 0.0f);   // a knock-out by a punch
    hit(kVAT_JumpAttack, 5.0f);    // the enemy still stands
    EXPECT_EQ(1, slot->getProgress());
    hit(kVAT_JumpAttack, -3.0f);
    EXPECT_TRUE(slot->isComplete());
    EXPECT_EQ((std::vector<std::string>{ "p1", "p2", "completed", "finished" }), log->events);

    task->disconnectSignals();
    hit(kVAT_JumpAttack, 0.0f);
    EXPECT_EQ(2, slot->getProgress());

    ArenaTask_FinishingMove* backKick = ArenaTask_FinishingMove::create(kVAT_BackAttack);
    slot->setTask(backKick, m_player, 0.0f);
    EXPECT_EQ("Finish off 2 enemies with a Back Kick", slot->getDescription());
    EXPECT_EQ(0u, task->getInstances()->count());
    EXPECT_NE(std::string::npos, ArenaTask_FinishingMove::create(kVAT_Walk)->getDescription(slot).find("with a UNDEFINED"));
}

TEST_F(ArenaTasks, StunsCountTargetsLeftStunnedAndThrowsCountFinishedThrows)
{
    ArenaTask_StunEnemies* stun = ArenaTask_StunEnemies::create();
    EXPECT_TRUE(stun->isEligible(m_player->getDesc()));
    EXPECT_FALSE(stun->isEligible(nullptr));
    stun->connectSignals(m_player);
    slot->setTask(stun, m_player, 0.0f);
    hit(kVAT_ForwardAttack, 10.0f);
    EXPECT_EQ(0, slot->getProgress());
    m_enemy->getAnimate()->addActionToStack(m_enemy->getDesc()->getStartAction(kVAT_Stunned));
    hit(kVAT_ForwardAttack, 10.0f);
    EXPECT_EQ(1, slot->getProgress());
    stun->disconnectSignals();

    ArenaTask_ThrowEnemies* throwTask = ArenaTask_ThrowEnemies::create();
    EXPECT_TRUE(throwTask->isEligible(m_player->getDesc()));
    throwTask->connectSignals(m_player);
    slot->setTask(throwTask, m_player, 0.1f);
    ASSERT_EQ(2, slot->getTarget());
    Signal<VornActionDesc*>& looped = m_player->getAnimate()->getActionLoopedSignal();
    looped.emit(m_player->getDesc()->getStartAction(kVAT_Grab));
    looped.emit(m_player->getDesc()->getStartAction(kVAT_GrabThrowForward));
    looped.emit(m_player->getDesc()->getStartAction(kVAT_GrabThrowBack));
    EXPECT_TRUE(slot->isComplete());
    throwTask->disconnectSignals();
}

TEST_F(ArenaTasks, ComboProgressFollowsTheCountAndStartsOverWhenItBreaks)
{
    ArenaTask_ReachCombo* combo = ArenaTask_ReachCombo::create();
    combo->connectSignals(m_player);
    slot->setTask(combo, m_player, 0.0f);
    for (int count : { 1, 2, 3, 4, 0, 1, 2, 3, 4 })
    {
        m_player->setCombo(count);
    }
    EXPECT_FALSE(slot->isComplete());
    m_player->setCombo(5);
    EXPECT_TRUE(slot->isComplete());

    // Drawn again while the combo runs past its new target: the next hit completes it, once.
    slot->setTask(combo, m_player, 0.0f);
    EXPECT_EQ(1u, combo->getInstances()->count());
    EXPECT_EQ(0, slot->getProgress());
    EXPECT_FALSE(slot->isComplete());
    m_player->setCombo(9);
    m_player->setCombo(10);
    EXPECT_EQ(2, log->count("completed"));
    combo->disconnectSignals();
    m_player->setCombo(0);
    m_player->setCombo(11);
    EXPECT_EQ(10, slot->getProgress());
}

TEST_F(ArenaTasks, SurvivalCountsRunningClockTimeAndDamageRestartsIt)
{
    ArenaTask_SurviveWithoutHits* survive = ArenaTask_SurviveWithoutHits::create();
    survive->connectSignals(m_player);
    slot->setTask(survive, m_player, 0.0f);
    ASSERT_EQ(20, slot->getTarget());

    step(0.5f, 10);  // no match running yet
    EXPECT_EQ(0, slot->getProgress());
    m_arena->setRunning(true);
    const float full = m_player->getHealth();
    step(0.5f, 39);  // 19.5 s
    EXPECT_EQ(19, slot->getProgress());
    m_player->setHealth(full - 1.0f);
    step(0.5f, 1);
    EXPECT_EQ(0, slot->getProgress());
    m_player->setHealth(full);  // regaining health keeps the count
    step(0.5f, 38);
    EXPECT_FALSE(slot->isComplete());
    step(0.5f, 1);
    EXPECT_TRUE(slot->isComplete());
    EXPECT_EQ(1, log->count("completed"));

    // The same task drawn again counts from zero.
    slot->setTask(survive, m_player, 0.1f);
    step(0.5f, 2);
    EXPECT_EQ(1, slot->getProgress());
    m_arena->setRunning(false);
    survive->disconnectSignals();
}

TEST_F(ArenaTasks, AStunTaskIsOfferedWheneverAnyOfTheFightersMovesStuns)
{
    // Jors with two more forward attacks that knock out instead of stunning: one move in three stuns.
    std::string text = vorntest::readFile(vorntest::sourcePath("Resources/jors.plist"));
    const size_t at = text.find("<key>ForwardAttack</key>");
    ASSERT_NE(std::string::npos, at);
    for (const char* name : { "ForwardKnockOut", "ForwardKnockOut2" })
    {
        text.insert(at, std::string("<key>") + name + "</key><dict><key>Duration</key><string>0.4</string><key>Frames</key><array>"
                        "<string>jors_forwardattack_00</string></array><key>Events</key><dict><key>hit</key><dict>"
                        "<key>Type</key><string>Attack</string><key>Time</key><string>0.2</string>"
                        "<key>Bounds</key><string>(5,9) (16,9)</string><key>AttackType</key><string>KO</string>"
                        "</dict></dict></dict>");
    }
    const size_t actions = text.find("<key>Actions</key>");
    ASSERT_NE(std::string::npos, actions);
    text.insert(actions, "<key>ForwardAttack_Array</key><array><string>ForwardKnockOut</string>"
                         "<string>ForwardAttack</string><string>ForwardKnockOut2</string></array>");
    const std::string path = vorntest::makeTempDir("mixed-moves") + "/mixed.plist";
    vorntest::writeFile(path, text);
    VornActorDesc* mixed = new VornActorDesc();
    ASSERT_TRUE(mixed->initWithFile(path.c_str()));
    ASSERT_EQ(3u, mixed->getActionsForType(kVAT_ForwardAttack).size());

    // Whichever move a draw would pick, the task is possible, so it is always offered.
    ArenaTask_StunEnemies* stun = ArenaTask_StunEnemies::create();
    for (unsigned int seed = 1; seed <= 30; ++seed)
    {
        srand(seed);
        EXPECT_TRUE(stun->isEligible(mixed)) << "seed " << seed;
    }
    mixed->release();
}

TEST_F(ArenaTasks, TaskTextsReadRightForOneAndForMany)
{
    struct
    {
        ArenaTask* task;
        int target;
        const char* text;
    } rows[] = {
        { ArenaTask_ThrowEnemies::create(), 1, "Throw 1 enemy" },
        { ArenaTask_ThrowEnemies::create(), 3, "Throw 3 enemies" },
        { ArenaTask_StunEnemies::create(), 1, "Stun 1 enemy" },
        { ArenaTask_StunEnemies::create(), 2, "Stun 2 enemies" },
        { ArenaTask_ReachCombo::create(), 1, "Land a combo of 1 hit" },
        { ArenaTask_ReachCombo::create(), 11, "Land a combo of 11 hits" },
        { ArenaTask_ReachCombo::create(), 8, "Land a combo of 8 hits" },
        { ArenaTask_SurviveWithoutHits::create(), 1, "Survive for 1 second" },
        { ArenaTask_SurviveWithoutHits::create(), 20, "Survive for 20 seconds" },
        { ArenaTask_FinishingMove::create(kVAT_BackAttack), 1, "Finish off 1 enemy with a Back Kick" },
        { ArenaTask_FinishingMove::create(kVAT_BackAttack), 0, "Finish off 0 enemies with a Back Kick" },
    };
    for (const auto& row : rows)
    {
        ASSERT_NE(nullptr, row.task);
        slot->setTarget(row.target);
        EXPECT_EQ(row.text, row.task->getDescription(slot));
    }
}
