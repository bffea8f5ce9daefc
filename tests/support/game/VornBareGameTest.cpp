#include "VornBareGameTest.h"

#include "CharacterSetups.h"
#include "CollisionList.h"
#include "CollisionManager.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

USING_NS_CC;

namespace vorntest
{
void releaseGame(VornGameManager*& game)
{
    if (game != nullptr)
    {
        // Lists own the stage's components, which own their nodes: empty them before the manager goes.
        CCObject* object;
        CCARRAY_FOREACH(game->getCollisionManager()->getCollisionLists(), object)
        {
            static_cast<CollisionList*>(object)->removeAllObjects();
        }
        game->setBackground(nullptr);
        game->cleanup();
        game->release();
        game = nullptr;
    }
    CCDirector::purgeSharedDirector();
    // Frames keep their textures: drop both, so a later test's renderer makes its own.
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
    CCLabelBMFont::purgeCachedData();
    CCUserDefault::purgeSharedUserDefault();
}

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
    releaseGame(m_game);
}

void BareGameTest::step(float seconds)
{
    for (float t = 0.0f; t < seconds - 1e-4f; t += kFrame)
    {
        m_game->getGameUpdateSignal().emit(kFrame);
    }
}
} // namespace vorntest
