#ifndef __MENU_SCREEN_FIXTURE_H__
#define __MENU_SCREEN_FIXTURE_H__

#include "CCUserDefault.h"
#include "ScreenTestSupport.h"
#include "SplashScreen.h"
#include "VornGameManager.h"
#include "VornScreen.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

/** A game manager whose running level a test can name. */
class MenuTestGame : public cocos2d::VornGameManager
{
public:
    void setLevelScriptForTest(const std::string& name) { m_sLevelScript = name; }
};

/**
 * A started game (its managers, level list and high scores) running as the director's scene at
 * the 480x340 design size (or the window size a test sets before SetUp), so screens made by a
 * test see the same services as in the game.
 */
class MenuScreenTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        cocos2d::CCPoolManager::sharedPoolManager()->push();
        cocos2d::CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        cocos2d::CCDirector::sharedDirector()->setWinSize(m_winSize);
        m_game = new MenuTestGame();
        ASSERT_TRUE(m_game->initVornGameManager());
        m_game->initMain1();
        // The splash would start the boot under the test's feet.
        if (m_game->getSplashScreen())
        {
            m_game->getSplashScreen()->removeFromParentAndCleanup(true);
        }
        // The tests make their own menu screens: the world's would answer the same signals.
        cocos2d::VornScreen* own[] = { m_game->getPauseScreen(), m_game->getGameOverScreen(),
                                       m_game->getStageCompleteScreen() };
        for (cocos2d::VornScreen* screen : own)
        {
            if (screen)
            {
                screen->removeFromParentAndCleanup(true);
            }
        }
        m_game->setPauseScreen(NULL);
        m_game->setGameOverScreen(NULL);
        m_game->setStageCompleteScreen(NULL);
        cocos2d::CCDirector::sharedDirector()->runWithScene(m_game);
        m_game->release();
    }
    virtual void TearDown()
    {
        cocos2d::CCDirector::sharedDirector()->resume();
        cocos2d::CCDirector::purgeSharedDirector();
        cocos2d::CCPoolManager::sharedPoolManager()->pop();
    }

    /** Adds a made screen to the game; NULL when it did not initialise. */
    template <class T>
    T* addScreen(T* screen)
    {
        if (screen)
        {
            m_game->addChild(screen, 20);
        }
        return screen;
    }

    MenuTestGame* m_game = NULL;
    cocos2d::CCSize m_winSize = cocos2d::CCSize(480, 340);
};

#endif
