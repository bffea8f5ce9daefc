#include "ArenaTestSupport.h"

#include "VornActorDesc.h"
#include "VornBareGameTest.h"
#include "VornTestSupport.h"

#include <cstdlib>

USING_NS_CC;

ArenaFighter* ArenaFighter::create(VornActorDesc* desc, int kind)
{
    ArenaFighter* actor = new ArenaFighter();
    actor->m_nKind = kind;
    actor->setCollisionListId(kind == kCharacter_Player ? kCollisionList_Player : kCollisionList_Enemy);
    if (!actor->initWithDesc(desc))
    {
        actor->release();
        return nullptr;
    }
    return actor;  // the caller owns this reference
}

void ArenaTest::SetUp()
{
    m_pool = new CCScopedAutoreleasePool();
    // Saved progress of earlier runs must not leak in.
    setenv("XDG_DATA_HOME", vorntest::makeTempDir("arena-home").c_str(), 1);
    CCUserDefault::purgeSharedUserDefault();
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    srand(1);
    m_game = new VornGameManager();
    ASSERT_TRUE(m_game->initVornGameManager());
    m_game->initMain1();
    m_game->setBootState(3);
    m_game->setPaused(false);
    m_arena = m_game->getArenaManager();
    ASSERT_NE(nullptr, m_arena);
    m_player = m_game->getPlayer();
    m_enemy = ArenaFighter::create(m_game->actorDescWithFile("street-thug.plist"), kCharacter_Enemy);
    ASSERT_NE(nullptr, m_player);
    ASSERT_NE(nullptr, m_enemy);
    ASSERT_EQ(m_player, m_arena->getPlayer());
    ASSERT_NE(nullptr, m_player->getDesc());
}

void ArenaTest::TearDown()
{
    if (m_arena)
    {
        m_arena->exitArena();
    }
    CC_SAFE_RELEASE(m_enemy);
    vorntest::releaseGame(m_game);
    delete m_pool;
}

void ArenaTest::step(float dt, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        m_game->getGameUpdateSignal().emit(dt);
    }
}
