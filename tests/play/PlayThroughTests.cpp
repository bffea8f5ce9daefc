// The whole game played as a person plays it: booted as the program boots it, driven only through
// the keyboard, one 1/60 s frame (the game's own) at a time, with what a player sees checked after
// every frame.
#include "AchievementScreen.h"
#include "ArenaCompleteScreen.h"
#include "ArenaManager.h"
#include "ArenaModeHelper.h"
#include "ArenaTimerScreen.h"
#include "CCUserDefault.h"
#include "CinemascopeScreen.h"
#include "HUD.h"
#include "HighScoreItem.h"
#include "HighScoreManager.h"
#include "HighScoreTable.h"
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
#include "LocaleManager.h"
#include "PlayerHealthScreen.h"
#include "RestartManager.h"
#include "SpeechScreen.h"
#include "StageCompleteScreen.h"
#include "TitleScreen.h"
#include "VornAchievementsManager.h"
#include "VornAutoPlayer.h"
#include "VornBackdrop.h"
#include "VornGameManager.h"
#include "VornPlayChecks.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"
#include "VornBootedGame.h"
#include "VornScriptEngine.h"
#include "VornLuaProbe.h"
#include "VornNodeBounds.h"
#include "VornTestSupport.h"
#include "lua_engine.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <set>
#include <sstream>

USING_NS_CC;

