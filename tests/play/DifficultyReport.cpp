// How hard the story is, measured: the story played from the title by each autoplayer policy on
// Easy, then Normal, then Hard with the one fighter, who carries his levels from stage to stage
// and story to story as a player's does (--difficulty names other stories in turn: "hard" alone
// is a new fighter on Hard). Prints per stage the fighter's level, the continues used and the
// health lost. A report to read, not a test.
//
//   difficulty_report [--difficulty easy,normal,hard] [--policy full|novice] [--seed N]
//                     [--give-up-after C]
#include "BotActor.h"
#include "BotManager.h"
#include "ChooseDifficultyScreen.h"
#include "GameOverScreen.h"
#include "LevelManager.h"
#include "StageCompleteScreen.h"
#include "TitleScreen.h"
#include "VornAchievementsManager.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornAutoPlayer.h"
#include "VornBootedGame.h"
#include "VornGameManager.h"
#include "VornGameTypes.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

USING_NS_CC;

namespace
{
const float kFrame = vorntest::BootedGame::kFrame;
// A stage not finished in this much play (the screens between not counted) is given up.
const int kStageFrames = (int)(900.0f / kFrame);

const char* const kDifficultyNames[] = { "Easy", "Normal", "Hard" };
const char* const kPolicyNames[] = { "full", "novice" };

struct StageResult
{
    int difficulty = 0;
    std::string stage;
    int levelAtStart = 0;
    int continues = 0;
    float healthLost = 0.0f;   // health points, summed over every blow taken
    float fullHealth = 0.0f;   // the fighter's whole bar at the stage's start
    float seconds = 0.0f;      // of play, the screens between not counted
    bool finished = false;
};

class StoryRun
{
public:
    StoryRun(const std::vector<int>& difficulties, int policy, int giveUpAfter)
        : m_difficulties(difficulties), m_policy(policy), m_giveUpAfter(giveUpAfter)
    {
    }

    std::vector<StageResult> play()
    {
        // A saved-data folder of its own: runs side by side do not share one.
        vorntest::BootedGame::useFreshHome(std::string("difficulty-") + kPolicyNames[m_policy] + "-" +
                                           std::to_string(getpid()));
        m_boot.boot();
        if (::testing::Test::HasFatalFailure())
        {
            return {};
        }
        m_game = m_boot.game();
        VornAutoPlayer player(m_game, m_boot.keyboard(), kFrame);
        player.setPolicy(m_policy);
        m_player = &player;
        // Every difficulty on offer, as to one who has finished the story on Normal.
        m_game->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_1", 1.0f);
        m_game->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_2", 1.0f);
        std::vector<StageResult> results;
        for (int difficulty : m_difficulties)
        {
            if (!playStory(difficulty, results))
            {
                break;
            }
        }
        m_player = nullptr;
        m_boot.shutDown();
        return results;
    }

private:
    /** Title to title; false when a stage was given up. */
    bool playStory(int difficulty, std::vector<StageResult>& results)
    {
        if (!chooseDifficulty(difficulty))
        {
            return false;
        }
        const unsigned int stages = m_game->getLevelManager()->getLevels()->count();
        for (unsigned int stage = 0; stage < stages; ++stage)
        {
            results.push_back(playStage(levelName(stage)));
            results.back().difficulty = difficulty;
            if (!results.back().finished)
            {
                return false;
            }
        }
        return m_boot.stepUntil([this] { return m_boot.title()->isOpen(); });
    }

private:
    std::string levelName(unsigned int index)
    {
        CCDictionary* level = static_cast<CCDictionary*>(m_game->getLevelManager()->getLevels()->objectAtIndex(index));
        return static_cast<CCString*>(level->objectForKey("LevelName"))->getCString();
    }

    bool chooseDifficulty(int difficulty)
    {
        m_boot.press(VornPlayerInputMulti::kKeyEnter);
        ChooseDifficultyScreen* chooser = nullptr;
        m_boot.stepUntil([this, &chooser] {
            CCObject* child = nullptr;
            CCARRAY_FOREACH(m_boot.title()->getChildren(), child)
            {
                chooser = dynamic_cast<ChooseDifficultyScreen*>(child);
                if (chooser && chooser->isOpen())
                {
                    return true;
                }
            }
            return false;
        });
        if (chooser == nullptr || !chooser->isOpen())
        {
            fprintf(stderr, "ERROR: the difficulty screen did not open\n");
            return false;
        }
        // Normal has the focus: Up for Easy, Down for Hard, then Return.
        m_boot.frames(30);
        if (difficulty != kDifficulty_Normal)
        {
            m_boot.press(difficulty == kDifficulty_Easy ? VornPlayerInputMulti::kKeyUp : VornPlayerInputMulti::kKeyDown);
        }
        m_boot.press(VornPlayerInputMulti::kKeyEnter);
        return true;
    }

    /** Presses Return on a screen until it goes, as an impatient player would. */
    void confirm(VornScreen* screen)
    {
        for (int i = 0; i < 800 && screen != nullptr && screen->isVisible(); ++i)
        {
            if (i % 20 == 0)
            {
                m_boot.press(VornPlayerInputMulti::kKeyEnter);
            }
            else
            {
                m_boot.frame();
            }
        }
    }

    void answerLevelUp()
    {
        VornScreen* levelUp = m_game->getLevelUpScreen();
        if (levelUp != nullptr && levelUp->isVisible())
        {
            confirm(levelUp);
        }
    }

