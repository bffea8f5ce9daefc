#ifndef __ENEMY_TEST_SUPPORT_H__
#define __ENEMY_TEST_SUPPORT_H__

#include "BotActor.h"
#include "BotManager.h"
#include "VornGameManager.h"
#include "VornScriptEngine.h"

#include <gtest/gtest.h>
#include <string>

/** A player-side fighter for the enemies to go after. */
class TestPlayer : public cocos2d::VornActor
{
public:
    static TestPlayer* create(cocos2d::VornActorDesc* desc);
    virtual int getCharacterType() { return cocos2d::kCharacter_Player; }
};

/**
 * A running game with the player, enemy and backdrop lists, an actor node and an enemy manager
 * with its pool of 50. The street thug's enemy script is replaced by a recorder of its calls.
 */
class EnemyTest : public ::testing::Test
{
protected:
    static constexpr float kFrame = 1.0f / 60.0f;

    void SetUp() override;
    void TearDown() override;

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
            m_game->getGameUpdateSignal().emit(kFrame);
        }
        return done();
    }
    /** The recorder's calls since the last look, joined with ";". */
    std::string takeCalls();
    /** Runs a fixture script in a fresh engine (the caller owns it). */
    static cocos2d::VornScriptEngine* scriptEngine(const char* fixture);
    /** Calls a global function of engine that returns a string. */
    static std::string callForText(cocos2d::VornScriptEngine* engine, const char* function);
    /** A player in play at that base position. */
    TestPlayer* addPlayer(float x, float y);

    cocos2d::VornGameManager* m_game = nullptr;
    cocos2d::BotManager* m_bots = nullptr;
    cocos2d::VornActorDesc* m_thug = nullptr;
    cocos2d::VornScriptEngine* m_thugScripts = nullptr;  ///< held by the descriptor
    TestPlayer* m_player = nullptr;
};

#endif
