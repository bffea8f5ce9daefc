// Every story level, every arena with every fighter, and every enemy kind of the setup tables,
// played in the booted game: none may ask for a frame, texture or file the resource pack lacks.
#include "ArenaModeHelper.h"
#include "BotActor.h"
#include "ChooseDifficultyScreen.h"
#include "GameOverScreen.h"
#include "HUD.h"
#include "BotManager.h"
#include "StageCompleteScreen.h"
#include "VornPlayerInputMulti.h"
#include "InputHandler_Keyboard.h"
#include "InputManager.h"
#include "LevelManager.h"
#include "RestartManager.h"
#include "TitleScreen.h"
#include "VornAchievementsManager.h"
#include "VornActionDesc.h"
#include "VornActionTypes.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornAutoPlayer.h"
#include "VornBootedGame.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

USING_NS_CC;

namespace
{
const float kFrame = vorntest::BootedGame::kFrame;

class ContentPlayTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        // Saved progress of earlier runs must not leak in.
        vorntest::BootedGame::useFreshHome("content-play-home");
        m_boot.forgetProgress = true;
        ASSERT_NO_FATAL_FAILURE(m_boot.boot());
        m_game = m_boot.game();
        m_keyboard = m_boot.keyboard();
    }
    virtual void TearDown() { m_boot.shutDown(); }

    TitleScreen* title() { return m_boot.title(); }
    void frames(int count) { m_boot.frames(count); }
    bool stepUntil(const std::function<bool()>& done, int limit = vorntest::BootedGame::kPatience) { return m_boot.stepUntil(done, limit); }
    /** Levels a result screen offers on leaving are spent with Return, and the level-up left. */
    void answerLevelUp()
    {
        VornScreen* levelUp = m_game->getLevelUpScreen();
        for (int i = 0; i < 60 && levelUp->isVisible(); ++i)
        {
            m_boot.press(VornPlayerInputMulti::kKeyEnter);
            frames(10);
        }
    }

    /** Plays the named level from the title for `seconds`, then goes back to the title. */
    void play(const std::string& level, float seconds)
    {
        SCOPED_TRACE(level);
        m_game->onLevelChosen(level.c_str());
        ASSERT_TRUE(stepUntil([this, &level] { return m_game->getLevelScript() == level; }));
        frames((int)(seconds / kFrame));
        // The level is under way: in play, with enemies sent in.
        EXPECT_FALSE(m_game->isPaused());
        EXPECT_GT(m_game->getBotManager()->getNumActiveBots(), 0);
    }
    void backToTitle()
    {
        m_game->quitToTitleScreen();
        ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
    }

    /** Every action of the descriptor, played one after another on the player. */
    void playEveryAction(VornActorDesc* desc)
    {
        VornPlayer* player = m_game->getPlayer();
        for (int type = 0; type < kVAT_MAX; ++type)
        {
            for (VornActionDesc* action : desc->getActionsForType(type))
            {
                player->doActionByName(action->getName().c_str());
                frames(20);
            }
        }
    }

    /** Every line the game logged about something it could not find, one per line. */
    std::string missing() const
    {
        std::ostringstream out;
        std::set<std::string> seen;
        for (const std::string& line : m_boot.log().lines())
        {
            if ((line.find("not found") != std::string::npos || line.find("cannot") != std::string::npos ||
                 line.find("ERROR") != std::string::npos) &&
                seen.insert(line).second)
            {
                out << line << "\n";
            }
        }
        return out.str();
    }

    /** The autoplayer plays until `done` or the time runs out; answers whether done came. */
    template <class Condition>
    bool autoplay(Condition done, float seconds)
    {
        VornAutoPlayer player(m_game, m_keyboard, kFrame);
        for (int frame = 0; frame < (int)(seconds / kFrame); ++frame)
        {
            if (done())
            {
                player.releaseAll();
                return true;
            }
            player.decide(m_boot.frameCount());
            frames(1);
        }
        player.releaseAll();
        return done();
    }

    vorntest::BootedGame m_boot;
    VornGameManager* m_game = nullptr;
    InputHandler_Keyboard* m_keyboard = nullptr;
};
} // namespace

TEST_F(ContentPlayTest, EveryStoryLevelPlaysWithoutAMissingResource)
{
    LevelManager* levels = m_game->getLevelManager();
    ASSERT_NE(nullptr, levels);
    std::vector<std::string> names;
    CCObject* entry = nullptr;
    CCARRAY_FOREACH(levels->getLevels(), entry)
    {
        CCDictionary* level = static_cast<CCDictionary*>(entry);
        names.push_back(static_cast<CCString*>(level->objectForKey("LevelName"))->getCString());
    }
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names)
    {
        play(name, 20.0f);
        backToTitle();
    }
    EXPECT_EQ("", missing());
}

