#ifndef __COMBAT_TEST_SUPPORT_H__
#define __COMBAT_TEST_SUPPORT_H__

#include "VornActor.h"
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

/**
 * A running game: the real resources and setup tables, the player and enemy collision lists, an
 * actor node, unpaused. step() emits the game-update signal with a fixed frame time.
 */
class CombatTest : public ::testing::Test
{
protected:
    static constexpr float kFrame = 1.0f / 60.0f;

    void SetUp() override;
    void TearDown() override;

    /** jors (player side) or street-thug (enemy side), in play at the base position. */
    TestActor* spawn(const char* file, int listId, float x, float y, int facing);
    void step(float seconds);
    /** Steps frame by frame until the predicate holds or the time runs out; whether it held. */
    template <typename Predicate>
    bool stepUntil(float seconds, Predicate done)
    {
        for (float t = 0.0f; t < seconds; t += kFrame)
        {
            if (done())
            {
                return true;
            }
            m_game->getGameUpdateSignal().emit(kFrame);
        }
        return done();
    }
    static int topType(cocos2d::VornActor* actor);

    cocos2d::VornGameManager* m_game = nullptr;
    std::vector<TestActor*> m_actors;
};

#endif
