// Every story level, every arena with every fighter, and every enemy kind of the setup tables,
// played in the booted game: none may ask for a frame, texture or file the resource pack lacks.
#include "ArenaModeHelper.h"
#include "BotManager.h"
#include "InputHandler_Keyboard.h"
#include "InputManager.h"
#include "LevelManager.h"
#include "RestartManager.h"
#include "SystemManager.h"
#include "TitleScreen.h"
#include "VornAchievementsManager.h"
#include "VornActionDesc.h"
#include "VornActionTypes.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

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

class ContentPlayTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        CCPoolManager::sharedPoolManager()->push();
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        CCUserDefault::sharedUserDefault()->setStringForKey("UserControls", "");
        CCDirector::sharedDirector()->setWinSize(CCSize(960, 640));
        srand(1);
        m_log = new vorntest::LogCapture();
        m_game = new VornGameManager();
        ASSERT_TRUE(m_game->initVornGameManager());
        m_game->getAchievementsManager()->resetAllAchievements();
        m_game->getRestartManager()->setHasCheckpoint(false);
        CCDirector::sharedDirector()->runWithScene(m_game);
        m_game->release();
        QuietSystemHandler* handler = new QuietSystemHandler();
        m_game->getSystemManager()->setHandler(handler);
        handler->release();
        ASSERT_TRUE(stepUntil([this] { return title() && title()->isOpen(); }));
    }
    virtual void TearDown()
    {
        CCDirector::purgeSharedDirector();
        CCPoolManager::sharedPoolManager()->pop();
        delete m_log;
    }

    TitleScreen* title() { return dynamic_cast<TitleScreen*>(m_game->getTitleScreen()); }

    void frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            CCDirector::sharedDirector()->step(kFrame);
        }
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
            frames(1);
        }
        return done();
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
        for (const std::string& line : m_log->lines())
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

    VornGameManager* m_game = nullptr;
    vorntest::LogCapture* m_log = nullptr;
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
