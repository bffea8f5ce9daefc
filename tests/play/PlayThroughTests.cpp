// The whole game played as a person plays it: booted as the program boots it, driven only through
// the keyboard, one 1/30 s frame at a time, with what a player sees checked after every frame.
#include "ArenaCompleteScreen.h"
#include "ArenaManager.h"
#include "ArenaModeHelper.h"
#include "ArenaTimerScreen.h"
#include "HUD.h"
#include "BotActor.h"
#include "BotManager.h"
#include "VornActionDesc.h"
#include "ChooseDifficultyScreen.h"
#include "GameOverScreen.h"
#include "InputHandler_DesktopGamepad.h"
#include "InputHandler_Keyboard.h"
#include "InputManager.h"
#include "LevelManager.h"
#include "LevelUpScreen.h"
#include "RestartManager.h"
#include "StageCompleteScreen.h"
#include "SystemManager.h"
#include "TitleScreen.h"
#include "VornAchievementsManager.h"
#include "VornAutoPlayer.h"
#include "VornGameManager.h"
#include "VornPlayChecks.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"
#include "VornTestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>

USING_NS_CC;

namespace
{
const float kFrame = 1.0f / 30.0f;
// A stage the simple player cannot finish in this much play is a failure to report, not a wait.
const int kStageFrames = (int)(600.0f / kFrame);

class QuietSystemHandler : public SystemHandler
{
public:
    virtual void openURL(const char*) {}
    virtual void quit() {}
    virtual void setFullscreen(bool) {}
    virtual bool isFullscreen() { return false; }
};

class PlayThrough : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("XDG_DATA_HOME", vorntest::makeTempDir("play-home").c_str(), 1);
        CCUserDefault::purgeSharedUserDefault();
        boot();
    }
    void TearDown() override { shutDown(); }

    /** The program's start: the game scene, the splash, then the title. */
    void boot()
    {
        CCPoolManager::sharedPoolManager()->push();
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        CCDirector::sharedDirector()->setWinSize(CCSize(960, 640));
        srand(1);
        m_log = new vorntest::LogCapture();
        m_game = new VornGameManager();
        ASSERT_TRUE(m_game->initVornGameManager());
        CCDirector::sharedDirector()->runWithScene(m_game);
        m_game->release();
        QuietSystemHandler* handler = new QuietSystemHandler();
        m_game->getSystemManager()->setHandler(handler);
        handler->release();
        m_keyboard = static_cast<InputHandler_Keyboard*>(
            InputManager::sharedInputManager()->getHandlerWithName("KeyboardHandler"));
        ASSERT_NE(nullptr, m_keyboard);
        m_player = new VornAutoPlayer(m_game, m_keyboard);
        m_checks = new VornPlayChecks(m_game);
        ASSERT_TRUE(stepUntil([this] { return title() && title()->isOpen(); }));
    }
    void shutDown()
    {
        delete m_checks;
        delete m_player;
        CCDirector::purgeSharedDirector();
        CCPoolManager::sharedPoolManager()->pop();
        delete m_log;
        m_checks = nullptr;
        m_player = nullptr;
        m_log = nullptr;
    }

    TitleScreen* title() { return dynamic_cast<TitleScreen*>(m_game->getTitleScreen()); }

    void frame()
    {
        CCDirector::sharedDirector()->step(kFrame);
        ++m_frame;
        m_checks->check(m_frame, kFrame);
    }
    template <class Condition>
    bool stepUntil(Condition done, int limit = 600)
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
    void press(int code)
    {
        m_keyboard->keyPressed(code);
        frame();
        frame();
        m_keyboard->keyReleased(code);
        frame();
        frame();
    }

    /** Plays on until `done`; false when the frames run out first. */
    template <class Condition>
    bool playUntil(Condition done, int limit)
    {
        for (int i = 0; i < limit; ++i)
        {
            if (done())
            {
                m_player->releaseAll();
                return true;
            }
            m_player->decide(m_frame);
            frame();
        }
        m_player->releaseAll();
        return done();
    }

    /** Presses the action key on a result screen until it goes, as an impatient player would. */
    void confirm(VornScreen* screen)
    {
        for (int i = 0; i < 800 && screen->isVisible(); ++i)
        {
            if (i % 20 == 0)
            {
                press(VornPlayerInputMulti::kKeyEnter);
            }
            else
            {
                frame();
            }
        }
    }

    /** Points due on a level-up screen are spent, one Return at a time, then it is left. */
    void answerLevelUp()
    {
        VornScreen* levelUp = m_game->getLevelUpScreen();
        if (levelUp != nullptr && levelUp->isVisible())
        {
            confirm(levelUp);
        }
    }

    std::string levelName(unsigned int index)
    {
        CCDictionary* level = static_cast<CCDictionary*>(m_game->getLevelManager()->getLevels()->objectAtIndex(index));
        return static_cast<CCString*>(level->objectForKey("LevelName"))->getCString();
    }

    /** Where the enemies in play stand and what they do, for a report. */
    std::string enemiesSeen()
    {
        std::ostringstream out;
        for (BotActor* bot : m_game->getBotManager()->getActiveBots())
        {
            out << "; enemy at " << bot->getBasePosition().x << "," << bot->getBasePosition().y << " alive "
                << bot->isAlive() << " health " << bot->getHealthValue() << " action "
                << (bot->getAction() ? bot->getAction()->getName() : "") << " visible " << bot->isVisible();
        }
        return out.str();
    }

    /** Every line that reports a problem, once each. */
    std::string problems() const
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

    /** Title to the end of the story on one difficulty, every stage played through. */
    void playStory(int difficulty)
    {
        press(VornPlayerInputMulti::kKeyEnter);
        ChooseDifficultyScreen* chooser = nullptr;
        stepUntil([this, &chooser] {
            CCObject* child = nullptr;
            CCARRAY_FOREACH(title()->getChildren(), child)
            {
                chooser = dynamic_cast<ChooseDifficultyScreen*>(child);
                if (chooser && chooser->isOpen())
                {
                    return true;
                }
            }
            return m_game->getLevelScript() == levelName(0) && !m_game->isPaused();
        });
        if (chooser && chooser->isOpen())
        {
            // Normal has the focus: Up for Easy, Down for Hard, then Return.
            for (int i = 0; i < 30; ++i)
            {
                frame();
            }
            if (difficulty != kDifficulty_Normal)
            {
                press(difficulty == kDifficulty_Easy ? VornPlayerInputMulti::kKeyUp : VornPlayerInputMulti::kKeyDown);
            }
            press(VornPlayerInputMulti::kKeyEnter);
        }
        StageCompleteScreen* complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
        GameOverScreen* gameOver = static_cast<GameOverScreen*>(m_game->getGameOverScreen());
        const unsigned int stages = m_game->getLevelManager()->getLevels()->count();
        for (unsigned int stage = 0; stage < stages; ++stage)
        {
            const std::string name = levelName(stage);
            SCOPED_TRACE(name);
            ASSERT_TRUE(stepUntil([this, &name] { return m_game->getLevelScript() == name && !m_game->isPaused(); }))
                << "stage " << name << " did not start; at " << m_game->getLevelScript() << ", title open "
                << title()->isOpen() << ", chooser open " << (chooser && chooser->isOpen()) << ", paused "
                << m_game->isPaused() << ", checkpoint " << m_game->getRestartManager()->getHasCheckpoint();
            ASSERT_EQ(difficulty, m_game->getStoryDifficultyLevel());
            int played = 0;
            bool finished = false;
            while (!finished && played < kStageFrames)
            {
                int before = m_frame;
                finished = playUntil([complete, gameOver] { return complete->isOpen() || gameOver->isOpen(); },
                                     kStageFrames - played) &&
                           complete->isOpen();
                played += m_frame - before;
                if (gameOver->isOpen())
                {
                    // Knocked out: continue, as a player would.
                    confirm(gameOver);
                    answerLevelUp();
                    stepUntil([this] { return !m_game->isPaused(); });
                }
            }
            ASSERT_TRUE(finished) << name << " not finished in " << played * kFrame << " s of play; "
                                  << m_game->getBotManager()->getNumActiveBots() << " enemies in play, player at "
                                  << m_game->getPlayer()->getBasePosition().x << ","
                                  << m_game->getPlayer()->getBasePosition().y << ", queued "
                                  << m_game->getBotManager()->getNumQueuedBots() << ", enemies paused "
                                  << m_game->getBotManager()->isPaused() << ", alive " << m_game->getPlayer()->isAlive()
                                  << enemiesSeen();
            ASSERT_EQ("", m_checks->firstFailure());
            confirm(complete);
            answerLevelUp();
        }
        ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }, 1200)) << "the story did not end at the title";
        EXPECT_EQ("", m_checks->firstFailure());
        EXPECT_EQ("", problems());
    }

    VornGameManager* m_game = nullptr;
    InputHandler_Keyboard* m_keyboard = nullptr;
    VornAutoPlayer* m_player = nullptr;
    VornPlayChecks* m_checks = nullptr;
    vorntest::LogCapture* m_log = nullptr;
    int m_frame = 0;
};
} // namespace