TEST_F(ContentPlayTest, EveryArenaWithEveryFighterPlaysWithoutAMissingResource)
{
    ArenaModeHelper* arenas = title()->getArenaModeHelper();
    ASSERT_NE(nullptr, arenas);
    ASSERT_GE(arenas->getNumArenas(), 2);
    ASSERT_GE(arenas->getNumCharacters(), 3);
    for (int c = 0; c < arenas->getNumCharacters(); ++c)
    {
        std::string character = arenas->getCharacterType(c);
        SCOPED_TRACE(character);
        VornActorDesc* desc = m_game->actorDescWithFile((character + ".plist").c_str());
        ASSERT_NE(nullptr, desc);
        for (int a = 0; a < arenas->getNumArenas(); ++a)
        {
            m_game->getPlayer()->setPlayerDesc(character + ".plist");
            play(arenas->getArenaLevelName(a), 3.0f);
            if (a == 0)
            {
                playEveryAction(desc);
            }
            backToTitle();
        }
        EXPECT_NE(nullptr, arenas->getArenaPreview(c % arenas->getNumArenas()));
    }
    EXPECT_EQ("", missing());
}

TEST_F(ContentPlayTest, EveryEnemyKindOfTheSetupTablePlaysEveryActionWithoutAMissingFrame)
{
    std::string table = vorntest::readFile(vorntest::sourcePath("Resources/character-setup-enemy.csv"));
    std::istringstream rows(table);
    std::string row;
    std::getline(rows, row);  // header
    play(title()->getArenaModeHelper()->getArenaLevelName(0), 1.0f);
    while (std::getline(rows, row))
    {
        std::string name = row.substr(0, row.find(','));
        if (name.empty())
        {
            continue;
        }
        SCOPED_TRACE(name);
        VornActorDesc* desc = m_game->actorDescWithFile((name + ".plist").c_str());
        ASSERT_NE(nullptr, desc);
        m_game->getPlayer()->setDesc(desc);
        playEveryAction(desc);
    }
    backToTitle();
    EXPECT_EQ("", missing());
}

TEST_F(ContentPlayTest, TheAutoplayerFinishesTheStoryOnNormal)
{
    // A finished story asks for the difficulty: Normal.
    m_game->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_1", 1.0f);
    m_keyboard->keyPressed(VornPlayerInputMulti::kKeyEnter);
    frames(2);
    m_keyboard->keyReleased(VornPlayerInputMulti::kKeyEnter);
    ChooseDifficultyScreen* difficulty = nullptr;
    ASSERT_TRUE(stepUntil([this, &difficulty] {
        CCObject* child = nullptr;
        CCARRAY_FOREACH(title()->getChildren(), child)
        {
            difficulty = dynamic_cast<ChooseDifficultyScreen*>(child);
            if (difficulty && difficulty->isOpen())
            {
                return true;
            }
        }
        return false;
    }));
    difficulty->onNormal();

    LevelManager* levels = m_game->getLevelManager();
    StageCompleteScreen* complete = static_cast<StageCompleteScreen*>(m_game->getStageCompleteScreen());
    const unsigned int stages = levels->getLevels()->count();
    for (unsigned int stage = 0; stage < stages; ++stage)
    {
        std::string name = static_cast<CCString*>(
            static_cast<CCDictionary*>(levels->getLevels()->objectAtIndex(stage))->objectForKey("LevelName"))->getCString();
        SCOPED_TRACE(name);
        ASSERT_TRUE(stepUntil([this, &name] { return m_game->getLevelScript() == name && !m_game->isPaused(); }));
        EXPECT_EQ(kDifficulty_Normal, m_game->getStoryDifficultyLevel());
        // Knocked out, it takes a continue, as a player would.
        GameOverScreen* gameOver = static_cast<GameOverScreen*>(m_game->getGameOverScreen());
        int continues = 0;
        bool finished = false;
        for (int attempt = 0; attempt < 15 && !finished; ++attempt)
        {
            finished = autoplay([complete, gameOver] { return complete->isOpen() || gameOver->isOpen(); }, 240.0f) &&
                       complete->isOpen();
            if (gameOver->isOpen())
            {
                ++continues;
                frames(200);
                gameOver->onRestart();
                answerLevelUp();
                ASSERT_TRUE(stepUntil([this, gameOver] { return !m_game->isPaused() && !gameOver->isVisible(); }));
            }
        }
        ASSERT_TRUE(finished) << "time " << m_game->getTimeInLevel() << ", enemies in play "
                              << m_game->getBotManager()->getNumActiveBots() << ", alive "
                              << m_game->getPlayer()->isAlive() << " at " << m_game->getPlayer()->getBasePosition().x << "," << m_game->getPlayer()->getBasePosition().y << " action " << (m_game->getPlayer()->getAction() ? m_game->getPlayer()->getAction()->getName() : "") << ", queued " << m_game->getBotManager()->getNumQueuedBots() << ", bots paused " << m_game->getBotManager()->isPaused() << " speech " << m_game->getHUD()->getSpeechQueue()->count();
        printf("%s: %.0f s, %d continues\n", name.c_str(), m_game->getTimeInLevel(), continues);
        frames(200);
        complete->onContinue();
        answerLevelUp();
    }
    // After the last stage the story is complete and the game is back at the title.
    ASSERT_TRUE(stepUntil([this] { return title()->isOpen(); }));
    EXPECT_TRUE(m_game->getAchievementsManager()->isAchievementUnlocked(
        ("achievement.grandor.completed_level_" + std::to_string(stages)).c_str()));
    EXPECT_EQ("", missing());
}
