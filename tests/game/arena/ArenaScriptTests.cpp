#include "ArenaTestSupport.h"
#include "BotActor.h"
#include "BotManager.h"
#include "HUD.h"
#include "PlayerHealthScreen.h"
#include "VornTestSupport.h"

#include <string>

USING_NS_CC;

namespace
{

class ArenaScript : public ArenaTest
{
protected:
    void frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            m_game->tick(1.0f / 30.0f);
        }
    }

    int activeBots() { return m_game->getBotManager()->getNumActiveBots(); }

    void expectNoScriptErrors(const vorntest::LogCapture& log)
    {
        for (const std::string& line : log.lines())
        {
            EXPECT_EQ(std::string::npos, line.find("ERROR")) << line;
            EXPECT_EQ(std::string::npos, line.find("[LUA ERROR]")) << line;
        }
    }
};

TEST_F(ArenaScript, AMatchRunsItsClockAndKeepsThreeThugsInPlay)
{
    vorntest::LogCapture log;
    m_game->startLevel("arena-rooftop");
    frames(150);  // five seconds of play
    EXPECT_TRUE(m_arena->isActive());
    EXPECT_TRUE(m_arena->isRunning());
    EXPECT_LT(m_arena->getTimeLeft(), ArenaManager::kStartTime);
    EXPECT_EQ(3, activeBots());
    // The fighter's health bar is up, as in the story.
    ASSERT_NE(nullptr, m_game->getHUD());
    EXPECT_TRUE(m_game->getHUD()->getPlayerHealthScreen()->isVisible());

    // A knock-out sends in another once the fallen one has gone.
    BotActor* fallen = m_game->getBotManager()->getActiveBots().front();
    EXPECT_TRUE(fallen->doTakeDamage(1000.0f, CCPoint(0, 0), CCPoint(12.0f, 0.0f), kVornAttackType_KO, true));
    frames(300);
    EXPECT_EQ(3, activeBots());
    expectNoScriptErrors(log);
}

TEST_F(ArenaScript, TheRestartPointBringsAFreshMatchAndItsEnemies)
{
    vorntest::LogCapture log;
    m_game->startLevel("arena-yard");
    frames(300);
    float left = m_arena->getTimeLeft();
    m_game->onContinue();
    frames(150);
    EXPECT_TRUE(m_arena->isRunning());
    EXPECT_GT(m_arena->getTimeLeft(), left);
    EXPECT_EQ(3, activeBots());
    expectNoScriptErrors(log);
}

}  // namespace
