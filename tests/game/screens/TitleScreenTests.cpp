#include "AchievementsManager.h"
#include "ArenaModeHelper.h"
#include "CCLabelBMFont.h"
#include "ChooseDifficultyScreen.h"
#include "VornGameTypes.h"
#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "CCScrollView.h"
#include "CCSprite.h"
#include "HighScoreManager.h"
#include "HighScoreTable.h"
#include "RPGWidget.h"
#include "RestartManager.h"
#include "VornActorDesc.h"
#include "VornAchievementsManager.h"
#include "MessageBoxScreen.h"
#include "MusicManager.h"
#include "ScreenTestSupport.h"
#include "SplashScreen.h"
#include "SystemManager.h"
#include "RemapControlsScreen.h"
#include "ThingsILikeScreen.h"
#include "TitleScreen.h"
#include "VornControllerConfigScreen.h"
#include "VornPlayer.h"
#include "VornGameManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
// Stands in for the platform: quitting is recorded, not done.
class RecordingSystemHandler : public SystemHandler
{
public:
    virtual bool openURL(const char*) { return true; }
    virtual void quit() { ++quits; }
    virtual void setFullscreen(bool fullscreen) { m_bFullscreen = fullscreen; }
    virtual bool isFullscreen() { return m_bFullscreen; }
    int quits = 0;
    bool m_bFullscreen = false;
};

class TitleSignals
{
public:
    void onNewGame(int difficulty) { newGames.push_back(difficulty); }
    void onContinue() { ++continues; }
    void onStartArena(const char* level) { arenas.push_back(level ? level : ""); }
    std::vector<int> newGames;
    int continues = 0;
    std::vector<std::string> arenas;
};

/** A node's box in window points. */
CCRect worldBox(CCNode* node)
{
    CCRect box = node->boundingBox();
    CCPoint origin = node->getParent() ? node->getParent()->convertToWorldSpace(box.origin) : box.origin;
    CCPoint corner = node->getParent()
                         ? node->getParent()->convertToWorldSpace(CCPoint(box.getMaxX(), box.getMaxY()))
                         : CCPoint(box.getMaxX(), box.getMaxY());
    return CCRect(origin.x, origin.y, corner.x - origin.x, corner.y - origin.y);
}

bool holds(CCNode* ancestor, CCNode* node)
{
    for (; node != NULL; node = node->getParent())
    {
        if (node == ancestor)
        {
            return true;
        }
    }
    return false;
}

std::string textOf(CCLabelBMFont* label)
{
    return label && label->getString() ? label->getString() : "";
}

class TitleScreenTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        CCPoolManager::sharedPoolManager()->push();
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        CCDirector::sharedDirector()->setWinSize(CCSize(960, 680));
        m_manager = new VornGameManager();
        ASSERT_TRUE(m_manager->initVornGameManager());
        // Each test starts from a fresh save.
        m_manager->getAchievementsManager()->resetAllAchievements();
        m_manager->getRestartManager()->setHasCheckpoint(false);
        CCDirector::sharedDirector()->runWithScene(m_manager);
        m_manager->release();
        m_handler = new RecordingSystemHandler();
        m_manager->getSystemManager()->setHandler(m_handler);
        m_handler->release();
        // The splash plays, the world and the title are built, the title opens.
        for (int frames = 0; frames < 200 && !(m_manager->getTitleScreen() && m_manager->getTitleScreen()->isOpen());
             ++frames)
        {
            stepFrames(1, 0.1f);
        }
        m_title = dynamic_cast<TitleScreen*>(m_manager->getTitleScreen());
        ASSERT_NE(nullptr, m_title);
        m_title->getNewGameSignal().connect(&m_signals, &TitleSignals::onNewGame);
        m_title->getContinueSignal().connect(&m_signals, &TitleSignals::onContinue);
        m_title->getStartArenaSignal().connect(&m_signals, &TitleSignals::onStartArena);
    }
    virtual void TearDown()
    {
        CCDirector::purgeSharedDirector();
        CCPoolManager::sharedPoolManager()->pop();
    }

    void key(int input)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->handleMenuInput(input, 0);
        stepFrames(8, 0.1f);
    }
    CCMenuItem* focus() { return CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(0); }
    MessageBoxScreen* messageBox()
    {
        CCObject* child = NULL;
        CCARRAY_FOREACH(m_title->getChildren(), child)
        {
            if (MessageBoxScreen* box = dynamic_cast<MessageBoxScreen*>(child))
            {
                return box;
            }
        }
        return NULL;
    }

    VornGameManager* m_manager = NULL;
    RecordingSystemHandler* m_handler = NULL;
    TitleScreen* m_title = NULL;
    TitleSignals m_signals;
};
} // namespace

