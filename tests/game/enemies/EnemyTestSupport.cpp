#include "EnemyTestSupport.h"

#include "VornActorDesc.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

USING_NS_CC;

TestPlayer* TestPlayer::create(VornActorDesc* desc)
{
    TestPlayer* player = new TestPlayer();
    player->setCollisionListId(kCollisionList_Player);
    if (!player->initWithDesc(desc))
    {
        player->release();
        return nullptr;
    }
    return player;  // the caller owns this reference
}

void EnemyTest::SetUp()
{
    BareGameTest::SetUp();
    if (HasFatalFailure())
    {
        return;
    }
    m_thug = m_game->actorDescWithFile("street-thug.plist");
    ASSERT_NE(nullptr, m_thug);
    m_thugScripts = scriptEngine("game/enemies/recorder.lua");
    m_thug->setScriptEngine(m_thugScripts);
    m_thugScripts->release();

    m_bots = new BotManager();
    ASSERT_TRUE(m_bots->init(50));
}

void EnemyTest::releaseFighters()
{
    CC_SAFE_RELEASE_NULL(m_bots);
    if (m_player)
    {
        m_player->removeFromCollisionManager();
        CC_SAFE_RELEASE_NULL(m_player);
    }
}

std::string EnemyTest::takeCalls()
{
    return callForText(m_thugScripts, "takeCalls");
}

VornScriptEngine* EnemyTest::scriptEngine(const char* fixture)
{
    VornScriptEngine* engine = new VornScriptEngine();
    EXPECT_TRUE(engine->executeScriptFile(vorntest::fixturePath(fixture).c_str())) << fixture;
    return engine;
}

std::string EnemyTest::callForText(VornScriptEngine* engine, const char* function)
{
    lua_State* L = engine->getLuaState();
    lua_getglobal(L, function);
    if (lua_pcall(L, 0, 1, 0) != 0)
    {
        std::string error = lua_tostring(L, -1);
        lua_pop(L, 1);
        ADD_FAILURE() << error;
        return "";
    }
    std::string text = lua_isstring(L, -1) ? lua_tostring(L, -1) : "";
    lua_pop(L, 1);
    return text;
}

TestPlayer* EnemyTest::addPlayer(float x, float y)
{
    m_player = TestPlayer::create(m_game->actorDescWithFile("jors.plist"));
    EXPECT_NE(nullptr, m_player);
    m_player->setBasePosition(CCPoint(x, y));
    m_player->addToCollisionManager();
    return m_player;
}
