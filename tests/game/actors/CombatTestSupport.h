#ifndef __COMBAT_TEST_SUPPORT_H__
#define __COMBAT_TEST_SUPPORT_H__

#include "VornActor.h"
#include "VornBareGameTest.h"
#include "VornGameManager.h"

#include <gtest/gtest.h>
#include <vector>

/** A fighter of either side, as the player and the enemies will be. */
class TestActor : public cocos2d::VornActor
{
public:
    static TestActor* create(cocos2d::VornActorDesc* desc, int listId, int kind);
    virtual int getCharacterType() { return m_nKind; }

    int m_nKind = cocos2d::kCharacter_Player;
};

/** A bare game with the player and enemy collision lists. */
class CombatTest : public vorntest::BareGameTest
{
protected:
    CombatTest()
        : BareGameTest({{"player", cocos2d::kCollisionList_Player}, {"enemy", cocos2d::kCollisionList_Enemy}})
    {
    }
    void releaseFighters() override;

    /** jors (player side) or street-thug (enemy side), in play at the base position. */
    TestActor* spawn(const char* file, int listId, float x, float y, int facing);
    static int topType(cocos2d::VornActor* actor);
    /** Dazes the victim and walks the grabber into him until the grab takes; whether it did. */
    bool walkIntoGrab(TestActor* grabber, TestActor* victim);

    std::vector<TestActor*> m_actors;
};

#endif