TEST_F(TitleScreenTest, OpensAfterTheSplashWithTheMenuFocusedAndTheMenuMusic)
{
    EXPECT_EQ(m_manager, m_title->getParent());
    EXPECT_EQ(1, m_title->getZOrder());
    EXPECT_FALSE(m_manager->getSplashScreen()->isVisible());
    EXPECT_TRUE(m_title->isVisible());
    EXPECT_TRUE(m_manager->isPaused());
    EXPECT_FALSE(m_manager->getGameLayer()->isVisible());
    EXPECT_EQ("Menu", m_manager->getMusicManager()->getCurrentTrack());
    // No saved story: the story item begins one.
    ASSERT_NE(nullptr, m_title->getBeginLabel());
    EXPECT_TRUE(m_title->getBeginLabel()->isVisible());
    EXPECT_FALSE(m_title->getContinueLabel()->isVisible());
    EXPECT_EQ(m_title->getDefaultMenuItem(), focus());
    // Both panels wait off stage, so their items take no focus.
    EXPECT_FALSE(m_title->getArenaModeScreen()->isVisible());
    EXPECT_FALSE(m_title->getMoreScreen()->isVisible());
}

TEST_F(TitleScreenTest, KeysMoveThroughTheMenuAndStoryStartsANewGameAtEasy)
{
    CCMenuItem* story = focus();
    key(kMenuGamepadInput_Down);
    EXPECT_NE(story, focus());
    key(kMenuGamepadInput_Up);
    EXPECT_EQ(story, focus());
    key(kMenuGamepadInput_Action);
    EXPECT_FALSE(m_title->isVisible());
    ASSERT_EQ(1u, m_signals.newGames.size());
    EXPECT_EQ(0, m_signals.newGames[0]);
    EXPECT_EQ(0, m_signals.continues);
    // The autosave notice plays, then the story begins.
    stepFrames(30, 0.1f);

    // With a saved checkpoint the same item continues.
    m_manager->getRestartManager()->setHasCheckpoint(true);
    m_title->open();
    stepFrames(10, 0.1f);
    EXPECT_TRUE(m_title->getContinueLabel()->isVisible());
    EXPECT_FALSE(m_title->getBeginLabel()->isVisible());
    key(kMenuGamepadInput_Action);
    EXPECT_EQ(1, m_signals.continues);
    EXPECT_EQ(1u, m_signals.newGames.size());
    m_manager->getRestartManager()->setHasCheckpoint(false);

    // Once the story has been finished a new one asks for the difficulty; backing out returns.
    m_manager->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_1", 1.0f);
    m_title->open();
    stepFrames(10, 0.1f);
    key(kMenuGamepadInput_Action);
    ASSERT_NE(nullptr, m_title->getDifficultyScreen());
    EXPECT_TRUE(m_title->getDifficultyScreen()->isVisible());
    EXPECT_TRUE(m_title->isVisible());
    m_title->getDifficultyScreen()->onBack();
    stepFrames(10, 0.1f);
    EXPECT_FALSE(m_title->getDifficultyScreen()->isVisible());
    EXPECT_TRUE(m_title->isVisible());
    EXPECT_EQ(1u, m_signals.newGames.size());
    key(kMenuGamepadInput_Action);
    m_title->getDifficultyScreen()->onNormal();
    stepFrames(10, 0.1f);
    ASSERT_EQ(2u, m_signals.newGames.size());
    EXPECT_EQ(kDifficulty_Normal, m_signals.newGames[1]);
    EXPECT_FALSE(m_title->isVisible());
}

