#include "StageTestSupport.h"

#include "CCBReader.h"
#include "CCLabelBMFont.h"
#include "CCSpriteFrameCache.h"
#include "CCTextureCache.h"
#include "CollisionManager.h"

USING_NS_CC;

void StageTest::SetUp()
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    m_pManager = new VornGameManager();
    ASSERT_TRUE(m_pManager->initVornGameManager());
    ASSERT_TRUE(m_pManager->initCollisionLists());
}

void StageTest::TearDown()
{
    if (m_pManager != nullptr)
    {
        // Lists own the components, which own their nodes: empty them before the manager goes.
        CCObject* object;
        CCARRAY_FOREACH(m_pManager->getCollisionManager()->getCollisionLists(), object)
        {
            static_cast<CollisionList*>(object)->removeAllObjects();
        }
        m_pManager->cleanup();
        m_pManager->release();
    }
    extension::CCBReader::setResolutionScale(1.0f);
    CCDirector::purgeSharedDirector();
    // Frames keep their textures: drop both, so a later test's renderer makes its own.
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
    CCLabelBMFont::purgeCachedData();
}

std::string StageTest::fixtureLayout(const char* name)
{
    return std::string(STAGE_LAYOUT_DIR) + "/" + name;
}

size_t StageTest::listSize(int listId)
{
    CollisionList* list = m_pManager->getCollisionManager()->getCollisionList(listId);
    return list ? list->getMembers().size() : 0;
}

bool StageTest::inList(int listId, CCNode* node)
{
    CollisionList* list = m_pManager->getCollisionManager()->getCollisionList(listId);
    if (list == nullptr)
    {
        return false;
    }
    for (ActorComponent* member : list->getMembers())
    {
        if (member->getOwner() == node)
        {
            return true;
        }
    }
    return false;
}
