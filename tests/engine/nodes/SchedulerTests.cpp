#include "NodeTestSupport.h"

#include <string>

USING_NS_CC;

namespace
{
// Records the order of calls across targets in a shared log.
class Worker : public CCNode
{
public:
    static Worker* create(std::string* log, const char* name)
    {
        Worker* w = new Worker();
        w->init();
        w->m_log = log;
        w->m_name = name;
        w->autorelease();
        return w;
    }
    virtual void update(float) { *m_log += m_name + "u "; if (other) other->unscheduleUpdate(); }
    void once(float)
    {
        *m_log += m_name + "o ";
        unschedule(schedule_selector(Worker::once));
        schedule(schedule_selector(Worker::later));
    }
    void later(float) { *m_log += m_name + "l "; }
    void counted(float) { ++count; }

    std::string* m_log = NULL;
    std::string m_name;
    Worker* other = NULL;
    int count = 0;
};
} // namespace

class SchedulerTest : public EngineTest
{
};

TEST_F(SchedulerTest, UnschedulingInsideAnUpdateTakesEffectAtOnce)
{
    CCScene* scene = runScene();
    std::string log;
    Worker* a = Worker::create(&log, "a");
    Worker* b = Worker::create(&log, "b");
    scene->addChild(a);
    scene->addChild(b);
    a->scheduleUpdate();
    b->scheduleUpdate();
    a->other = b;   // a removes b's update before b's turn
    stepFrames(2);
    EXPECT_EQ("au au ", log);
}

TEST_F(SchedulerTest, ASelectorCanSwapItselfForAnother)
{
    CCScene* scene = runScene();
    std::string log;
    Worker* a = Worker::create(&log, "a");
    scene->addChild(a);
    a->schedule(schedule_selector(Worker::once));
    // Frame 1 starts the clock; frame 2 runs "once", whose new "later" starts its clock in that
    // same pass and runs from frame 3 on.
    stepFrames(5);
    EXPECT_EQ("ao al al al ", log);
    EXPECT_FALSE(a->isScheduled(schedule_selector(Worker::once)));
    a->unscheduleAllSelectors();
}

TEST_F(SchedulerTest, UpdatePrioritiesRunLowestFirst)
{
    CCScene* scene = runScene();
    std::string log;
    Worker* late = Worker::create(&log, "late");
    Worker* early = Worker::create(&log, "early");
    scene->addChild(late);
    scene->addChild(early);
    late->scheduleUpdateWithPriority(5);
    early->scheduleUpdateWithPriority(-5);
    stepFrames(1);
    EXPECT_EQ("earlyu lateu ", log);
    late->unscheduleUpdate();
    early->unscheduleUpdate();
}

TEST_F(SchedulerTest, PausingOneTargetLeavesOthersRunning)
{
    CCScene* scene = runScene();
    std::string log;
    Worker* a = Worker::create(&log, "a");
    Worker* b = Worker::create(&log, "b");
    scene->addChild(a);
    scene->addChild(b);
    a->schedule(schedule_selector(Worker::counted));
    b->schedule(schedule_selector(Worker::counted));
    a->runAction(CCMoveBy::create(1.0f, ccp(60, 0)));
    stepFrames(3);
    a->pauseSchedulerAndActions();
    const float frozenX = a->getPositionX();
    const int frozenCount = a->count;
    stepFrames(10);
    EXPECT_EQ(frozenCount, a->count);
    EXPECT_EQ(frozenX, a->getPositionX());
    EXPECT_EQ(frozenCount + 10, b->count);
    a->resumeSchedulerAndActions();
    stepFrames(2);
    EXPECT_EQ(frozenCount + 2, a->count);
    EXPECT_GT(a->getPositionX(), frozenX);
}

TEST_F(SchedulerTest, IntervalRepeatAndDelay)
{
    CCScene* scene = runScene();
    std::string log;
    Worker* a = Worker::create(&log, "a");
    scene->addChild(a);
    // Every 0.25 s, three runs in all (repeat 2), after a 0.5 s delay.
    a->schedule(schedule_selector(Worker::counted), 0.25f, 2, 0.5f);
    stepFrames(1, 0.25f);   // clock starts
    stepFrames(1, 0.25f);
    EXPECT_EQ(0, a->count);
    stepFrames(1, 0.25f);   // 0.5 s: the delay has passed
    EXPECT_EQ(1, a->count);
    stepFrames(10, 0.25f);
    EXPECT_EQ(3, a->count);
    EXPECT_FALSE(a->isScheduled(schedule_selector(Worker::counted)));
}