TEST_F(TitleScreenTest, BackAsksBeforeQuittingAndNoKeepsTheGameGoing)
{
    key(kMenuGamepadInput_Back);
    MessageBoxScreen* box = messageBox();
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(m_title->isMessageBoxOpen());
    EXPECT_EQ("Quit the game?", textOf(box->getMessageLabel()));
    // A second back while asking does not stack another question.
    m_title->onBack(-1);
    box->onNo();
    stepFrames(5, 0.1f);
    EXPECT_EQ(nullptr, messageBox());
    EXPECT_FALSE(m_title->isMessageBoxOpen());
    EXPECT_EQ(0, m_handler->quits);

    // Asked again: back on the question quits, through the system manager.
    key(kMenuGamepadInput_Back);
    ASSERT_NE(nullptr, messageBox());
    key(kMenuGamepadInput_Back);
    EXPECT_EQ(1, m_handler->quits);
    EXPECT_FALSE(m_title->isMessageBoxOpen());
}

TEST_F(TitleScreenTest, CreditsReplaceLocaleKeysAndRollInTheMorePanel)
{
    std::string credits = textOf(m_title->getCreditsTextLabel());
    EXPECT_NE(std::string::npos, credits.find("Made by\n"));
    EXPECT_NE(std::string::npos, credits.find("DejaVu"));
    EXPECT_EQ(std::string::npos, credits.find('<'));

    struct Case
    {
        const char* text;
        const char* expected;
    } cases[] = {
        { "<MENU_YES> and <MENU_YES>", "Yes and Yes" },
        { "<NO_SUCH_KEY>", "NO_SUCH_KEY" },
        { "a < b <MENU_NO>", "a  b <MENU_NO" },  // the first "<" takes " b <MENU_NO" as its key
        { "<MENU_NO> then <unclosed", "No then <unclosed" },
        { "", "" },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, TitleScreen::localizeCredits(c.text)) << c.text;
    }

    // Credits that would roll with junk in them name the line.
    const Case unusable[] = {
        { "Made by\n<MENU_YES>\n", "" },
        { "one\n<NO_SUCH_KEY>\n", "credits.txt, line 2: <NO_SUCH_KEY> names no text" },
        { "a\nb\n<MENU_NO> then <unclosed", "credits.txt, line 3: a \"<\" is not closed" },
        { "ok\n\x01\x02junk\n", "credits.txt, line 2: it holds bytes that are not text" },
    };
    for (const Case& c : unusable)
    {
        vorntest::LogCapture log;
        TitleScreen::reportUnusableCreditLines(c.text);
        if (c.expected[0] == '\0')
        {
            EXPECT_TRUE(log.lines().empty()) << c.text;
        }
        else
        {
            EXPECT_TRUE(log.contains(std::string("ERROR: TitleScreen::loadCredits - ") + c.expected)) << c.text;
        }
    }

    // The more panel: music changes, the credits roll while nobody touches them.
    m_title->onOpenMore();
    stepFrames(10, 0.1f);
    EXPECT_TRUE(m_title->getMoreScreen()->isVisible());
    EXPECT_EQ("Credits", m_manager->getMusicManager()->getCurrentTrack());
    CCScrollView* view = m_title->getCreditsScrollView();
    ASSERT_NE(nullptr, view);
    float start = view->getContentOffset().y;
    stepFrames(50, 0.1f);
    // Five seconds roll a few lines at a reading pace, neither standing still nor racing by.
    float rolled = (view->getContentOffset().y - start) / m_manager->getResolutionScale();
    EXPECT_GT(rolled, 40.0f);
    EXPECT_LT(rolled, 120.0f);

    // The display mode is the command line's: the panel shows no switch, before or after a change.
    EXPECT_FALSE(m_title->getFullScreenMenuItem()->isVisible());
    EXPECT_FALSE(m_title->getWindowedMenuItem()->isVisible());
    m_title->onFullScreen();
    EXPECT_TRUE(m_handler->isFullscreen());
    EXPECT_FALSE(m_title->getFullScreenMenuItem()->isVisible());
    EXPECT_FALSE(m_title->getWindowedMenuItem()->isVisible());

    key(kMenuGamepadInput_Back);
    EXPECT_FALSE(m_title->getMoreScreen()->isVisible());
    EXPECT_EQ("Menu", m_manager->getMusicManager()->getCurrentTrack());
    EXPECT_EQ(m_title->getDefaultMenuItem(), focus());
}

