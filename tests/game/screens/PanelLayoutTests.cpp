// The result and level-up panels at the two window shapes the game meets (4:3 and 16:9): what a
// panel shows stays inside its frame, and the level-up panel covers the panel beneath it. The
// frames are written as PNGs to VORN_SCREEN_PNG_DIR when it is set, else to the test's folder.
#include "ArenaCompleteScreen.h"
#include "ArenaManager.h"
#include "ArenaModeHelper.h"
#include "ChooseDifficultyScreen.h"
#include "CCEGLView.h"
#include "CCLabelBMFont.h"
#include "CCLayerColor.h"
#include "CCMenuItem.h"
#include "CCRenderer.h"
#include "CCSprite.h"
#include "CCTextureCache.h"
#include "GameOverScreen.h"
#include "LevelUpScreen.h"
#include "MessageBoxScreen.h"
#include "MenuScreenFixture.h"
#include "ResultScreenDoubles.h"
#include "PauseScreen.h"
#include "RPGWidget.h"
#include "StageCompleteScreen.h"
#include "VornActorDesc.h"
#include "VornNodeBounds.h"
#include "VornPlayer.h"

#include <cstdlib>
#include <sstream>
#include <vector>

USING_NS_CC;

namespace
{
/** Every node under `root` that draws something a player reads: labels, sprites, bars, buttons. */
void collectDrawn(CCNode* root, std::vector<CCNode*>* out)
{
    CCObject* child = NULL;
    CCARRAY_FOREACH(root->getChildren(), child)
    {
        CCNode* node = static_cast<CCNode*>(child);
        if (!node->isVisible())
        {
            continue;
        }
        if (dynamic_cast<CCSprite*>(node) || dynamic_cast<CCLabelBMFont*>(node) ||
            dynamic_cast<CCLayerColor*>(node) || dynamic_cast<CCMenuItem*>(node))
        {
            out->push_back(node);
        }
        // A label's letters are sprites of its own.
        if (!dynamic_cast<CCLabelBMFont*>(node))
        {
            collectDrawn(node, out);
        }
    }
}

/** What a node is, for a message: its label text or its class. */
std::string nameOf(CCNode* node)
{
    if (CCLabelBMFont* label = dynamic_cast<CCLabelBMFont*>(node))
    {
        return std::string("label '") + label->getString() + "'";
    }
    if (dynamic_cast<CCMenuItem*>(node))
    {
        return "button";
    }
    if (dynamic_cast<CCLayerColor*>(node))
    {
        return "bar";
    }
    return "sprite";
}

/** The panel's frame: the largest sprite the screen shows. */
CCRect panelOf(VornScreen* screen)
{
    std::vector<CCNode*> drawn;
    collectDrawn(screen, &drawn);
    CCRect best;
    for (CCNode* node : drawn)
    {
        CCRect box = vorntest::worldBox(node);
        if (dynamic_cast<CCSprite*>(node) && box.size.width * box.size.height > best.size.width * best.size.height)
        {
            best = box;
        }
    }
    return best;
}

/** The panel inside its gold border (8 of the art's 760 pixels each side). */
CCRect insideBorder(const CCRect& panel)
{
    const float border = panel.size.width * 8.0f / 760.0f;
    return CCRect(panel.origin.x + border, panel.origin.y + border, panel.size.width - 2 * border,
                  panel.size.height - 2 * border);
}

/** The nodes on the panel that reach out past its border; none for a panel laid out right. */
std::string pokingOut(VornScreen* screen, const CCRect& frame)
{
    std::vector<CCNode*> drawn;
    collectDrawn(screen, &drawn);
    std::ostringstream out;
    for (CCNode* node : drawn)
    {
        CCRect box = vorntest::worldBox(node);
        // The panel itself and the screen-wide dimming are the frame and what lies behind it.
        if (vorntest::isInside(frame, box, 1.0f))
        {
            continue;
        }
        if (!vorntest::isInside(box, frame, 0.5f))
        {
            out << nameOf(node) << " at " << vorntest::describe(box) << "; ";
        }
    }
    return out.str();
}
} // namespace

