#include "BotManager.h"
#include "InputHandler_Keyboard.h"
#include "InputManager.h"
#include "SystemManager.h"
#include "TitleScreen.h"
#include "VornAchievementsManager.h"
#include "RestartManager.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"
#include "VornTestSupport.h"
#include "cocos2d.h"

#include <gtest/gtest.h>

#include <algorithm>

USING_NS_CC;

namespace
{
const float kFrame = 1.0f / 30.0f;

class QuietSystemHandler : public SystemHandler
{
public:
    virtual void openURL(const char*) {}
    virtual void quit() {}
    virtual void setFullscreen(bool) {}
    virtual bool isFullscreen() { return false; }
};

void frames(int count)
{
    for (int i = 0; i < count; ++i)
    {
        CCDirector::sharedDirector()->step(kFrame);
    }
}
} // namespace

// The first stage as the program plays it, with the shipped enemy script: the thugs come and
// fight, and nothing they do logs an error.
TEST(BrawlerStoryTest, TheStreetThugsFightTheIdlePlayerWithoutAScriptError)
{
    CCPoolManager::sharedPoolManager()->push();
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", "");
    CCDirector::sharedDirector()->setWinSize(CCSize(960, 640));
    srand(1);
    vorntest::LogCapture log;
    VornGameManager* game = new VornGameManager();
    ASSERT_TRUE(game->initVornGameManager());
    game->getAchievementsManager()->resetAllAchievements();
    game->getRestartManager()->setHasCheckpoint(false);
    CCDirector::sharedDirector()->runWithScene(game);
    game->release();
    QuietSystemHandler* handler = new QuietSystemHandler();
    game->getSystemManager()->setHandler(handler);
    handler->release();
    InputHandler_Keyboard* keyboard = static_cast<InputHandler_Keyboard*>(
        InputManager::sharedInputManager()->getHandlerWithName("KeyboardHandler"));
    ASSERT_NE(nullptr, keyboard);

    for (int i = 0; i < 600 && !(dynamic_cast<TitleScreen*>(game->getTitleScreen()) &&
                                 dynamic_cast<TitleScreen*>(game->getTitleScreen())->isOpen()); ++i)
    {
        frames(1);
    }
    keyboard->keyPressed(VornPlayerInputMulti::kKeyEnter);
    frames(2);
    keyboard->keyReleased(VornPlayerInputMulti::kKeyEnter);
    frames(2);
    for (int i = 0; i < 600 && game->getLevelScript() != "level-1-street"; ++i)
    {
        frames(1);
    }
    ASSERT_EQ("level-1-street", game->getLevelScript());
    VornPlayer* player = game->getPlayer();
    ASSERT_NE(nullptr, player);
    float full = player->getHealth();

    int mostBots = 0;
    for (int i = 0; i < 20 * 30; ++i)
    {
        frames(1);
        mostBots = std::max(mostBots, game->getBotManager()->getNumActiveBots());
    }
    EXPECT_GT(mostBots, 0);
    EXPECT_LT(player->getHealth(), full);
    for (const std::string& line : log.lines())
    {
        EXPECT_EQ(std::string::npos, line.find("ERROR")) << line;
    }

    CCDirector::purgeSharedDirector();
    CCPoolManager::sharedPoolManager()->pop();
}