TEST_F(TitleScreenTest, TheScreenOnTopOwnsTheKeysAndEveryBoxAnswersThem)
{
    m_title->onOpenMore();
    stepFrames(10, 0.1f);
    ASSERT_TRUE(m_title->getMoreScreen()->isVisible());
    ASSERT_EQ(m_title->getMoreBackMenuItem(), focus());
    // The more panel's directions go to the item next to the focused one on screen.
    key(kMenuGamepadInput_Up);
    EXPECT_EQ(m_title->getControlsMenuItem(), focus());
    key(kMenuGamepadInput_Right);
    EXPECT_EQ(m_title->getThingsILikeMenuItem(), focus());
    key(kMenuGamepadInput_Down);
    EXPECT_EQ(m_title->getResetSaveMenuItem(), focus());
    key(kMenuGamepadInput_Up);
    EXPECT_EQ(m_title->getControlsMenuItem(), focus());
    key(kMenuGamepadInput_Right);
    ASSERT_EQ(m_title->getThingsILikeMenuItem(), focus());

    // The things-I-like page over the panel: keys pressed while it comes in, and after, are its own.
    CCMenuGamepadInputDispatcher* pad = CCMenuGamepadInputDispatcher::sharedDispatcher();
    pad->handleMenuInput(kMenuGamepadInput_Action, 0);
    ThingsILikeScreen* things = m_title->getThingsILikeScreen();
    ASSERT_TRUE(things->isVisible());
    pad->handleMenuInput(kMenuGamepadInput_Back, 0);
    pad->handleMenuInput(kMenuGamepadInput_Up, 0);
    stepFrames(8, 0.1f);
    EXPECT_TRUE(m_title->getMoreScreen()->isVisible());
    ASSERT_TRUE(things->isOpen());
    for (int i = 0; i < 4; ++i)
    {
        key(i % 2 ? kMenuGamepadInput_Down : kMenuGamepadInput_Up);
        ASSERT_NE(nullptr, focus());
        EXPECT_TRUE(holds(things, focus())) << i;
    }
    key(kMenuGamepadInput_Back);
    EXPECT_FALSE(things->isVisible());
    EXPECT_TRUE(m_title->getMoreScreen()->isVisible());
    EXPECT_EQ(m_title->getThingsILikeMenuItem(), focus());

    // Back from the panel, then back again: the quit question, answered with the keys alone.
    key(kMenuGamepadInput_Back);
    EXPECT_FALSE(m_title->getMoreScreen()->isVisible());
    key(kMenuGamepadInput_Back);
    MessageBoxScreen* box = messageBox();
    ASSERT_NE(nullptr, box);
    for (int input : { kMenuGamepadInput_Up, kMenuGamepadInput_Down, kMenuGamepadInput_Left, kMenuGamepadInput_Right })
    {
        key(input);
        ASSERT_NE(nullptr, focus());
        EXPECT_TRUE(holds(box, focus())) << input;
    }
    key(kMenuGamepadInput_Action);
    EXPECT_EQ(nullptr, messageBox());
    EXPECT_FALSE(m_title->isMessageBoxOpen());
}

