#ifndef __PLAYER_TEST_SUPPORT_H__
#define __PLAYER_TEST_SUPPORT_H__

#include "InputHandler_Keyboard.h"
#include "VornActor.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "cocos2d.h"

#include <gtest/gtest.h>
#include <vector>

/** An enemy-side fighter for the player to hit. */
class TestEnemy : public cocos2d::VornActor
{
public:
    virtual int getCharacterType() { return cocos2d::kCharacter_Enemy; }
};

/**
 * A built game world (the real boot step, so the real player, input and camera), running and
 * unpaused, with the first frame after a level start pending. frame() runs the game's tick with a
 * fixed time step; keys go through the keyboard handler.
 */
class PlayerTest : public ::testing::Test
{
protected:
    static constexpr float kFrame = 1.0f / 60.0f;

    void SetUp() override;
    void TearDown() override;

    void frames(int count);
    void step(float seconds);
    template <typename Predicate>
    bool stepUntil(float seconds, Predicate done)
    {
        for (float t = 0.0f; t < seconds; t += kFrame)
        {
            if (done())
            {
                return true;
            }
            frames(1);
        }
        return done();
    }
    /** Down for two frames, then up for two (the handler delivers on the next update). */
    void tap(int key);
    /** street-thug in play at the base position. */
    TestEnemy* spawnEnemy(float x, float y, int facing);
    /** Loads the street stage as the game's backdrop. */
    cocos2d::VornBackdrop* loadStage();
    static int topType(cocos2d::VornActor* actor);

    cocos2d::CCScopedAutoreleasePool m_pool;
    cocos2d::VornGameManager* m_game = nullptr;
    cocos2d::VornPlayer* m_player = nullptr;
    cocos2d::InputHandler_Keyboard* m_keyboard = nullptr;
    std::vector<TestEnemy*> m_enemies;
};

#endif
