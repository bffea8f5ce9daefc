#include "FlowTestSupport.h"

#include "SimpleAudioEngine.h"
#include "VornTestSupport.h"

USING_NS_CC;

namespace flowtest
{
void GameTest::SetUp()
{
    m_pool = new CCScopedAutoreleasePool();
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    m_game = new TestGame();
    ASSERT_TRUE(m_game->initVornGameManager());
    // As after the boot: every tick runs the whole frame.
    m_game->setBootState(3);
}

void GameTest::TearDown()
{
    if (m_game)
    {
        m_game->cleanup();
        m_game->release();
        m_game = nullptr;
    }
    CCDirector::purgeSharedDirector();
    CocosDenshion::SimpleAudioEngine::end();
    delete m_pool;
}
} // namespace flowtest