TEST(TitleCarousel, SlotIndicesWrapBothWays)
{
    struct Case
    {
        int selected, back, count, first;
    } cases[] = {
        { 0, 3, 10, 7 }, { 5, 3, 10, 2 }, { 0, 3, 3, 0 }, { 1, 2, 2, 1 },
        { 0, 3, 2, 1 },  // smaller tables than the slots still land inside them
        { 0, 2, 1, 0 },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.first, TitleScreen::firstSlotIndex(c.selected, c.back, c.count))
            << c.selected << " " << c.back << " " << c.count;
    }
    EXPECT_EQ(9, TitleScreen::wrapIndex(-1, 10));
    EXPECT_EQ(0, TitleScreen::wrapIndex(10, 10));
    EXPECT_EQ(0, TitleScreen::wrapIndex(5, 0));
}

TEST_F(TitleScreenTest, ArenaPanelSkipsNothingButRefusesLockedEntries)
{
    ArenaModeHelper* arenas = m_title->getArenaModeHelper();
    ASSERT_NE(nullptr, arenas);
    EXPECT_EQ(arenas, ArenaModeHelper::sharedArenaModeHelper());
    ASSERT_EQ(5, arenas->getNumCharacters());
    ASSERT_EQ(5, arenas->getNumArenas());
    EXPECT_EQ(nullptr, arenas->getCharacterDesc(5));
    // Character bios turn "\n" into line breaks; each arena has its score table.
    EXPECT_NE(std::string::npos, std::string(arenas->getCharacterBio(0)).find('\n'));
    ASSERT_NE(nullptr, m_manager->getHighScoreManager()->getTable("arena-yard-scores"));
    EXPECT_EQ("Freight Yard", m_manager->getHighScoreManager()->getTable("arena-yard-scores")->getName());

    // Open the panel from the menu with the keys.
    key(kMenuGamepadInput_Down);
    key(kMenuGamepadInput_Action);
    EXPECT_TRUE(m_title->getArenaModeScreen()->isVisible());
    EXPECT_EQ(m_title->getCharacterSelectMenu(), CCMenuGamepadInputDispatcher::sharedDispatcher()->getActiveMenu(0));
    EXPECT_EQ("Jors", textOf(m_title->getSelectedCharacterNameLabel()));
    EXPECT_TRUE(m_title->getArenaMainOptionMenuItem()->isEnabled());

    // Left from the first character wraps to the last; Kira (next) is locked.
    key(kMenuGamepadInput_Left);
    EXPECT_EQ(4, m_title->getSelectedCharacterIndex());
    key(kMenuGamepadInput_Right);
    key(kMenuGamepadInput_Right);
    EXPECT_EQ(1, m_title->getSelectedCharacterIndex());
    EXPECT_EQ("LOCKED", textOf(m_title->getSelectedCharacterNameLabel()));
    EXPECT_EQ("To unlock:\nFinish the story on Easy.", textOf(m_title->getCharacterBio()));
    EXPECT_FALSE(m_title->getArenaMainOptionMenuItem()->isEnabled());
    ASSERT_NE(nullptr, m_title->getCharacterSlot(3));
    EXPECT_EQ(0, m_title->getCharacterSlot(3)->getColor().r);
    m_title->arenaMainOption();
    EXPECT_EQ(kArenaPage_CharacterSelect, m_title->getArenaPage());

    // Once unlocked the same character can be taken on to the arenas.
    m_manager->getAchievementsManager()->setAchievementProgress("achievement.grandor.completed_game_1", 1.0f);
    m_title->refreshCharacterSelect();
    EXPECT_EQ("Kira", textOf(m_title->getSelectedCharacterNameLabel()));
    key(kMenuGamepadInput_Action);
    EXPECT_EQ(kArenaPage_ArenaSelect, m_title->getArenaPage());
    EXPECT_EQ(m_title->getArenaSelectMenu(), CCMenuGamepadInputDispatcher::sharedDispatcher()->getActiveMenu(0));
    EXPECT_EQ("Rooftop", textOf(m_title->getArenaNameLabel()));

    // The yard is locked: its slot shows the locked picture and fighting there is refused.
    key(kMenuGamepadInput_Right);
    EXPECT_EQ(1, m_title->getSelectedArenaIndex());
    EXPECT_EQ("LOCKED", textOf(m_title->getArenaNameLabel()));
    ASSERT_NE(nullptr, m_title->getLockedArenaFrame());
    EXPECT_EQ(m_title->getLockedArenaFrame()->getTexture(), m_title->getArenaSlot(2)->getTexture());
    EXPECT_TRUE(m_title->getLockedArenaFrame()->getRect().equals(m_title->getArenaSlot(2)->getTextureRect()));
    EXPECT_FALSE(arenas->getArenaPreview(0)->getRect().equals(m_title->getArenaSlot(2)->getTextureRect()));
    m_title->onArenaStart();
    stepFrames(10, 0.1f);
    EXPECT_TRUE(m_signals.arenas.empty());

    // Back on the rooftop: fight, then the next open lands on the arena page.
    key(kMenuGamepadInput_Left);
    EXPECT_EQ(0, m_title->getSelectedArenaIndex());
    EXPECT_EQ(0, arenas->getCurrentArenaIndex());
    key(kMenuGamepadInput_Action);
    ASSERT_EQ(1u, m_signals.arenas.size());
    EXPECT_EQ("arena-rooftop", m_signals.arenas[0]);
    // The arena is fought with the fighter picked on the first page.
    ASSERT_NE(nullptr, m_manager->getPlayer());
    EXPECT_EQ("kira.plist", m_manager->getPlayer()->getPlayerDesc());
    EXPECT_FALSE(m_title->isVisible());
    m_title->open();
    stepFrames(10, 0.1f);
    EXPECT_TRUE(m_title->getArenaModeScreen()->isVisible());
    EXPECT_EQ(m_title->getArenaSelectMenu(), CCMenuGamepadInputDispatcher::sharedDispatcher()->getActiveMenu(0));

    // Back goes to the characters, then closes the panel.
    key(kMenuGamepadInput_Back);
    EXPECT_EQ(kArenaPage_CharacterSelect, m_title->getArenaPage());
    key(kMenuGamepadInput_Back);
    EXPECT_FALSE(m_title->getArenaModeScreen()->isVisible());
    EXPECT_EQ(m_title->getDefaultMenuItem(), focus());
}