    std::string enemiesSeen()
    {
        std::string out;
        for (BotActor* bot : m_game->getBotManager()->getActiveBots())
        {
            char line[160];
            snprintf(line, sizeof(line), " %s at %.0f,%.0f health %.2f doing %s;", bot->getDesc()->getName().c_str(),
                     bot->getBasePosition().x, bot->getBasePosition().y, bot->getHealthValue(),
                     bot->getAction() ? bot->getAction()->getName().c_str() : "nothing");
            out += line;
        }
        return out;
    }

    StageResult playStage(const std::string& name)
    {
        StageResult result;
        result.stage = name;
        if (!m_boot.stepUntil([this, &name] { return m_game->getLevelScript() == name && !m_game->isPaused(); }))
        {
            fprintf(stderr, "ERROR: %s did not start\n", name.c_str());
            return result;
        }
        VornPlayer* fighter = m_game->getPlayer();
        result.levelAtStart = fighter->getDesc() ? fighter->getDesc()->getXPLevel() + 1 : 0;
        result.fullHealth = fighter->getDesc() ? fighter->getDesc()->getHealth(kCharacter_Player) : 0.0f;
        VornScreen* complete = m_game->getStageCompleteScreen();
        VornScreen* gameOver = m_game->getGameOverScreen();
        float health = fighter->getHealth();
        int played = 0;
        while (played < kStageFrames && !complete->isOpen())
        {
            if (gameOver->isOpen())
            {
                if (result.continues >= m_giveUpAfter)
                {
                    break;
                }
                m_player->releaseAll();
                confirm(gameOver);
                answerLevelUp();
                m_boot.stepUntil([this] { return !m_game->isPaused(); });
                ++result.continues;
                health = fighter->getHealth();
                continue;
            }
            m_player->decide(m_boot.frameCount());
            m_boot.frame();
            ++played;
            // Every blow taken counts; health coming back (regeneration, a continue) does not.
            const float now = fighter->getHealth();
            if (now < health)
            {
                result.healthLost += health - now;
            }
            health = now;
        }
        m_player->releaseAll();
        result.seconds = played * kFrame;
        result.finished = complete->isOpen();
        if (result.finished)
        {
            confirm(complete);
            answerLevelUp();
        }
        else
        {
            fprintf(stderr, "%s given up: player at %.0f,%.0f; enemies queued %d, in play:%s\n", name.c_str(),
                    fighter->getBasePosition().x, fighter->getBasePosition().y,
                    m_game->getBotManager()->getNumQueuedBots(), enemiesSeen().c_str());
        }
        return result;
    }

    std::vector<int> m_difficulties;
    int m_policy;
    int m_giveUpAfter;
    vorntest::BootedGame m_boot;
    VornGameManager* m_game = nullptr;
    VornAutoPlayer* m_player = nullptr;
};

int pick(const char* value, const char* const* names, int count)
{
    for (int i = 0; i < count; ++i)
    {
        if (strcasecmp(value, names[i]) == 0)
        {
            return i;
        }
    }
    fprintf(stderr, "ERROR: unknown choice %s\n", value);
    exit(2);
}
} // namespace

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    std::vector<int> difficulties = { kDifficulty_Easy, kDifficulty_Normal, kDifficulty_Hard };
    std::vector<int> policies = { VornAutoPlayer::kPolicy_Full, VornAutoPlayer::kPolicy_Novice };
    int giveUpAfter = 5;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (strcmp(argv[i], "--difficulty") == 0)
        {
            difficulties.clear();
            std::string list = argv[i + 1];
            for (size_t from = 0; from <= list.size();)
            {
                const size_t comma = std::min(list.find(',', from), list.size());
                difficulties.push_back(pick(list.substr(from, comma - from).c_str(), kDifficultyNames, 3));
                from = comma + 1;
            }
        }
        else if (strcmp(argv[i], "--policy") == 0)
        {
            policies = { pick(argv[i + 1], kPolicyNames, 2) };
        }
        else if (strcmp(argv[i], "--seed") == 0)
        {
            setenv("VORN_PLAY_SEED", argv[i + 1], 1);
        }
        else if (strcmp(argv[i], "--give-up-after") == 0)
        {
            giveUpAfter = atoi(argv[i + 1]);
        }
        else
        {
            fprintf(stderr, "ERROR: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    // The game logs on stdout; the rows go to stderr as each stage ends, the table at the end.
    std::vector<std::string> rows;
    for (int policy : policies)
    {
        StoryRun run(difficulties, policy, giveUpAfter);
        for (const StageResult& stage : run.play())
        {
            char row[256];
            snprintf(row, sizeof(row), "| %-6s | %-6s | %-15s | %2d | %s%2d | %6.0f | %4.1f | %5.0f |",
                     kDifficultyNames[stage.difficulty], kPolicyNames[policy], stage.stage.c_str(), stage.levelAtStart,
                     stage.finished ? " " : ">", stage.continues, stage.healthLost,
                     stage.fullHealth > 0.0f ? stage.healthLost / stage.fullHealth : 0.0f, stage.seconds);
            rows.push_back(row);
            fprintf(stderr, "%s\n", row);
        }
    }
    fprintf(stderr, "\n| difficulty | policy | stage | level | continues | health lost | bars lost | seconds |\n"
                    "|---|---|---|--:|--:|--:|--:|--:|\n");
    for (const std::string& row : rows)
    {
        fprintf(stderr, "%s\n", row.c_str());
    }
    return 0;
}