TEST_F(PlayThrough, StoryOnEasy)
{
    playStory(kDifficulty_Easy);
}

TEST_F(PlayThrough, StoryOnNormalThenOnHard)
{
    // Known faults (issues 21 and 24): on Normal and Hard an enemy now and then ends up where the
    // player cannot finish him (knocked down beyond the wave's wall and never getting up; the
    // kicker opening bout after bout with an unhittable jump kick), and the stage cannot be
    // completed. VORN_PLAY_KNOWN_FAULTS=1 plays it anyway.
    const char* knownFaults = getenv("VORN_PLAY_KNOWN_FAULTS");
    if (knownFaults == nullptr || std::string(knownFaults) != "1")
    {
        GTEST_SKIP() << "known faults: enemies out of the player's reach on Normal and Hard";
    }
    // The difficulty screen comes once the story has been finished; Hard opens after Normal.
    m_game->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_1", 1.0f);
    playStory(kDifficulty_Normal);
    playStory(kDifficulty_Hard);
}

TEST_F(PlayThrough, QuitAtEachStagesCheckpointAndContinueAfterARestart)
{
    press(VornPlayerInputMulti::kKeyEnter);
    StageCompleteScreen* complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
    const unsigned int stages = m_game->getLevelManager()->getLevels()->count();
    for (unsigned int stage = 0; stage < stages; ++stage)
    {
        const std::string name = levelName(stage);
        SCOPED_TRACE(name);
        ASSERT_TRUE(stepUntil([this, &name] { return m_game->getLevelScript() == name && !m_game->isPaused(); }));
        // Play on until the stage saves a checkpoint of its own past its start.
        const std::string atStart = CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction");
        ASSERT_TRUE(playUntil([this, &atStart] {
            return CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction") != atStart;
        }, kStageFrames)) << "no checkpoint past the start of " << name;
        const std::string saved = CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction");

        // Quit to the title, leave the game, start it again and press Continue.
        m_game->quitToTitleScreen();
        ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
        shutDown();
        CCUserDefault::purgeSharedUserDefault();
        boot();
        press(VornPlayerInputMulti::kKeyEnter);
        ASSERT_TRUE(stepUntil([this, &name] { return m_game->getLevelScript() == name && !m_game->isPaused(); }))
            << "Continue did not come back to " << name << " but to " << m_game->getLevelScript();
        for (int i = 0; i < 30; ++i)
        {
            frame();
        }
        EXPECT_EQ(name, m_game->getLevelScript()) << "the level list moved on from the restored stage";
        EXPECT_EQ(saved, CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction"));

        // Then on to the end of the stage.
        GameOverScreen* gameOver = static_cast<GameOverScreen*>(m_game->getGameOverScreen());
        complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
        bool finished = false;
        for (int attempt = 0; attempt < 20 && !finished; ++attempt)
        {
            finished = playUntil([complete, gameOver] { return complete->isOpen() || gameOver->isOpen(); },
                                 kStageFrames) &&
                       complete->isOpen();
            if (gameOver->isOpen())
            {
                confirm(gameOver);
                answerLevelUp();
                stepUntil([this] { return !m_game->isPaused(); });
            }
        }
        ASSERT_TRUE(finished) << name << " not finished after continuing" << enemiesSeen();
        confirm(complete);
        answerLevelUp();
    }
    EXPECT_EQ("", m_checks->firstFailure());
    EXPECT_EQ("", problems());
}

TEST_F(PlayThrough, EveryArenaWithEveryFighterToItsResults)
{
    ArenaModeHelper* arenas = title()->getArenaModeHelper();
    ASSERT_NE(nullptr, arenas);
    VornScreen* results = m_game->getArenaCompleteScreen();
    ASSERT_NE(nullptr, results);
    // Under the sanitizers the set is played with the first fighter only, to keep CI short.
    const char* quick = getenv("VORN_PLAY_QUICK");
    const int fighters = quick && std::string(quick) == "1" ? 1 : arenas->getNumCharacters();
    for (int c = 0; c < fighters; ++c)
    {
        const std::string character = arenas->getCharacterType(c);
        for (int a = 0; a < arenas->getNumArenas(); ++a)
        {
            const std::string level = arenas->getArenaLevelName(a);
            SCOPED_TRACE(character + " in " + level);
            // Known fault (issue 18): a second match in one session runs out its clock without
            // showing the results, so each match is played in a freshly started game.
            if (c > 0 || a > 0)
            {
                shutDown();
                boot();
                arenas = title()->getArenaModeHelper();
                results = m_game->getArenaCompleteScreen();
            }
            // As picked on the title's fighter and arena pages.
            m_game->getPlayer()->setPlayerDesc(character + ".plist");
            arenas->setCurrentArenaIndex(a);
            m_game->onLevelChosen(level.c_str());
            ASSERT_TRUE(stepUntil([this, &level] { return m_game->getLevelScript() == level && !m_game->isPaused(); }));
            ASSERT_TRUE(playUntil([results] { return results->isOpen(); }, kStageFrames))
                << "the match did not end; clock " << m_game->getArenaManager()->getTimeLeft() << " running "
                << m_game->getArenaManager()->isRunning() << ", results visible " << results->isVisible()
                << ", timer visible " << m_game->getHUD()->getArenaTimerScreen()->isVisible() << " timeline "
                << m_game->getHUD()->getArenaTimerScreen()->isTimelineRunning() << ", temp paused "
                << m_game->getTempPaused() << ", player alive " << m_game->getPlayer()->isAlive() << enemiesSeen();
            ASSERT_EQ("", m_checks->firstFailure());
            // Back to the title from the results, as a player leaves the arena.
            static_cast<ArenaCompleteScreen*>(results)->onQuit();
            ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }, 1200));
        }
    }
    EXPECT_EQ("", problems());
}