class PanelLayoutTest : public MenuScreenTest, public ::testing::WithParamInterface<CCSize>
{
protected:
    virtual void SetUp()
    {
        m_winSize = GetParam();
        CCEGLView* view = vorntest::useViewOfSize(m_winSize.width, m_winSize.height);
        ASSERT_NE(nullptr, view);
        MenuScreenTest::SetUp();
        // Every stat raised as far as it goes, so each row shows all its pips.
        CCUserDefault* store = CCUserDefault::sharedUserDefault();
        for (int i = 0; i < kRPG_MAX; ++i)
        {
            store->setIntegerForKey(("jors_RPG_" + std::to_string(i)).c_str(), 10);
        }
        store->setIntegerForKey("jors_XPPoints", 0);
        store->setIntegerForKey("jors_XPPointsSinceUpgrade", 0);
        m_desc = m_game->actorDescWithFile("jors.plist");
        ASSERT_NE(nullptr, m_desc);
        m_desc->loadRPGPoints();
    }
    virtual void TearDown()
    {
        // The levels banked here are not left in the store for the next test.
        if (m_desc)
        {
            m_desc->resetProgression();
        }
        MenuScreenTest::TearDown();
        CCEGLView::purgeSharedOpenGLView();
        CCTextureCache::purgeSharedTextureCache();
        CCLabelBMFont::purgeCachedData();
    }

    /** Lets the screen finish opening (its bar and menu included), then saves the frame. */
    void settleAndDraw(const std::string& name)
    {
        stepFrames(150, 1.0f / 60.0f);
        const char* dir = getenv("VORN_SCREEN_PNG_DIR");
        std::ostringstream path;
        path << (dir ? std::string(dir) : vorntest::makeTempDir("panel-layouts")) << "/" << name << "-"
             << m_winSize.width << "x" << m_winSize.height << ".png";
        EXPECT_TRUE(CCRenderer::sharedRenderer()->saveToPNG(path.str().c_str())) << path.str();
        m_lastPicture = path.str();
    }

    void expectEverythingOnThePanel(VornScreen* screen, const std::string& name)
    {
        CCRect panel = panelOf(screen);
        ASSERT_GT(panel.size.width, 0.0f) << name;
        // The panel fits the window, whatever its shape.
        EXPECT_TRUE(vorntest::isInside(panel, CCRect(0, 0, m_winSize.width, m_winSize.height))) << name;
        EXPECT_EQ("", pokingOut(screen, insideBorder(panel)))
            << name << ": panel " << vorntest::describe(panel) << ", see " << m_lastPicture;
    }

    /** Jors with enough banked experience for `levels` more levels. */
    void bankLevels(int levels)
    {
        const int points[kRPG_MAX] = { 4, 6, 2, 3 };
        CCUserDefault* store = CCUserDefault::sharedUserDefault();
        for (int i = 0; i < kRPG_MAX; ++i)
        {
            store->setIntegerForKey(("jors_RPG_" + std::to_string(i)).c_str(), points[i]);
        }
        m_desc->loadRPGPoints();
        int level = m_desc->getXPLevel();
        int banked = 0;
        for (int i = 0; i < levels; ++i)
        {
            banked += m_desc->getMaxXPPoints(level + i);
        }
        m_desc->setXPPoints(banked + 1);
        m_desc->setXPPointsSinceUpgrade(0);
    }

    VornActorDesc* m_desc = NULL;
    std::string m_lastPicture;
};

TEST_P(PanelLayoutTest, GameOverAndStageCompleteKeepTheirStatsOnThePanel)
{
    ShownGameOver* over = addScreen(ShownGameOver::create());
    ASSERT_NE(nullptr, over);
    over->desc = m_desc;
    over->setScore(NULL, 1248250);
    over->open();
    settleAndDraw("game-over");
    expectEverythingOnThePanel(over, "game over");
    over->hide();

    ShownStageComplete* complete = addScreen(ShownStageComplete::create());
    // The widest results there are: a seven-figure score and over an hour.
    complete->score = 1248250;
    complete->timeInLevel = 3605.5f;
    ASSERT_NE(nullptr, complete);
    complete->desc = m_desc;
    complete->open();
    settleAndDraw("stage-complete");
    expectEverythingOnThePanel(complete, "stage complete");
    complete->hide();
}

TEST_P(PanelLayoutTest, ArenaResultsKeepTheirNumbersOnThePanel)
{
    ArenaCompleteScreen* results = dynamic_cast<ArenaCompleteScreen*>(m_game->getArenaCompleteScreen());
    ASSERT_NE(nullptr, results);
    ArenaModeHelper* arenas = new ArenaModeHelper();
    ASSERT_TRUE(arenas->init());
    arenas->setCurrentArenaIndex(0);
    VornPlayer* player = m_game->getPlayer();
    player->setDesc(m_desc);
    m_game->getArenaManager()->setTimeElapsed(3599.0f);
    m_game->getArenaManager()->setTasksCompleted(12);
    player->setScore(1248250);
    player->setKOs(123);
    player->setAttacksAttempted(40);
    player->setAttacksHitSomething(40);
    results->showResults(player);
    settleAndDraw("arena-complete");
    expectEverythingOnThePanel(results, "arena complete");
    results->hide();
    arenas->release();
}

