// The arena's task list and the combo counter at the two window shapes the game meets (4:3 and
// 16:9): each task's text clears the progress bars, a finished task's bar fills its frame, and the
// counter stays on screen and off the list. One PNG per shape goes to VORN_SCREEN_PNG_DIR when it
// is set, else to the test's folder.
#include "ArenaTasksScreen.h"
#include "CCEGLView.h"
#include "CCLabelBMFont.h"
#include "CCLayerColor.h"
#include "CCRenderer.h"
#include "CCSprite.h"
#include "CCTextureCache.h"
#include "ComboCounterScreen.h"
#include "HUD.h"
#include "MenuScreenFixture.h"
#include "PlayerHealthScreen.h"
#include "SpeechScreen.h"
#include "VornNodeBounds.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

USING_NS_CC;

namespace
{
/** The labels and the sprites shown under `root`. */
void collectShown(CCNode* root, std::vector<CCLabelBMFont*>* labels, std::vector<CCSprite*>* sprites)
{
    CCObject* child = NULL;
    CCARRAY_FOREACH(root->getChildren(), child)
    {
        CCNode* node = static_cast<CCNode*>(child);
        if (!node->isVisible())
        {
            continue;
        }
        if (CCLabelBMFont* label = dynamic_cast<CCLabelBMFont*>(node))
        {
            labels->push_back(label);
            continue;  // its letters are its own sprites
        }
        else if (CCSprite* sprite = dynamic_cast<CCSprite*>(node))
        {
            sprites->push_back(sprite);
        }
        collectShown(node, labels, sprites);
    }
}

/** The longest task a slot shows: the finishing-move task with a two-figure count. */
const char* const kLongestTask = "Finish off 12 enemies with a Jump Kick";
} // namespace

class HudLayoutTest : public MenuScreenTest, public ::testing::WithParamInterface<CCSize>
{
protected:
    void SetUp() override
    {
        m_winSize = GetParam();
        ASSERT_NE(nullptr, vorntest::useViewOfSize(m_winSize.width, m_winSize.height));
        MenuScreenTest::SetUp();
        m_hud = m_game->getHUD();
        ASSERT_NE(nullptr, m_hud);
    }
    void TearDown() override
    {
        MenuScreenTest::TearDown();
        CCEGLView::purgeSharedOpenGLView();
        CCTextureCache::purgeSharedTextureCache();
        CCLabelBMFont::purgeCachedData();
    }
    std::string picture(const std::string& name)
    {
        const char* dir = getenv("VORN_SCREEN_PNG_DIR");
        std::ostringstream path;
        path << (dir ? std::string(dir) : vorntest::makeTempDir("hud-layouts")) << "/" << name << "-"
             << m_winSize.width << "x" << m_winSize.height << ".png";
        EXPECT_TRUE(CCRenderer::sharedRenderer()->saveToPNG(path.str().c_str()));
        return path.str();
    }

    HUD* m_hud = NULL;
};

