#include "VornBootedGame.h"

#include "VornAchievementsManager.h"
#include "InputHandler_Keyboard.h"
#include "InputManager.h"
#include "RestartManager.h"
#include "SystemManager.h"
#include "TitleScreen.h"
#include "VornGameManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>

USING_NS_CC;

namespace
{
// Stands in for the platform: links, quitting and the window mode are not acted on.
class QuietSystemHandler : public SystemHandler
{
public:
    virtual bool openURL(const char*) { return true; }
    virtual void quit() {}
    virtual void setFullscreen(bool) {}
    virtual bool isFullscreen() { return false; }
};
} // namespace

namespace vorntest
{
const float BootedGame::kFrame = 1.0f / 60.0f;
const int BootedGame::kPatience = 1200;

void BootedGame::useFreshHome(const std::string& name)
{
    // What the store holds goes to the folder it came from, not into the fresh one.
    CCUserDefault::purgeSharedUserDefault();
    setenv("XDG_DATA_HOME", makeTempDir(name).c_str(), 1);
}

void BootedGame::boot()
{
    shutDown();
    CCPoolManager::sharedPoolManager()->push();
    m_booted = true;
    // Frames count from the boot, so a game booted again plays to the same beat.
    m_frame = 0;
    CCFileUtils::sharedFileUtils()->setResourceDirectory(sourcePath("Resources").c_str());
    CCDirector::sharedDirector()->setWinSize(CCSize(windowWidth, windowHeight));
    // VORN_PLAY_SEED plays the same run with other dice, to look for faults one seed hides.
    const char* seed = getenv("VORN_PLAY_SEED");
    srand(seed && *seed ? (unsigned)atoi(seed) : 1u);
    m_log = new LogCapture();
    if (forgetProgress)
    {
        CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", "");
    }
    m_game = new VornGameManager();
    ASSERT_TRUE(m_game->initVornGameManager());
    if (forgetProgress)
    {
        m_game->getAchievementsManager()->resetAllAchievements();
        m_game->getRestartManager()->setHasCheckpoint(false);
    }
    CCDirector::sharedDirector()->runWithScene(m_game);
    m_game->release();
    QuietSystemHandler* handler = new QuietSystemHandler();
    m_game->getSystemManager()->setHandler(handler);
    handler->release();
    m_keyboard = static_cast<InputHandler_Keyboard*>(
        InputManager::sharedInputManager()->getHandlerWithName("KeyboardHandler"));
    ASSERT_NE(nullptr, m_keyboard);
    ASSERT_TRUE(stepUntil([this] { return title() && title()->isOpen(); })) << "the title never opened";
}

void BootedGame::shutDown()
{
    if (!m_booted)
    {
        return;
    }
    CCDirector::purgeSharedDirector();
    CCPoolManager::sharedPoolManager()->pop();
    delete m_log;
    m_log = nullptr;
    m_game = nullptr;
    m_keyboard = nullptr;
    m_booted = false;
}

TitleScreen* BootedGame::title() const
{
    return m_game ? dynamic_cast<TitleScreen*>(m_game->getTitleScreen()) : nullptr;
}

void BootedGame::frame()
{
    CCDirector::sharedDirector()->step(kFrame);
    ++m_frame;
    if (afterFrame)
    {
        afterFrame(m_frame);
    }
}

void BootedGame::frames(int count)
{
    for (int i = 0; i < count; ++i)
    {
        frame();
    }
}

bool BootedGame::stepUntil(const std::function<bool()>& done, int limit)
{
    for (int i = 0; i < limit; ++i)
    {
        if (done())
        {
            return true;
        }
        frame();
    }
    return done();
}

void BootedGame::press(int code)
{
    m_keyboard->keyPressed(code);
    frames(2);
    m_keyboard->keyReleased(code);
    frames(2);
}

std::string BootedGame::problems() const
{
    std::ostringstream out;
    std::set<std::string> seen;
    for (const std::string& line : m_log->lines())
    {
        if (CCLogIsProblem(line.c_str()) && seen.insert(line).second)
        {
            out << line << "\n";
        }
    }
    return out.str();
}
} // namespace vorntest