TEST_F(TitleScreenTest, MakesThePadSetUpScreenBesideTheControlsScreenAndNoMenuOpensIt)
{
    VornControllerConfigScreen* pad = m_title->getControllerConfigScreen();
    ASSERT_NE(nullptr, pad);
    EXPECT_EQ(m_title, pad->getParent());
    EXPECT_EQ(m_title->getRemapControlsScreen()->getZOrder(), pad->getZOrder());
    EXPECT_FALSE(pad->isVisible());
    EXPECT_FALSE(pad->isListening());
    EXPECT_EQ(m_manager->getPlayer()->getInput(), pad->getPlayerInput());
}

TEST_F(TitleScreenTest, TheFighterPageShowsTheChosenFightersStatsInsideThePanel)
{
    ArenaModeHelper* arenas = m_title->getArenaModeHelper();
    VornActorDesc* jors = arenas->getCharacterDesc(0);
    ASSERT_NE(nullptr, jors);
    key(kMenuGamepadInput_Down);
    key(kMenuGamepadInput_Action);
    ASSERT_TRUE(m_title->getArenaModeScreen()->isVisible());

    RPGWidget* stats = m_title->getStatWidget();
    ASSERT_NE(nullptr, stats);
    EXPECT_EQ(jors, stats->getDesc());
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    const CCRect screen(0.0f, 0.0f, win.width, win.height);
    CCNode* fighter = m_title->getCharacterSlot(3);
    ASSERT_NE(nullptr, fighter);
    const CCRect fighterBox = worldBox(fighter);
    for (int stat = 0; stat < kRPG_MAX; ++stat)
    {
        for (int i = 0; i < MAX_NUM_RPG_LEVELS; ++i)
        {
            CCSprite* pip = stats->getPip(stat, i);
            ASSERT_NE(nullptr, pip) << stat << " " << i;
            const bool earned = i <= jors->getNumRPGPoints(stat);
            EXPECT_EQ(i <= jors->getMaxRPGPoints(stat), pip->isVisible()) << stat << " " << i;
            if (!pip->isVisible())
            {
                continue;
            }
            EXPECT_EQ(earned ? 215 : 68, pip->getColor().r) << stat << " " << i;
            // On screen, clear of the fighter and of his name and bio.
            const CCRect box = worldBox(pip);
            EXPECT_TRUE(screen.containsPoint(box.origin) &&
                        screen.containsPoint(CCPoint(box.getMaxX(), box.getMaxY()))) << stat << " " << i;
            EXPECT_FALSE(box.intersectsRect(fighterBox)) << stat << " " << i;
            EXPECT_FALSE(box.intersectsRect(worldBox(m_title->getSelectedCharacterNameLabel()))) << stat << " " << i;
            EXPECT_FALSE(box.intersectsRect(worldBox(m_title->getCharacterBio()))) << stat << " " << i;
        }
    }

    // The next fighter brings his own stats.
    key(kMenuGamepadInput_Right);
    EXPECT_EQ(arenas->getCharacterDesc(1), stats->getDesc());
}

