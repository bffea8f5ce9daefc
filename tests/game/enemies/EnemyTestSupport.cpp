#include "EnemyTestSupport.h"

#include "CharacterSetups.h"
#include "CollisionList.h"
#include "CollisionManager.h"
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
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    srand(1);
    m_game = new VornGameManager();
    ASSERT_TRUE(m_game->initVornGameManager());
    m_game->setPlayerCharacterSetups(CharacterSetups::create("character-setup-player.csv"));
    m_game->setEnemyCharacterSetups(CharacterSetups::create("character-setup-enemy.csv"));
    CCArray* lists = m_game->getCollisionManager()->getCollisionLists();
    ASSERT_NE(nullptr, lists);
    const struct
    {
        const char* name;
        int id;
    } kLists[] = {{"player", kCollisionList_Player}, {"enemy", kCollisionList_Enemy}, {"backdrop", kCollisionList_Backdrop}};
    for (const auto& entry : kLists)
    {
        CollisionList* list = new CollisionList();
        list->initWithName(entry.name, entry.id);
        lists->addObject(list);
        list->release();
    }
    CCNode* actorNode = new CCNode();
    m_game->setActorNode(actorNode);
    m_game->getGameLayer()->addChild(actorNode);
    actorNode->release();
    m_game->setPaused(false);

    m_thug = m_game->actorDescWithFile("street-thug.plist");
    ASSERT_NE(nullptr, m_thug);
    m_thugScripts = scriptEngine("game/enemies/recorder.lua");
    m_thug->setScriptEngine(m_thugScripts);
    m_thugScripts->release();

    m_bots = new BotManager();
    ASSERT_TRUE(m_bots->init(50));
}

void EnemyTest::TearDown()
{
    CC_SAFE_RELEASE_NULL(m_bots);
    if (m_player)
    {
        m_player->removeFromCollisionManager();
        CC_SAFE_RELEASE_NULL(m_player);
    }
    m_game->cleanup();
    m_game->release();
    CCDirector::purgeSharedDirector();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
    CCUserDefault::purgeSharedUserDefault();
}

void EnemyTest::step(float seconds)
{
    for (float t = 0.0f; t < seconds - 1e-4f; t += kFrame)
    {
        m_game->getGameUpdateSignal().emit(kFrame);
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
