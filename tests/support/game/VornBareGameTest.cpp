#include "VornBareGameTest.h"

#include "CharacterSetups.h"
#include "CollisionList.h"
#include "CollisionManager.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

USING_NS_CC;

namespace vorntest
{
void BareGameTest::SetUp()
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(sourcePath("Resources").c_str());
    srand(1);
    m_game = new VornGameManager();
    ASSERT_TRUE(m_game->initVornGameManager());
    m_game->setPlayerCharacterSetups(CharacterSetups::create("character-setup-player.csv"));
    m_game->setEnemyCharacterSetups(CharacterSetups::create("character-setup-enemy.csv"));
    CCArray* lists = m_game->getCollisionManager()->getCollisionLists();
    ASSERT_NE(nullptr, lists);
    for (const auto& entry : m_lists)
    {
        CollisionList* list = new CollisionList();
        list->initWithName(entry.first, entry.second);
        lists->addObject(list);
        list->release();
    }
    CCNode* actorNode = new CCNode();
    m_game->setActorNode(actorNode);
    m_game->getGameLayer()->addChild(actorNode);
    actorNode->release();
    m_game->setPaused(false);
}

void BareGameTest::TearDown()
{
    releaseFighters();
    if (m_game != nullptr)
    {
        m_game->cleanup();
        m_game->release();
        m_game = nullptr;
    }
    CCDirector::purgeSharedDirector();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
    CCUserDefault::purgeSharedUserDefault();
}

void BareGameTest::step(float seconds)
{
    for (float t = 0.0f; t < seconds - 1e-4f; t += kFrame)
    {
        m_game->getGameUpdateSignal().emit(kFrame);
    }
}
} // namespace vorntest