namespace
{
const float kFrame = vorntest::BootedGame::kFrame;
// A stage the simple player cannot finish in this much play is a failure to report, not a wait.
const int kStageFrames = (int)(600.0f / kFrame);

/** The first sprite under `root` that draws `texture`. */
CCSprite* spriteShowing(CCNode* root, CCTexture2D* texture)
{
    CCObject* child = nullptr;
    CCARRAY_FOREACH(root->getChildren(), child)
    {
        CCSprite* sprite = dynamic_cast<CCSprite*>(child);
        if (sprite && sprite->getTexture() == texture)
        {
            return sprite;
        }
        if (CCSprite* found = spriteShowing(static_cast<CCNode*>(child), texture))
        {
            return found;
        }
    }
    return nullptr;
}

/** A thing a player reads on screen, named for messages, and its box in the window. */
struct ReadBox
{
    std::string what;
    CCRect box;
};

/** What a player reads under `root` (texts, pictures and bars that are shown), `skip` left out;
 *  anything of `largest` area or more is a panel, backdrop or fade behind them and left out too. */
void collectReadable(CCNode* root, CCNode* skip, float largest, const std::string& screen, std::vector<ReadBox>* out)
{
    CCObject* child = nullptr;
    CCARRAY_FOREACH(root->getChildren(), child)
    {
        CCNode* node = static_cast<CCNode*>(child);
        if (!node->isVisible() || node == skip)
        {
            continue;
        }
        CCRGBAProtocol* tint = dynamic_cast<CCRGBAProtocol*>(node);
        const CCRect box = vorntest::worldBox(node);
        const bool seen = (!tint || tint->getOpacity() > 0) && box.size.width * box.size.height < largest;
        if (CCLabelBMFont* label = dynamic_cast<CCLabelBMFont*>(node))
        {
            if (seen)
            {
                out->push_back({ screen + " \"" + label->getString() + "\"", box });
            }
            continue;  // its letters are its own sprites
        }
        if (seen && (dynamic_cast<CCSprite*>(node) || dynamic_cast<CCLayerColor*>(node)))
        {
            out->push_back({ screen + " picture", box });
        }
        collectReadable(node, skip, largest, screen, out);
    }
}

class PlayThrough : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vorntest::BootedGame::useFreshHome("play-home");
        ASSERT_NO_FATAL_FAILURE(boot());
    }
    void TearDown() override
    {
        if (m_checks)
        {
            // Enemies over the player are part of a brawl: a figure to watch, not a failure.
            std::ostringstream hidden;
            for (const auto& stage : m_checks->longestHiddenByEnemies())
            {
                hidden << stage.first << " " << stage.second << " s; ";
            }
            std::cout << "longest time the player was over half hidden by enemies: " << hidden.str() << std::endl;
        }
        shutDown();
    }

    /** The program's start: the game scene, the splash, then the title; every frame checked. */
    void boot()
    {
        if (pictureFolder())
        {
            // Pictures need frames drawn: a window of the game's size on the software renderer.
            vorntest::useViewOfSize(m_boot.windowWidth, m_boot.windowHeight);
        }
        m_boot.afterFrame = [this](int frame) {
            if (m_checks)
            {
                m_checks->check(frame, kFrame);
                m_checks->checkLog(frame, m_boot.log().lines());
            }
        };
        ASSERT_NO_FATAL_FAILURE(m_boot.boot());
        m_game = m_boot.game();
        m_keyboard = m_boot.keyboard();
        m_player = new VornAutoPlayer(m_game, m_keyboard, kFrame);
        m_checks = new VornPlayChecks(m_game);
    }
    void shutDown()
    {
        delete m_checks;
        delete m_player;
        m_checks = nullptr;
        m_player = nullptr;
        m_boot.shutDown();
    }

    /** Where VORN_SCREENSHOT_DIR asks the runs to leave their pictures; none when unset. */
    static const char* pictureFolder()
    {
        const char* dir = getenv("VORN_SCREENSHOT_DIR");
        return dir && *dir ? dir : nullptr;
    }
    /** Saves what the window shows now as <name>.png, when pictures are asked for. */
    void shot(const std::string& name)
    {
        if (pictureFolder())
        {
            EXPECT_TRUE(CCRenderer::sharedRenderer()->saveToPNG((std::string(pictureFolder()) + "/" + name + ".png").c_str()));
        }
    }

    TitleScreen* title() { return m_boot.title(); }
    void frame() { m_boot.frame(); }
    bool stepUntil(const std::function<bool()>& done, int limit = vorntest::BootedGame::kPatience) { return m_boot.stepUntil(done, limit); }
    void press(int code) { m_boot.press(code); }
    std::string problems() const { return m_boot.problems(); }

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
            m_player->decide(m_boot.frameCount());
            frame();
        }
        m_player->releaseAll();
        return done();
    }

    /** Every move the autoplayer set out on came out of the keys at least once; it was never
     *  held against something and had to step round it. */
    void expectMovesCameOut()
    {
        EXPECT_EQ("", m_player->movesNeverMade()) << "moves tried from the keys that never came out";
        // Walking on, held against something with the way on shown: a player would be stuck there.
        std::ostringstream stuck;
        for (const std::string& where : m_player->stepRounds())
        {
            stuck << where << "; ";
        }
        EXPECT_EQ("", stuck.str()) << "the autoplayer had to step round what held it on its way on";
        // A throw is pressed only while holding, some while a knee still plays: each one comes.
        for (int move : { VornAutoPlayer::kMove_ThrowAhead, VornAutoPlayer::kMove_ThrowBehind })
        {
            EXPECT_EQ(m_player->tries(move), m_player->made(move)) << VornAutoPlayer::moveName(move) << " pressed, not made";
        }
        std::ostringstream tried;
        for (int move = 0; move < VornAutoPlayer::kMove_MAX; ++move)
        {
            tried << VornAutoPlayer::moveName(move) << " " << m_player->made(move) << "/" << m_player->tries(move) << "; ";
        }
        int held = 0;
        for (const VornAutoPlayer::GrabTry& grab : m_player->grabTries())
        {
            held += grab.held ? 1 : 0;
        }
        std::cout << "moves made/tried: " << tried.str() << "walk-ins on a dazed enemy that held: " << held << " of "
                  << m_player->grabTries().size() << std::endl;
    }

    /** Steps on (fighting while in play) until the pop-up queued now has come and gone; on every
     *  frame it shows, what its box covers of the HUD and the result screens goes to `covered`. */
    void watchPopUpOver(const std::string& where, std::set<std::string>* covered)
    {
        AchievementScreen* popUp = m_game->getAchievementScreen();
        CCSprite* ribbon = spriteShowing(popUp, CCTextureCache::sharedTextureCache()->addImage("hud-ribbon.png"));
        ASSERT_NE(nullptr, ribbon) << "the pop-up has no box";
        const CCSize window = CCDirector::sharedDirector()->getWinSize();
        const float largest = window.width * window.height / 4.0f;
        bool shown = false;
        int shownFrames = 0;
        for (int i = 0; i < 60 * 60; ++i)
        {
            if (!m_game->isPaused())
            {
                m_player->decide(m_boot.frameCount());
            }
            frame();
            if (!vorntest::isShown(popUp))
            {
                if (shown && popUp->getQueue().empty())
                {
                    break;
                }
                continue;
            }
            shown = true;
            if (++shownFrames == (int)(1.0f / kFrame))
            {
                std::string name = "achievement-" + where;
                std::replace(name.begin(), name.end(), ' ', '-');
                shot(name);
            }
            std::vector<ReadBox> read;
            HUD* hud = m_game->getHUD();
            // Behind a result screen the HUD is dimmed out: the screen is what is read then.
            if (vorntest::isShown(hud) && !m_game->isResultScreenShowing())
            {
                // The letterbox bars of a cut scene are black, with nothing on them to read.
                collectReadable(hud, hud->getCinemascopeScreen(), largest, "HUD", &read);
            }
            const std::pair<const char*, VornScreen*> screens[] = {
                { "stage complete", m_game->getStageCompleteScreen() },
                { "arena complete", m_game->getArenaCompleteScreen() },
                { "level up", m_game->getLevelUpScreen() },
                { "game over", m_game->getGameOverScreen() },
                { "pause", m_game->getPauseScreen() },
            };
            for (const auto& screen : screens)
            {
                if (screen.second && vorntest::isShown(screen.second))
                {
                    collectReadable(screen.second, nullptr, largest, screen.first, &read);
                }
            }
            const CCRect box = vorntest::worldBox(ribbon);
            for (const ReadBox& thing : read)
            {
                if (vorntest::overlaps(box, thing.box, 0.5f))
                {
                    covered->insert(where + ": \"" + popUp->getTitle()->getString() + "\" over " + thing.what +
                                    " at " + vorntest::describe(thing.box));
                }
            }
        }
        m_player->releaseAll();
        EXPECT_TRUE(shown) << where << ": no pop-up came";
    }

    /** Presses the action key on a result screen until it goes, as an impatient player would. */
    void confirm(VornScreen* screen, const std::string& picture = "")
    {
        for (int i = 0; i < 800 && screen->isVisible(); ++i)
        {
            if (i == 60 && !picture.empty())
            {
                shot(picture);
            }
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

    /** Knocked out: Continue on the game-over screen, points due spent, back in play, as a player would. */
    void continueAfterGameOver()
    {
        confirm(m_game->getGameOverScreen());
        answerLevelUp();
        stepUntil([this] { return !m_game->isPaused(); });
    }

    /** Plays on until `done`, taking a continue at every game over; false when `limit` frames of
     *  play (the screens between not counted) run out first. */
    template <class Condition>
    bool playOnUntil(Condition done, int limit)
    {
        VornScreen* gameOver = m_game->getGameOverScreen();
        for (int played = 0; played < limit;)
        {
            const int before = m_boot.frameCount();
            playUntil([&done, gameOver] { return done() || gameOver->isOpen(); }, limit - played);
            played += m_boot.frameCount() - before;
            if (done())
            {
                return true;
            }
            if (!gameOver->isOpen())
            {
                break;
            }
            continueAfterGameOver();
            if (gameOver->isOpen())
            {
                break;  // Continue did not take: reported by the caller's own check
            }
        }
        return done();
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

    /** What a frame of play comes to, exactly: every fighter's place, health and action, and the score. */
    std::string worldState()
    {
        std::ostringstream out;
        out << std::hexfloat;
        const auto fighter = [&out](const char* who, VornActor* actor) {
            out << who << " " << actor->getBasePosition().x << "," << actor->getBasePosition().y << " "
                << actor->getHealthValue() << " " << (actor->getAction() ? actor->getAction()->getName() : "") << "; ";
        };
        fighter("player", m_game->getPlayer());
        for (BotActor* bot : m_game->getBotManager()->getActiveBots())
        {
            fighter("enemy", bot);
        }
        out << "score " << m_game->getPlayer()->getScore();
        return out.str();
    }

    /** A picture of the stage ten seconds in, and one of its boss fight once the boss bar shows. */
    void takeStagePictures(const std::string& stage, int framesPlayed)
    {
        if (framesPlayed == (int)(10.0f / kFrame))
        {
            shot("stage-" + stage);
        }
        // The boss bar opens as he makes his entrance: the picture waits until he has walked in.
        VornScreen* bossBar = m_game->getHUD()->getBossHealthScreen();
        if (m_bossBarFrames >= 0 && bossBar->isVisible() && bossBar->isOpen() && ++m_bossBarFrames == (int)(4.0f / kFrame))
        {
            m_bossBarFrames = -1;
            shot("boss-" + stage);
        }
        // With the boss down, the story's last scene: pictured a second into its first line.
        HUD* hud = m_game->getHUD();
        if (m_bossBarFrames < 0 && m_endingFrames >= 0 && !bossBar->isVisible() && hud->isCinemascopeActive() &&
            hud->getSpeechScreen()->isVisible() && ++m_endingFrames == (int)(1.0f / kFrame))
        {
            m_endingFrames = -1;
            shot("ending-" + stage);
        }
    }

    /** A new story from the title on this difficulty (chosen when the game offers a choice);
     *  answers the difficulty screen, if one opened. */
    ChooseDifficultyScreen* startStory(int difficulty)
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
        return chooser;
    }

    /** Title to the end of the story on one difficulty, every stage played through. */
    void playStory(int difficulty)
    {
        ChooseDifficultyScreen* chooser = startStory(difficulty);
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
            const int start = m_boot.frameCount();
            const bool finished = playOnUntil(
                [this, complete, &name, start, difficulty] {
                    if (difficulty == kDifficulty_Easy)
                    {
                        takeStagePictures(name, m_boot.frameCount() - start);
                    }
                    return complete->isOpen();
                },
                kStageFrames);
            ASSERT_TRUE(finished) << name << " not finished in " << kStageFrames * kFrame << " s of play ("
                                  << m_game->getTimeInLevel() << " s since the last continue), game over open "
                                  << gameOver->isOpen() << "; "
                                  << m_game->getBotManager()->getNumActiveBots() << " enemies in play, player at "
                                  << m_game->getPlayer()->getBasePosition().x << ","
                                  << m_game->getPlayer()->getBasePosition().y << ", queued "
                                  << m_game->getBotManager()->getNumQueuedBots() << ", enemies paused "
                                  << m_game->getBotManager()->isPaused() << ", alive " << m_game->getPlayer()->isAlive()
                                  << enemiesSeen();
            ASSERT_EQ("", m_checks->firstFailure());
            confirm(complete, difficulty == kDifficulty_Easy ? "stage-complete-" + name : "");
            answerLevelUp();
        }
        ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }, 1200)) << "the story did not end at the title";
        // The last stage ended through its results too, and then the story was complete.
        VornAchievementsManager* achievements = m_game->getAchievementsManager();
        EXPECT_TRUE(achievements->isAchievementUnlocked(
            ("achievement.grandor.completed_level_" + std::to_string(stages)).c_str()));
        EXPECT_TRUE(achievements->isAchievementUnlocked(
            ("achievement.grandor.completed_game_" + std::to_string(difficulty + 1)).c_str()));
        EXPECT_FALSE(m_game->getRestartManager()->getHasCheckpoint());
        EXPECT_EQ("", m_checks->firstFailure());
        EXPECT_EQ("", problems());
        expectMovesCameOut();
    }

    vorntest::BootedGame m_boot;
    VornGameManager* m_game = nullptr;
    InputHandler_Keyboard* m_keyboard = nullptr;
    VornAutoPlayer* m_player = nullptr;
    VornPlayChecks* m_checks = nullptr;
    int m_bossBarFrames = 0;  ///< frames the boss bar has been open, -1 once pictured
    int m_endingFrames = 0;   ///< frames of the last scene, -1 once pictured
};
} // namespace

