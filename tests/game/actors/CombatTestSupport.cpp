#include "CombatTestSupport.h"

#include "CharacterSetups.h"
#include "CollisionList.h"
#include "CollisionManager.h"
#include "VornActionDesc.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

USING_NS_CC;

TestActor* TestActor::create(VornActorDesc* desc, int listId, int kind)
{
    TestActor* actor = new TestActor();
    actor->m_nKind = kind;
    actor->setCollisionListId(listId);
    if (!actor->initWithDesc(desc))
    {
        actor->release();
        return nullptr;
    }
    return actor;  // the caller owns this reference
}

void CombatTest::SetUp()
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    srand(1);
    m_game = new VornGameManager();
    ASSERT_TRUE(m_game->initVornGameManager());
    m_game->setPlayerCharacterSetups(CharacterSetups::create("character-setup-player.csv"));
    m_game->setEnemyCharacterSetups(CharacterSetups::create("character-setup-enemy.csv"));
    CCArray* lists = m_game->getCollisionManager()->getCollisionLists();
    ASSERT_NE(nullptr, lists);
    const char* names[] = {"player", "enemy"};
    for (int i = 0; i < 2; ++i)
    {
        CollisionList* list = new CollisionList();
        list->initWithName(names[i], 1 << i);
        lists->addObject(list);
        list->release();
    }
    CCNode* actorNode = new CCNode();
    m_game->setActorNode(actorNode);
    m_game->getGameLayer()->addChild(actorNode);
    actorNode->release();
    m_game->setPaused(false);
}

void CombatTest::TearDown()
{
    for (TestActor* actor : m_actors)
    {
        actor->removeFromCollisionManager();
        actor->release();
    }
    m_actors.clear();
    m_game->cleanup();
    m_game->release();
    CCDirector::purgeSharedDirector();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
    CCUserDefault::purgeSharedUserDefault();
}

TestActor* CombatTest::spawn(const char* file, int listId, float x, float y, int facing)
{
    VornActorDesc* desc = m_game->actorDescWithFile(file);
    EXPECT_NE(nullptr, desc) << file;
    TestActor* actor = TestActor::create(desc, listId, listId == kCollisionList_Player ? kCharacter_Player : kCharacter_Enemy);
    EXPECT_NE(nullptr, actor);
    actor->setBasePosition(CCPoint(x, y));
    actor->setFacingDir(facing);
    actor->setNextFacingDir(facing);
    actor->addToCollisionManager();
    m_actors.push_back(actor);
    return actor;
}

void CombatTest::step(float seconds)
{
    for (float t = 0.0f; t < seconds - 1e-4f; t += kFrame)
    {
        m_game->getGameUpdateSignal().emit(kFrame);
    }
}

int CombatTest::topType(VornActor* actor)
{
    VornActionDesc* top = actor->getAction();
    return top ? top->getType() : -1;
}
