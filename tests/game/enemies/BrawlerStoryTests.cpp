#include "BotManager.h"
#include "InputHandler_Keyboard.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"
#include "VornBootedGame.h"

#include <gtest/gtest.h>

#include <algorithm>

USING_NS_CC;

// The first stage as the program plays it, with the shipped enemy script: the thugs come and
// fight, their blows land on a player standing idle and on one tapping kick as fast as the keys
// allow with his back to them (a kick is not a shield), and nothing they do logs an error.
TEST(BrawlerStoryTest, TheStreetThugsFightThePlayerWithoutAScriptError)
{
    for (bool kicking : { false, true })
    {
        SCOPED_TRACE(kicking ? "tapping kick" : "standing idle");
        vorntest::BootedGame boot;
        boot.forgetProgress = true;
        ASSERT_NO_FATAL_FAILURE(boot.boot());
        VornGameManager* game = boot.game();
        boot.press(VornPlayerInputMulti::kKeyEnter);
        boot.stepUntil([game] { return game->getLevelScript() == "level-1-street"; });
        ASSERT_EQ("level-1-street", game->getLevelScript());
        VornPlayer* player = game->getPlayer();
        ASSERT_NE(nullptr, player);
        float full = player->getHealth();
        if (kicking)
        {
            // Turned away from the way the thugs come, so his kicks never stop them.
            boot.press(VornPlayerInputMulti::kKeyLeft);
        }

        int mostBots = 0;
        for (int i = 0; i < (int)(20.0f / vorntest::BootedGame::kFrame); ++i)
        {
            if (kicking)
            {
                // Down on one frame, up on the next.
                if (i % 2 == 0)
                {
                    boot.keyboard()->keyPressed('d');
                }
                else
                {
                    boot.keyboard()->keyReleased('d');
                }
            }
            boot.frame();
            mostBots = std::max(mostBots, game->getBotManager()->getNumActiveBots());
        }
        EXPECT_GT(mostBots, 0);
        EXPECT_LT(player->getHealth(), full);
        for (const std::string& line : boot.log().lines())
        {
            EXPECT_EQ(std::string::npos, line.find("ERROR")) << line;
        }
    }
}