TEST_F(PlayThrough, StoryOnEasy)
{
    shot("title");
    playStory(kDifficulty_Easy);
}

TEST_F(PlayThrough, StoryOnNormalThenOnHard)
{
    // The difficulty screen comes once the story has been finished; Hard opens after Normal.
    m_game->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_1", 1.0f);
    playStory(kDifficulty_Normal);
    // Under the sanitizers Normal alone, to keep CI short.
    const char* quick = getenv("VORN_PLAY_QUICK");
    if (quick == nullptr || std::string(quick) != "1")
    {
        playStory(kDifficulty_Hard);
    }
}

// What a new player meets first: the street's opening thugs two at most at once, on every
// difficulty, and every one of them from ahead, none behind him, until that wave is down.
TEST_F(PlayThrough, TheFirstStreetsOpeningWaveComesFromAheadAFewAtATime)
{
    const struct
    {
        int difficulty;
        int atOnce;
        int wave;  ///< thugs in it
    } cases[] = { { kDifficulty_Easy, 2, 3 }, { kDifficulty_Normal, 2, 3 }, { kDifficulty_Hard, 2, 4 } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE("difficulty " + std::to_string(c.difficulty));
        // A new start each time: no checkpoint to continue from.
        shutDown();
        m_boot.forgetProgress = true;
        ASSERT_NO_FATAL_FAILURE(boot());
        // Every difficulty offered, as after the story on Normal.
        m_game->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_1", 1.0f);
        m_game->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_2", 1.0f);
        startStory(c.difficulty);
        ASSERT_TRUE(stepUntil([this] { return m_game->getLevelScript() == levelName(0) && !m_game->isPaused(); }));
        ASSERT_EQ(c.difficulty, m_game->getStoryDifficultyLevel());

        // Watched until every one of the wave has come in (a new fighter on Hard, which the game
        // offers only after Normal, need not beat it) or it is down.
        int most = 0;
        int cameIn = 0;
        std::string behind;
        std::set<BotActor*> before;
        const bool seen = playOnUntil(
            [&] {
                // Down once the stage has moved on from it (the next may start the same frame). A
                // continue loads the level in a new script state.
                lua_State* L = m_game->getScriptEngine()->getLuaState();
                const std::string wave = vorntest::luaValue(L, "wave");
                if (wave != "0" && wave != "1")
                {
                    return true;
                }
                if (wave == "1" && vorntest::luaValue(L, "waveLeft") == "0")
                {
                    return true;
                }
                std::set<BotActor*> now;
                for (BotActor* bot : m_game->getBotManager()->getActiveBots())
                {
                    now.insert(bot);
                    const float playerX = m_game->getPlayer()->getBasePosition().x;
                    cameIn += before.count(bot) == 0 ? 1 : 0;
                    if (before.count(bot) == 0 && bot->getBasePosition().x < playerX)
                    {
                        behind += "one came in at " + std::to_string((int)bot->getBasePosition().x) +
                                  " behind the player at " + std::to_string((int)playerX) + "; ";
                    }
                }
                before.swap(now);
                most = std::max(most, (int)before.size());
                return cameIn >= c.wave;
            },
            kStageFrames);
        ASSERT_TRUE(seen) << "the opening wave neither came in whole nor was beaten" << enemiesSeen();
        EXPECT_EQ(c.wave, cameIn);
        EXPECT_LE(most, c.atOnce) << "enemies of the opening wave on screen at once";
        EXPECT_EQ("", behind);
        EXPECT_EQ("", m_checks->firstFailure());
    }
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
        ASSERT_TRUE(playOnUntil([this, &atStart] {
            return CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction") != atStart;
        }, kStageFrames)) << "no checkpoint past the start of " << name << enemiesSeen();
        const std::string saved = CCUserDefault::sharedUserDefault()->getStringForKey("checkpointFunction");

        // Quit to the title, leave the game, start it again and press Continue.
        m_game->quitToTitleScreen();
        ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
        shutDown();
        CCUserDefault::purgeSharedUserDefault();
        ASSERT_NO_FATAL_FAILURE(boot());
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
        complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
        ASSERT_TRUE(playOnUntil([complete] { return complete->isOpen(); }, kStageFrames))
            << name << " not finished after continuing" << enemiesSeen();
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
    // The pop-up of an arena-games tier that a match completes names the matches played so far.
    VornAchievementsManager* achievements = m_game->getAchievementsManager();
    std::vector<std::string> gameTiers;
    for (int tier = 1; tier <= 5; ++tier)
    {
        gameTiers.push_back("achievement.grandor.arena_num_games_tier_" + std::to_string(tier));
    }
    int matches = 0;
    std::set<std::string> completedTiers;
    std::ostringstream miscounted;
    for (int c = 0; c < fighters; ++c)
    {
        const std::string character = arenas->getCharacterType(c);
        for (int a = 0; a < arenas->getNumArenas(); ++a)
        {
            const std::string level = arenas->getArenaLevelName(a);
            SCOPED_TRACE(character + " in " + level);
            // As picked on the title's fighter and arena pages, whose start closes the title.
            m_game->getPlayer()->setPlayerDesc(character + ".plist");
            arenas->setCurrentArenaIndex(a);
            m_game->onLevelChosen(level.c_str());
            title()->onClosed();
            ASSERT_TRUE(stepUntil([this, &level] { return m_game->getLevelScript() == level && !m_game->isPaused(); }));
            const int start = m_boot.frameCount();
            ASSERT_TRUE(playUntil(
                [this, results, c, start, &level] {
                    if (c == 0 && m_boot.frameCount() - start == (int)(20.0f / kFrame))
                    {
                        shot("arena-" + level);
                    }
                    return results->isOpen();
                },
                kStageFrames))
                << "the match did not end; clock " << m_game->getArenaManager()->getTimeLeft() << " running "
                << m_game->getArenaManager()->isRunning() << ", results visible " << results->isVisible()
                << ", timer visible " << m_game->getHUD()->getArenaTimerScreen()->isVisible() << " timeline "
                << m_game->getHUD()->getArenaTimerScreen()->isTimelineRunning() << ", temp paused "
                << m_game->getTempPaused() << ", player alive " << m_game->getPlayer()->isAlive() << enemiesSeen();
            ASSERT_EQ("", m_checks->firstFailure());
            if (c == 0 && a == 0 && pictureFolder())
            {
                stepUntil([results] { return !results->isTimelineRunning(); });
                shot("arena-results");
            }
            ++matches;
            for (const std::string& tier : gameTiers)
            {
                if (!achievements->isAchievementUnlocked(tier.c_str()) || !completedTiers.insert(tier).second)
                {
                    continue;
                }
                const std::string told = LocaleManager::sharedLocaleManager()->localize(("post_" + tier).c_str());
                if (told.find(" " + std::to_string(matches) + " arena games") == std::string::npos)
                {
                    miscounted << tier << " after " << matches << " matches: \"" << told << "\"; ";
                }
            }
            // Back to the title from the results, as a player leaves the arena: levels the bar
            // makes are offered first.
            static_cast<ArenaCompleteScreen*>(results)->onQuit();
            answerLevelUp();
            ASSERT_TRUE(stepUntil([this, results] {
                return !results->isVisible() && m_game->isPaused() && title()->isVisible() && title()->isOpen();
            }, 1200));
        }
    }
    EXPECT_EQ("", problems());
    EXPECT_EQ("", miscounted.str());
    if (fighters == arenas->getNumCharacters())
    {
        EXPECT_TRUE(achievements->isAchievementUnlocked(gameTiers[0].c_str())) << matches << " matches";
    }
    expectMovesCameOut();
    // What the arena's tasks came to, played for: every kind can be done, and was.
    std::ostringstream done;
    std::ostringstream never;
    for (const std::string& kind : VornAutoPlayer::taskKinds())
    {
        auto count = m_player->tasksCompleted().find(kind);
        const int times = count == m_player->tasksCompleted().end() ? 0 : count->second;
        done << kind << " " << times << "; ";
        never << (times == 0 ? kind + "; " : "");
    }
    std::cout << "arena tasks completed: " << done.str() << std::endl;
    if (fighters == arenas->getNumCharacters())
    {
        // The short set draws too few tasks for every kind to come up.
        EXPECT_EQ("", never.str()) << "arena tasks never completed in any match";
    }
}