// The level-up panel over the game over panel: its own rows stay on it, the panel beneath is
// wholly covered, and the continue button says what it is while levels are still to spend.
TEST_P(PanelLayoutTest, LevelUpCoversThePanelBeneathAndLabelsItsButton)
{
    ShownGameOver* over = addScreen(ShownGameOver::create());
    ASSERT_NE(nullptr, over);
    over->desc = m_desc;
    over->setScore(NULL, 1248250);
    over->open();
    stepFrames(150, 1.0f / 60.0f);

    bankLevels(3);
    LevelUpScreen* levelUp = dynamic_cast<LevelUpScreen*>(m_game->getLevelUpScreen());
    ASSERT_NE(nullptr, levelUp);
    ASSERT_GT(levelUp->getZOrder(), over->getZOrder() - 1);
    RPGWidget* widget = RPGWidget::create(NULL);
    levelUp->show(widget, NULL, m_desc);
    settleAndDraw("level-up");
    ASSERT_TRUE(levelUp->isVisible());
    expectEverythingOnThePanel(levelUp, "level-up");

    CCRect cover = panelOf(levelUp);
    std::vector<CCNode*> beneath;
    collectDrawn(over, &beneath);
    CCRect overPanel = panelOf(over);
    for (CCNode* node : beneath)
    {
        CCRect box = vorntest::worldBox(node);
        if (vorntest::isInside(overPanel, box, 1.0f))
        {
            continue;  // the dimming behind both panels
        }
        EXPECT_TRUE(vorntest::isInside(box, cover, 0.5f))
            << nameOf(node) << " of the game over panel shows beside the level-up panel at " << vorntest::describe(box)
            << ", level-up panel " << vorntest::describe(cover) << ", see " << m_lastPicture;
    }

    // Points to spend: the button is there, disabled, and still names itself.
    CCMenuItem* button = levelUp->getContinueMenuItem();
    ASSERT_NE(nullptr, button);
    ASSERT_TRUE(vorntest::isShown(button));
    EXPECT_FALSE(button->isEnabled());
    std::vector<CCNode*> onButton;
    collectDrawn(button, &onButton);
    std::string text;
    for (CCNode* node : onButton)
    {
        CCLabelBMFont* label = dynamic_cast<CCLabelBMFont*>(node);
        if (label && label->getString() && *label->getString())
        {
            text = label->getString();
            EXPECT_TRUE(vorntest::isInside(vorntest::worldBox(label), vorntest::worldBox(button), 0.5f)) << text;
        }
    }
    EXPECT_NE("", text) << "the continue button shows no label while points are unspent; see " << m_lastPicture;
    levelUp->hide();
    over->hide();
}

TEST_P(PanelLayoutTest, PauseDifficultyAndQuestionPanelsKeepTheirItemsOnThePanel)
{
    PauseScreen* pause = addScreen(PauseScreen::create());
    ASSERT_NE(nullptr, pause);
    pause->open();
    settleAndDraw("pause-screen");
    expectEverythingOnThePanel(pause, "pause");
    pause->hide();

    ChooseDifficultyScreen* difficulty = addScreen(ChooseDifficultyScreen::create());
    ASSERT_NE(nullptr, difficulty);
    difficulty->show(NULL, NULL);
    settleAndDraw("choose-difficulty");
    expectEverythingOnThePanel(difficulty, "difficulty");
    difficulty->hide();

    MessageBoxScreen* box = MessageBoxScreen::showMessageBox(m_game, "Quit the game?", NULL, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, box);
    settleAndDraw("message-box");
    expectEverythingOnThePanel(box, "question");
}

INSTANTIATE_TEST_SUITE_P(WindowShapes, PanelLayoutTest,
                         ::testing::Values(CCSize(1024, 768), CCSize(1280, 720)),
                         [](const ::testing::TestParamInfo<CCSize>& info) {
                             std::ostringstream name;
                             name << (int)info.param.width << "x" << (int)info.param.height;
                             return name.str();
                         });
