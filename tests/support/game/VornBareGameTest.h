#ifndef __VORN_BARE_GAME_TEST_H__
#define __VORN_BARE_GAME_TEST_H__

#include "VornGameManager.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace vorntest
{
/**
 * Lets go of a game manager a test made (its stage, then the game; game becomes null) and of the
 * shared director, caches and settings store, so the next test starts clean.
 */
void releaseGame(cocos2d::VornGameManager*& game);

/**
 * A running game without a scene or a level: the real resources and setup tables, the collision
 * lists a test names, an actor node, unpaused. step() emits the game-update signal with a fixed
 * frame time. Fighters made by a test are let go in releaseFighters, before the game goes.
 */
class BareGameTest : public ::testing::Test
{
protected:
    static constexpr float kFrame = 1.0f / 60.0f;

    /** The collision lists to make, as (name, id). */
    explicit BareGameTest(std::vector<std::pair<const char*, int>> lists) : m_lists(std::move(lists)) {}

    void SetUp() override;
    void TearDown() override;
    virtual void releaseFighters() {}

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

    cocos2d::VornGameManager* m_game = nullptr;

private:
    std::vector<std::pair<const char*, int>> m_lists;
};
} // namespace vorntest

#endif