TEST_F(TitleScreenTest, ArenaPanelKeepsAPressMadeDuringASlideAndDownReachesTheBar)
{
    key(kMenuGamepadInput_Down);
    key(kMenuGamepadInput_Action);
    ASSERT_TRUE(m_title->getArenaModeScreen()->isVisible());
    CCMenuGamepadInputDispatcher* pad = CCMenuGamepadInputDispatcher::sharedDispatcher();

    // Two quick presses: the second lands while the first still slides and follows it.
    pad->handleMenuInput(kMenuGamepadInput_Right, 0);
    stepFrames(1, 0.05f);
    ASSERT_TRUE(m_title->isTimelineRunning());
    pad->handleMenuInput(kMenuGamepadInput_Right, 0);
    EXPECT_EQ(1, m_title->getSelectedCharacterIndex());
    stepFrames(20, 0.05f);
    EXPECT_EQ(2, m_title->getSelectedCharacterIndex());
    EXPECT_FALSE(m_title->isTimelineRunning());
    // Only one press is kept, the latest.
    pad->handleMenuInput(kMenuGamepadInput_Left, 0);
    pad->handleMenuInput(kMenuGamepadInput_Right, 0);
    pad->handleMenuInput(kMenuGamepadInput_Right, 0);
    stepFrames(20, 0.05f);
    EXPECT_EQ(2, m_title->getSelectedCharacterIndex());

    // Down from the fighter reaches the bar below, on both pages.
    CCMenuItem* fighter = focus();
    ASSERT_NE(nullptr, fighter);
    key(kMenuGamepadInput_Down);
    ASSERT_NE(nullptr, focus());
    EXPECT_NE(fighter, focus());
    EXPECT_LT(focus()->convertToWorldSpace(CCPointZero).y, fighter->convertToWorldSpace(CCPointZero).y);
    m_title->setArenaPage(kArenaPage_ArenaSelect);
    stepFrames(10, 0.1f);
    CCMenuItem* fight = focus();
    ASSERT_NE(nullptr, fight);
    key(kMenuGamepadInput_Down);
    ASSERT_NE(nullptr, focus());
    EXPECT_NE(fight, focus());
    EXPECT_LT(focus()->convertToWorldSpace(CCPointZero).y, fight->convertToWorldSpace(CCPointZero).y);
}