TEST_P(HudLayoutTest, TaskTextsClearTheirBarsAndTheComboCounterClearsTheList)
{
    m_hud->setVisible(true);
    m_hud->showArenaTasks();
    m_hud->onComboChanged(36);
    stepFrames(30, 1.0f / 30.0f);
    ArenaTasksScreen* tasks = m_hud->getArenaTasksScreen();
    ASSERT_TRUE(vorntest::isShown(tasks));
    std::vector<CCLabelBMFont*> texts;
    std::vector<CCSprite*> sprites;
    collectShown(tasks, &texts, &sprites);
    // The three tasks, each with its frame and its fill (the celebration banner is hidden meanwhile).
    ASSERT_EQ(3u, texts.size());
    std::vector<CCSprite*> frames, fills;
    for (CCSprite* sprite : sprites)
    {
        // The fills are the bars the empty slots left at nothing.
        (sprite->getScaleX() == 0.0f ? fills : frames).push_back(sprite);
    }
    ASSERT_EQ(3u, frames.size());
    ASSERT_EQ(3u, fills.size());
    // Each slot with the longest task there is, done.
    for (CCLabelBMFont* text : texts)
    {
        text->setString(kLongestTask);
    }
    for (CCSprite* fill : fills)
    {
        fill->setScaleX(1.0f);
    }
    CCDirector::sharedDirector()->step(1.0f / 30.0f);
    const std::string shot = picture("arena-tasks-and-combo");

    CCRect list = vorntest::worldBox(texts[0]);
    for (CCLabelBMFont* text : texts)
    {
        CCRect box = vorntest::worldBox(text);
        list = vorntest::unite(list, box);
        for (CCSprite* bar : sprites)
        {
            EXPECT_FALSE(vorntest::overlaps(box, vorntest::worldBox(bar), 0.5f))
                << "'" << text->getString() << "' at " << vorntest::describe(box) << " draws over a bar at "
                << vorntest::describe(vorntest::worldBox(bar)) << "; see " << shot;
        }
    }
    for (size_t i = 0; i < frames.size(); ++i)
    {
        CCRect frame = vorntest::worldBox(frames[i]);
        CCRect fill = vorntest::worldBox(fills[i]);
        list = vorntest::unite(vorntest::unite(list, frame), fill);
        // A finished task's bar fills its frame.
        EXPECT_TRUE(vorntest::isInside(fill, frame, 0.5f))
            << "fill " << vorntest::describe(fill) << " frame " << vorntest::describe(frame);
        EXPECT_GT(fill.size.width, frame.size.width * 0.9f)
            << "a full bar " << vorntest::describe(fill) << " in its frame " << vorntest::describe(frame) << "; see "
            << shot;
    }

    ComboCounterScreen* combo = m_hud->getComboCounterScreen();
    ASSERT_TRUE(vorntest::isShown(combo));
    std::vector<CCLabelBMFont*> comboTexts;
    std::vector<CCSprite*> ribbon;
    collectShown(combo, &comboTexts, &ribbon);
    ASSERT_EQ(1u, comboTexts.size());
    ASSERT_EQ(1u, ribbon.size());
    const CCRect screen(0, 0, m_winSize.width, m_winSize.height);
    for (CCNode* node : { (CCNode*)comboTexts[0], (CCNode*)ribbon[0] })
    {
        CCRect box = vorntest::worldBox(node);
        EXPECT_TRUE(vorntest::isInside(box, screen)) << "combo counter cut at the edge: " << vorntest::describe(box)
                                                     << "; see " << shot;
        EXPECT_FALSE(vorntest::overlaps(box, list)) << "combo counter " << vorntest::describe(box)
                                                    << " over the task list " << vorntest::describe(list)
                                                    << "; see " << shot;
    }
    // The count's text sits on its ribbon.
    EXPECT_TRUE(vorntest::isInside(vorntest::worldBox(comboTexts[0]), vorntest::worldBox(ribbon[0])));
}

TEST_P(HudLayoutTest, TheBossBarClearsTheSpeechPanel)
{
    // A boss makes his entrance talking: his bar and the speech panel are up together.
    m_hud->setVisible(true);
    m_hud->getBossHealthScreen()->open();
    SpeechScreen* speech = m_hud->getSpeechScreen();
    speech->open();
    speech->setText("So the street kid climbed all the way up here.");
    stepFrames(30, 1.0f / 30.0f);
    ASSERT_TRUE(vorntest::isShown(m_hud->getBossHealthScreen()));
    ASSERT_TRUE(vorntest::isShown(speech));
    const std::string shot = picture("boss-bar-and-speech");
    auto shownBox = [](CCNode* root) {
        std::vector<CCLabelBMFont*> labels;
        std::vector<CCSprite*> sprites;
        collectShown(root, &labels, &sprites);
        CCRect box = sprites.empty() ? CCRect() : vorntest::worldBox(sprites[0]);
        for (CCSprite* sprite : sprites)
        {
            box = vorntest::unite(box, vorntest::worldBox(sprite));
        }
        for (CCLabelBMFont* label : labels)
        {
            box = vorntest::unite(box, vorntest::worldBox(label));
        }
        return box;
    };
    const CCRect bar = shownBox(m_hud->getBossHealthScreen());
    const CCRect panel = shownBox(speech);
    EXPECT_FALSE(vorntest::overlaps(bar, panel)) << "boss bar " << vorntest::describe(bar) << " over the speech panel "
                                                 << vorntest::describe(panel) << "; see " << shot;
    EXPECT_TRUE(vorntest::isInside(bar, CCRect(0, 0, m_winSize.width, m_winSize.height)));
}

INSTANTIATE_TEST_SUITE_P(WindowShapes, HudLayoutTest, ::testing::Values(CCSize(1024, 768), CCSize(1280, 720)),
                         [](const ::testing::TestParamInfo<CCSize>& info) {
                             std::ostringstream name;
                             name << (int)info.param.width << "x" << (int)info.param.height;
                             return name.str();
                         });