// Booted again twice in one process, with the same seed and the same keys, the first stage plays
// out the same frame by frame: nothing in it may hang on where the heap put things or on the clock.
// (Both runs come after a first boot, so both find the same process-wide services.)
TEST_F(PlayThrough, TheFirstStagePlaysTheSameOnEveryBoot)
{
    std::vector<std::string> runs[2];
    for (std::vector<std::string>& states : runs)
    {
        shutDown();
        vorntest::BootedGame::useFreshHome("play-home-" + std::to_string(&states - runs));
        ASSERT_NO_FATAL_FAILURE(boot());
        press(VornPlayerInputMulti::kKeyEnter);
        ASSERT_TRUE(stepUntil([this] { return m_game->getLevelScript() == levelName(0) && !m_game->isPaused(); }));
        VornScreen* complete = m_game->getStageCompleteScreen();
        VornScreen* gameOver = m_game->getGameOverScreen();
        playUntil([this, &states, complete, gameOver] {
            states.push_back(worldState());
            return complete->isOpen() || gameOver->isOpen();
        }, (int)(60.0f / kFrame));
        ASSERT_EQ("", m_checks->firstFailure());
    }
    const size_t frames = std::min(runs[0].size(), runs[1].size());
    for (size_t i = 0; i < frames; ++i)
    {
        ASSERT_EQ(runs[0][i], runs[1][i]) << "the boots part at frame " << i << " of the stage";
    }
    EXPECT_EQ(runs[0].size(), runs[1].size()) << "one boot ended the stage sooner";
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

TEST_F(PlayThrough, EachKnockOutCountsOnceTowardsTakingOutEnemies)
{
    const char* kTier = "achievement.grandor.take_out_enemies_tier1";
    m_game->getAchievementsManager()->resetAllAchievements();
    press(VornPlayerInputMulti::kKeyEnter);
    ASSERT_TRUE(stepUntil([this] { return m_game->getLevelScript() == levelName(0) && !m_game->isPaused(); }));
    // The stage's own count of enemies down, which a continue starts again.
    auto stageKills = [this] {
        lua_State* L = m_game->getScriptEngine()->getLuaState();
        lua_getglobal(L, "kills");
        int kills = (int)lua_tonumber(L, -1);
        lua_pop(L, 1);
        return kills;
    };
    StageCompleteScreen* complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
    GameOverScreen* gameOver = static_cast<GameOverScreen*>(m_game->getGameOverScreen());
    int knockedOut = 0;
    int seen = 0;
    for (int i = 0; i < kStageFrames && !complete->isOpen(); ++i)
    {
        if (gameOver->isOpen())
        {
            continueAfterGameOver();
        }
        m_player->decide(m_boot.frameCount());
        frame();
        int kills = stageKills();
        if (kills < seen)
        {
            knockedOut += seen;
        }
        seen = kills;
    }
    m_player->releaseAll();
    ASSERT_TRUE(complete->isOpen()) << enemiesSeen();
    knockedOut += seen;
    ASSERT_GE(knockedOut, 7);
    AchievementInfo* tier = m_game->getAchievementsManager()->getAchievement(kTier);
    ASSERT_NE(nullptr, tier);
    EXPECT_NEAR(knockedOut * 0.01f, tier->getProgress(), 0.001f) << knockedOut << " knocked out";
}

// A stage cleared without a knock-out is a score like any other: the results show it as the
// stage's best when nothing better was made, and it is kept for the next game.
TEST_F(PlayThrough, AStageWonWithoutAKnockOutEntersItsScoreAsTheBest)
{
    press(VornPlayerInputMulti::kKeyEnter);
    const std::string first = levelName(0);
    ASSERT_TRUE(stepUntil([this, &first] { return m_game->getLevelScript() == first && !m_game->isPaused(); }));
    HighScoreTable* table = m_game->getHighScoreManager()->getTable(first.c_str());
    ASSERT_NE(nullptr, table);
    ASSERT_EQ(0u, table->getItems()->count());
    StageCompleteScreen* complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
    GameOverScreen* gameOver = static_cast<GameOverScreen*>(m_game->getGameOverScreen());
    ASSERT_TRUE(playUntil([complete, gameOver] { return complete->isOpen() || gameOver->isOpen(); }, kStageFrames));
    ASSERT_TRUE(complete->isOpen()) << "knocked out on the first stage" << enemiesSeen();
    const int score = m_game->getPlayer()->getScore();
    ASSERT_GT(score, 0);
    EXPECT_STREQ(complete->getScoreLabel()->getString(), complete->getHighScoreLabel()->getString());
    ASSERT_EQ(1u, table->getItems()->count());
    EXPECT_EQ(score, static_cast<HighScoreItem*>(table->getItems()->objectAtIndex(0))->getScore());
    EXPECT_EQ(score, CCUserDefault::sharedUserDefault()->getIntegerForKey(table->getKey().c_str(), -1));
}

// Paused and resumed, the pop-up for it drops in with its words inside its box; so do the pop-ups
// of every other achievement, each with its own title and description.
TEST_F(PlayThrough, AchievementPopUpsKeepTheirWordsInsideTheirBox)
{
    press(VornPlayerInputMulti::kKeyEnter);
    const std::string first = levelName(0);
    ASSERT_TRUE(stepUntil([this, &first] { return m_game->getLevelScript() == first && !m_game->isPaused(); }));
    VornScreen* pause = m_game->getPauseScreen();
    press(VornPlayerInputMulti::kKeyEscape);
    ASSERT_TRUE(stepUntil([pause] { return pause->isOpen(); })) << "Escape did not pause";
    press(VornPlayerInputMulti::kKeyEscape);
    ASSERT_TRUE(stepUntil([this] { return !m_game->isPaused(); })) << "Escape did not resume";

    AchievementScreen* popUp = m_game->getAchievementScreen();
    CCSprite* box = spriteShowing(popUp, CCTextureCache::sharedTextureCache()->addImage("hud-ribbon.png"));
    ASSERT_NE(nullptr, box) << "the pop-up has no box";
    // Shown one after another, each checked on every frame it is up.
    std::set<std::string> shown;
    std::ostringstream outside;
    const auto watchPopUps = [&] {
        for (int i = 0; i < 200 * 60 && (popUp->isVisible() || !popUp->getQueue().empty()); ++i)
        {
            frame();
            if (!vorntest::isShown(popUp))
            {
                continue;
            }
            const std::string title = popUp->getTitle()->getString();
            if (!shown.insert(title).second)
            {
                continue;
            }
            const CCRect boxArea = vorntest::worldBox(box);
            for (CCLabelBMFont* label : { popUp->getTitle(), popUp->getDescription() })
            {
                if (!vorntest::isInside(vorntest::worldBox(label), boxArea))
                {
                    outside << "\"" << label->getString() << "\" " << vorntest::describe(vorntest::worldBox(label))
                            << " out of " << vorntest::describe(boxArea) << "; ";
                }
            }
        }
    };
    ASSERT_TRUE(stepUntil([popUp] { return vorntest::isShown(popUp); })) << "no pop-up after pausing";
    EXPECT_EQ("PAUSE MASTER", std::string(popUp->getTitle()->getString()));
    watchPopUps();

    std::vector<std::string> ids;
    CCDictElement* element = nullptr;
    CCDICT_FOREACH(m_game->getAchievementsManager()->getAchievements(), element)
    {
        ids.push_back(element->getStrKey());
    }
    std::sort(ids.begin(), ids.end());
    for (const std::string& id : ids)
    {
        m_game->getAchievementsManager()->setAchievementProgress(id.c_str(), 1.0f);
    }
    watchPopUps();
    EXPECT_EQ(ids.size(), shown.size()) << "pop-ups that never showed";
    EXPECT_EQ("", outside.str());
}

// Wherever an achievement pops up, on a wide and on a squarer window, it covers nothing the player
// reads there: the HUD of a story stage and of an arena match (the pause achievement, won by pausing
// and resuming) and the results of a stage won (the achievement for it).
TEST_F(PlayThrough, TheAchievementPopUpCoversNothingThePlayerReads)
{
    const CCSize windows[] = { CCSize(1280, 720), CCSize(1024, 768) };
    std::set<std::string> covered;
    const auto pauseAndResume = [this] {
        press(VornPlayerInputMulti::kKeyEscape);
        ASSERT_TRUE(stepUntil([this] { return m_game->getPauseScreen()->isOpen(); })) << "Escape did not pause";
        press(VornPlayerInputMulti::kKeyEscape);
        ASSERT_TRUE(stepUntil([this] { return !m_game->isPaused(); })) << "Escape did not resume";
    };
    for (const CCSize& window : windows)
    {
        const std::string shape = std::to_string((int)window.width) + "x" + std::to_string((int)window.height);
        SCOPED_TRACE(shape);
        // A story: the first stage, paused once, then won.
        shutDown();
        vorntest::BootedGame::useFreshHome("play-home-pop-up-story-" + shape);
        m_boot.windowWidth = window.width;
        m_boot.windowHeight = window.height;
        ASSERT_NO_FATAL_FAILURE(boot());
        press(VornPlayerInputMulti::kKeyEnter);
        const std::string first = levelName(0);
        ASSERT_TRUE(stepUntil([this, &first] { return m_game->getLevelScript() == first && !m_game->isPaused(); }));
        ASSERT_NO_FATAL_FAILURE(pauseAndResume());
        ASSERT_NO_FATAL_FAILURE(watchPopUpOver(shape + " story", &covered));
        VornScreen* complete = m_game->getStageCompleteScreen();
        ASSERT_TRUE(playOnUntil([complete] { return complete->isVisible(); }, kStageFrames)) << enemiesSeen();
        ASSERT_NO_FATAL_FAILURE(watchPopUpOver(shape + " stage complete", &covered));

        // An arena match, as the title's fighter and arena pages start one, paused once.
        shutDown();
        vorntest::BootedGame::useFreshHome("play-home-pop-up-arena-" + shape);
        ASSERT_NO_FATAL_FAILURE(boot());
        ArenaModeHelper* arenas = title()->getArenaModeHelper();
        const std::string level = arenas->getArenaLevelName(0);
        m_game->getPlayer()->setPlayerDesc(std::string(arenas->getCharacterType(0)) + ".plist");
        arenas->setCurrentArenaIndex(0);
        m_game->onLevelChosen(level.c_str());
        title()->onClosed();
        ASSERT_TRUE(stepUntil([this, &level] { return m_game->getLevelScript() == level && !m_game->isPaused(); }));
        // Into the match, its clock and tasks up.
        playUntil([] { return false; }, (int)(3.0f / kFrame));
        ASSERT_NO_FATAL_FAILURE(pauseAndResume());
        ASSERT_NO_FATAL_FAILURE(watchPopUpOver(shape + " arena", &covered));
    }
    std::ostringstream report;
    for (const std::string& line : covered)
    {
        report << line << "\n";
    }
    EXPECT_EQ("", report.str());
}

// The arena panel by keys alone: whichever way the focus went between the carousel and the bar
// below it, Return picks the fighter and then the arena, and the match starts.
TEST_F(PlayThrough, TheArenaPanelLeadsIntoAMatchByKeysWhereverTheFocusWent)
{
    const int up = VornPlayerInputMulti::kKeyUp;
    const int down = VornPlayerInputMulti::kKeyDown;
    const struct
    {
        const char* way;
        std::vector<int> keys;  ///< before Return, on each of the two pages
    } ways[] = {
        { "straight on", {} },
        { "down to the bar and back up", { down, up } },
        { "down to the bar, then up twice", { down, up, up } },
    };
    for (const auto& way : ways)
    {
        SCOPED_TRACE(way.way);
        if (&way != ways)
        {
            // A match started sends the title back to the arena page: each way from a fresh start.
            shutDown();
            ASSERT_NO_FATAL_FAILURE(boot());
        }
        ASSERT_TRUE(stepUntil([this] { return title()->isOpen() && !title()->isTimelineRunning(); }));
        // Arena is the title menu's second item.
        press(down);
        press(VornPlayerInputMulti::kKeyEnter);
        for (int page = 0; page < 2; ++page)
        {
            m_boot.frames(60);
            for (int key : way.keys)
            {
                press(key);
                m_boot.frames(20);
            }
            ASSERT_EQ(page, title()->getArenaPage());
            ASSERT_EQ(0, title()->getSelectedCharacterIndex()) << "a key meant for the focus changed the fighter";
            press(VornPlayerInputMulti::kKeyEnter);
        }
        ArenaModeHelper* arenas = title()->getArenaModeHelper();
        const std::string level = arenas->getArenaLevelName(arenas->getCurrentArenaIndex());
        ASSERT_TRUE(stepUntil([this, &level] { return m_game->getLevelScript() == level && !m_game->isPaused(); }))
            << "no match started; on page " << title()->getArenaPage();
    }
}
