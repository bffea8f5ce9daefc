#ifndef __ARENA_TEST_SUPPORT_H__
#define __ARENA_TEST_SUPPORT_H__

#include "ArenaManager.h"
#include "VornActor.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "cocos2d.h"

#include <gtest/gtest.h>

/** An enemy to hit. */
class ArenaFighter : public cocos2d::VornActor
{
public:
    static ArenaFighter* create(cocos2d::VornActorDesc* desc, int kind);
    virtual int getCharacterType() { return m_nKind; }

    int m_nKind = cocos2d::kCharacter_Player;
};

/**
 * A built game world with the real resources and a fresh save folder, running and unpaused: the
 * game's player (jors) and a street-thug to hit.
 */
class ArenaTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /** Game time as the running game sends it (the arena clock and the survival task follow it). */
    void step(float dt, int frames = 1);

    cocos2d::CCScopedAutoreleasePool* m_pool = nullptr;
    cocos2d::VornGameManager* m_game = nullptr;
    cocos2d::ArenaManager* m_arena = nullptr;
    cocos2d::VornPlayer* m_player = nullptr;  ///< the game's
    ArenaFighter* m_enemy = nullptr;
};

#endif