// A pad SDL recognises, with no saved controls: the title's menu and the first stage are played on
// its default buttons alone (A to choose, the D-pad to walk, X, B, Y and a shoulder to fight).
TEST_F(PlayThrough, FirstStageOnARecognisedPadWithNoRemapping)
{
    ASSERT_EQ("", CCUserDefault::sharedUserDefault()->getStringForKey("UserControls"));
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Virtual Brawl Pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    InputHandler_DesktopGamepad* pads = static_cast<InputHandler_DesktopGamepad*>(
        InputManager::sharedInputManager()->getHandlerWithName("DesktopGamepadHandler"));
    ASSERT_TRUE(stepUntil([pads] { return pads->getDeviceCount() == 1; }, 30));
    SDL_Joystick* pad = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
    ASSERT_NE(nullptr, pad);
    m_player->usePad(pad);
    const auto padPress = [this, pad](SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(pad, button, 1);
        frame();
        frame();
        SDL_JoystickSetVirtualButton(pad, button, 0);
        frame();
        frame();
    };

    padPress(SDL_CONTROLLER_BUTTON_A);
    const std::string name = levelName(0);
    ASSERT_TRUE(stepUntil([this, &name] { return m_game->getLevelScript() == name && !m_game->isPaused(); }));
    StageCompleteScreen* complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
    GameOverScreen* gameOver = static_cast<GameOverScreen*>(m_game->getGameOverScreen());
    bool finished = false;
    for (int attempt = 0; attempt < 5 && !finished; ++attempt)
    {
        finished = playUntil([complete, gameOver] { return complete->isOpen() || gameOver->isOpen(); },
                             kStageFrames) &&
                   complete->isOpen();
        if (gameOver->isOpen())
        {
            for (int i = 0; i < 400 && gameOver->isVisible(); ++i)
            {
                if (i > 240 && i % 20 == 0)
                {
                    padPress(SDL_CONTROLLER_BUTTON_A);
                }
                frame();
            }
            stepUntil([this] { return !m_game->isPaused(); });
        }
    }
    EXPECT_TRUE(finished) << name << " not finished on the pad" << enemiesSeen();
    EXPECT_EQ("", m_checks->firstFailure());
    EXPECT_EQ("", CCUserDefault::sharedUserDefault()->getStringForKey("UserControls"));
    m_player->usePad(NULL);
    SDL_JoystickDetachVirtual(index);
    EXPECT_EQ("", problems());
}
