#ifndef __ENEMY_TEST_SUPPORT_H__
#define __ENEMY_TEST_SUPPORT_H__

#include "BotActor.h"
#include "BotManager.h"
#include "VornBareGameTest.h"
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
 * A bare game with the player, enemy and backdrop lists and an enemy manager with its pool of 50. The street thug's enemy script is replaced by a recorder of its calls.
 */
class EnemyTest : public vorntest::BareGameTest
{
protected:
    EnemyTest()
        : BareGameTest({{"player", cocos2d::kCollisionList_Player},
                        {"enemy", cocos2d::kCollisionList_Enemy},
                        {"backdrop", cocos2d::kCollisionList_Backdrop}})
    {
    }
    void SetUp() override;
    void releaseFighters() override;

    /** The recorder's calls since the last look, joined with ";". */
    std::string takeCalls();
    /** Runs a fixture script in a fresh engine (the caller owns it). */
    static cocos2d::VornScriptEngine* scriptEngine(const char* fixture);
    /** Calls a global function of engine that returns a string. */
    static std::string callForText(cocos2d::VornScriptEngine* engine, const char* function);
    /** A player in play at that base position. */
    TestPlayer* addPlayer(float x, float y);

    cocos2d::BotManager* m_bots = nullptr;
    cocos2d::VornActorDesc* m_thug = nullptr;
    cocos2d::VornScriptEngine* m_thugScripts = nullptr;  ///< held by the descriptor
    TestPlayer* m_player = nullptr;
};

#endif
