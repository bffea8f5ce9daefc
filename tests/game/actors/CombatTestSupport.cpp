#include "CombatTestSupport.h"

#include "VornActionDesc.h"
#include "cocos2d.h"

USING_NS_CC;

TestActor* TestActor::create(VornActorDesc* desc, int listId, int kind)
{
    TestActor* actor = new TestActor();
    actor->m_nKind = kind;
    actor->setCollisionListId(listId);
    if (!actor->initWithDesc(desc))
    {
        actor->release();
        return nullptr;
    }
    return actor;  // the caller owns this reference
}

void CombatTest::releaseFighters()
{
    for (TestActor* actor : m_actors)
    {
        actor->removeFromCollisionManager();
        actor->release();
    }
    m_actors.clear();
}

TestActor* CombatTest::spawn(const char* file, int listId, float x, float y, int facing)
{
    VornActorDesc* desc = m_game->actorDescWithFile(file);
    EXPECT_NE(nullptr, desc) << file;
    TestActor* actor = TestActor::create(desc, listId, listId == kCollisionList_Player ? kCharacter_Player : kCharacter_Enemy);
    EXPECT_NE(nullptr, actor);
    actor->setBasePosition(CCPoint(x, y));
    actor->setFacingDir(facing);
    actor->setNextFacingDir(facing);
    actor->addToCollisionManager();
    m_actors.push_back(actor);
    return actor;
}

int CombatTest::topType(VornActor* actor)
{
    VornActionDesc* top = actor->getAction();
    return top ? top->getType() : -1;
}

bool CombatTest::walkIntoGrab(TestActor* grabber, TestActor* victim)
{
    if (!victim->doAction(kVAT_Stunned, false))
    {
        return false;
    }
    grabber->setMovement(CCPoint(1.0f, 0.0f));
    const bool grabbed = stepUntil(1.0f, [&] { return topType(grabber) == kVAT_Grab; });
    grabber->setMovement(CCPoint(0.0f, 0.0f));
    return grabbed;
}
