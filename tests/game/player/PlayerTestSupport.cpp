#include "PlayerTestSupport.h"

#include "CollisionManager.h"
#include "InputManager.h"
#include "VornActionDesc.h"
#include "VornBackdrop.h"
#include "VornBareGameTest.h"
#include "VornTestSupport.h"

USING_NS_CC;

void PlayerTest::SetUp()
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", "");
    CCDirector::sharedDirector()->setWinSize(CCSize(960, 640));
    srand(1);
    m_game = new VornGameManager();
    ASSERT_TRUE(m_game->initVornGameManager());
    ASSERT_TRUE(m_game->initMain1());
    m_game->setBootState(3);
    m_game->setPaused(false);
    m_game->setIsGameLayerVisible(true);
    m_player = m_game->getPlayer();
    ASSERT_NE(nullptr, m_player);
    m_keyboard = static_cast<InputHandler_Keyboard*>(InputManager::sharedInputManager()->getHandlerWithName("KeyboardHandler"));
    ASSERT_NE(nullptr, m_keyboard);
    m_player->setBasePosition(CCPoint(200.0f, 40.0f));
    m_game->getLevelStartedSignal().emit();
}

void PlayerTest::TearDown()
{
    for (TestEnemy* enemy : m_enemies)
    {
        enemy->removeFromCollisionManager();
        enemy->release();
    }
    m_enemies.clear();
    vorntest::releaseGame(m_game);
}

void PlayerTest::frames(int count)
{
    for (int i = 0; i < count; ++i)
    {
        m_game->tick(kFrame);
    }
}

void PlayerTest::step(float seconds)
{
    frames((int)(seconds / kFrame + 0.5f));
}

void PlayerTest::tap(int key)
{
    m_keyboard->keyPressed(key);
    frames(2);
    m_keyboard->keyReleased(key);
    frames(2);
}

TestEnemy* PlayerTest::spawnEnemy(float x, float y, int facing)
{
    TestEnemy* enemy = new TestEnemy();
    enemy->setCollisionListId(kCollisionList_Enemy);
    EXPECT_TRUE(enemy->initWithDesc(m_game->actorDescWithFile("street-thug.plist")));
    enemy->setBasePosition(CCPoint(x, y));
    enemy->setFacingDir(facing);
    enemy->setNextFacingDir(facing);
    enemy->addToCollisionManager();
    m_enemies.push_back(enemy);
    return enemy;
}

VornBackdrop* PlayerTest::loadStage()
{
    VornBackdrop* backdrop = new VornBackdrop();
    m_game->setBackground(backdrop);
    backdrop->release();
    EXPECT_TRUE(backdrop->initWithFile("stage-street", m_game->getGameLayer(), m_game->getActorNode()));
    return backdrop;
}

int PlayerTest::topType(VornActor* actor)
{
    VornActionDesc* top = actor->getAction();
    return top ? top->getType() : -1;
}
