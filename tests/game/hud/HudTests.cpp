#include "AchievementScreen.h"
#include "ArenaTasksScreen.h"
#include "ArenaTimerScreen.h"
#include "CCAnimatingSprite.h"
#include "CCLabelBMFont.h"
#include "CCLayerColor.h"
#include "CCParticleSystem.h"
#include "CCSprite.h"
#include "CheckpointScreen.h"
#include "CinemascopeScreen.h"
#include "ComboCounterScreen.h"
#include "FightHealthScreen.h"
#include "GrumvaldScreen.h"
#include "HUD.h"
#include "LocaleManager.h"
#include "PlayerHealthScreen.h"
#include "SpeechItem.h"
#include "SpeechScreen.h"
#include "ThumbsScreen.h"
#include "TimeAndLocationScreen.h"
#include "VornAchievementsManager.h"
#include "VornNodeBounds.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

USING_NS_CC;

namespace
{
void step(int frames, float dt)
{
    for (int i = 0; i < frames; ++i)
    {
        CCDirector::sharedDirector()->step(dt);
    }
}

/** The HUD on a scene of the design size, with the game's texts. */
class HudTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        CCPoolManager::sharedPoolManager()->push();
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        CCDirector::sharedDirector()->setWinSize(CCSize(480, 340));
        m_locale = new LocaleManager();
        // The manager does not keep its table alive; the test does.
        m_table = new CCDictionary();
        CCDictionary* table = m_table;
        table->setObject(CCString::create("COMBO"), "HUD_COMBO");
        table->setObject(CCString::create("Hold the line."), "SPEECH_HOLD");
        m_locale->setCurrentTable(table);
        m_scene = CCScene::create();
        CCDirector::sharedDirector()->runWithScene(m_scene);
        m_hud = HUD::create();
        ASSERT_NE(nullptr, m_hud);
        m_scene->addChild(m_hud);
        step(1, 0.0f);
    }
    virtual void TearDown()
    {
        CCDirector::purgeSharedDirector();
        m_locale->release();
        m_table->release();
        CCPoolManager::sharedPoolManager()->pop();
    }
    /** Game time for the HUD and frames for the timelines, in steps of dt. */
    void play(float seconds, float dt = 0.05f)
    {
        for (float t = 0.0f; t < seconds - 1e-4f; t += dt)
        {
            m_hud->tick(dt);
            if (SpeechScreen* speech = m_hud->getSpeechScreen())
            {
                speech->tick(dt);
            }
            step(1, dt);
        }
    }

    LocaleManager* m_locale = NULL;
    CCDictionary* m_table = NULL;
    CCScene* m_scene = NULL;
    HUD* m_hud = NULL;
};
} // namespace

TEST_F(HudTest, BuildsEveryOverlayHiddenAndStartsALevelWithAFadeFromWhite)
{
    VornScreen* overlays[] = { m_hud->getThumbsScreen(), m_hud->getTimeAndLocationScreen(),
                               m_hud->getGrumvaldScreen(), m_hud->getPlayerHealthScreen(),
                               m_hud->getEnemyHealthScreen(), m_hud->getBossHealthScreen(),
                               m_hud->getFightHealthScreen(), m_hud->getComboCounterScreen(),
                               m_hud->getCinemascopeScreen(), m_hud->getCheckpointScreen(),
                               m_hud->getSpeechScreen() };
    for (size_t i = 0; i < sizeof(overlays) / sizeof(overlays[0]); ++i)
    {
        ASSERT_NE(nullptr, overlays[i]) << i;
        EXPECT_EQ(m_hud, overlays[i]->getParent()) << i;
        EXPECT_FALSE(overlays[i]->isVisible() && overlays[i] != m_hud->getThumbsScreen()) << i;
    }
    // Desktop: paused from keys and pads, no on-screen button.
    ASSERT_NE(nullptr, m_hud->getPauseButton());
    EXPECT_FALSE(m_hud->getPauseButton()->isVisible());
    ASSERT_NE(nullptr, m_hud->getGoNode());
    EXPECT_FALSE(m_hud->getGoNode()->isVisible());

    // Entering the scene started a level: visible, white at once, clear after half a second.
    EXPECT_TRUE(m_hud->isVisible());
    CCLayerColor* layer = m_hud->getScreenLayer();
    ASSERT_NE(nullptr, layer);
    EXPECT_TRUE(layer->isVisible());
    EXPECT_EQ(255, layer->getOpacity());
    play(0.25f);
    EXPECT_NEAR(127, layer->getOpacity(), 8);
    play(0.3f);
    EXPECT_EQ(0, layer->getOpacity());
    EXPECT_FALSE(layer->isVisible());
    // A fade shorter than a frame ends at the next tick, however short.
    m_hud->doScreenFade(ccc4(0, 0, 0, 200), 0.01f);
    m_hud->tick(0.001f);
    EXPECT_EQ(200, layer->getOpacity());

    // The damage overlay greys in as the player's health goes.
    CCSprite* damage = dynamic_cast<CCSprite*>(m_hud->getDamageOverlay());
    ASSERT_NE(nullptr, damage);
    m_hud->onPlayerHealthChanged(1.0f);
    EXPECT_EQ(0, damage->getOpacity());
    m_hud->onPlayerHealthChanged(0.0f);
    EXPECT_EQ(255, damage->getOpacity());
    EXPECT_EQ(255, damage->getColor().r);
}

TEST_F(HudTest, SpeechAndCheckpointDrawOverTheArenaTasksAndTimer)
{
    // Same z: the one added later draws on top.
    struct Order
    {
        VornScreen* screen;
        const char* name;
    };
    const Order order[] = { { m_hud->getCinemascopeScreen(), "cinemascope" },
                            { m_hud->getArenaTasksScreen(), "tasks" },
                            { m_hud->getArenaTimerScreen(), "timer" },
                            { m_hud->getCheckpointScreen(), "checkpoint" },
                            { m_hud->getSpeechScreen(), "speech" } };
    for (size_t i = 1; i < sizeof(order) / sizeof(order[0]); ++i)
    {
        ASSERT_NE(nullptr, order[i].screen) << order[i].name;
        EXPECT_EQ(0, order[i].screen->getZOrder()) << order[i].name;
        EXPECT_GT(order[i].screen->getOrderOfArrival(), order[i - 1].screen->getOrderOfArrival()) << order[i].name;
    }
    EXPECT_EQ(-1, m_hud->getCinemascopeScreen()->getZOrder());
}

TEST_F(HudTest, HealthBarsSizeByMaximumHealthAndFollowTheFraction)
{
    const std::pair<float, float> lengths[] = { {0.0f, 0.1f}, {250.0f, 4.55f}, {500.0f, 9.0f}, {800.0f, 9.0f} };
    for (size_t i = 0; i < 4; ++i)
    {
        EXPECT_NEAR(lengths[i].second, PlayerHealthScreen::barScaleForMaxHealth(lengths[i].first), 1e-4f);
    }

    PlayerHealthScreen* bar = m_hud->getPlayerHealthScreen();
    // The fighters outlive the frames the test steps.
    CCNode* fighter = CCNode::create();
    fighter->retain();
    CCNode* other = CCNode::create();
    other->retain();
    m_hud->showPlayerHealth(fighter, "jors", 250.0f, 0.75f);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(fighter, bar->getSubject());
    EXPECT_NEAR(4.55f, bar->getHealthBar1()->getScaleX(), 1e-4f);
    EXPECT_NEAR(0.25f, bar->getHealthBar2()->getScaleX(), 1e-4f);
    CCRect box = bar->getHealthBar1()->boundingBox();
    EXPECT_FLOAT_EQ(box.getMinX(), bar->getHealthBarStart()->getPositionX());
    EXPECT_FLOAT_EQ(box.getMaxX(), bar->getHealthBarEnd()->getPositionX());
    EXPECT_FALSE(bar->getDeadSprite()->isVisible());
    // The portrait is the fighter's own.
    EXPECT_TRUE(bar->getThumbSprite()->getWildcardIsPrefix());
    EXPECT_EQ("jors", bar->getThumbSprite()->getWildcard());
    EXPECT_EQ(1u, bar->getThumbSprite()->getFrames()->count());
    bar->onScoreChanged(1234567);
    EXPECT_STREQ("1,234,567", bar->getPlayerScore()->getString());

    // Knocked out while the bar still opens: it closes once it has opened.
    bar->onHealthChanged(0.0f);
    EXPECT_TRUE(bar->getDeadSprite()->isVisible());
    EXPECT_FLOAT_EQ(1.0f, bar->getHealthBar2()->getScaleX());
    EXPECT_TRUE(bar->getClosePending());
    play(1.0f);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(nullptr, bar->getSubject());
    EXPECT_FALSE(bar->getClosePending());

    // The boss bar's fighter gets no enemy bar as well.
    m_hud->showBossHealth(fighter, "street-thug", 600.0f, 1.0f);
    m_hud->showEnemyHealth(fighter, "street-thug", 600.0f, 1.0f);
    EXPECT_TRUE(m_hud->getBossHealthScreen()->isVisible());
    EXPECT_FALSE(m_hud->getEnemyHealthScreen()->isVisible());

    // One-on-one: each side's bar is its fraction.
    FightHealthScreen* fight = m_hud->getFightHealthScreen();
    m_hud->showFightHealth(fighter, "jors", 0.5f, other, "street-thug", 0.0f);
    EXPECT_TRUE(fight->isVisible());
    EXPECT_FLOAT_EQ(0.5f, fight->getBar(0)->getScaleX());
    EXPECT_FLOAT_EQ(0.0f, fight->getBar(1)->getScaleX());
    EXPECT_FALSE(fight->getDeadMarker(0)->isVisible());
    EXPECT_TRUE(fight->getDeadMarker(1)->isVisible());
    EXPECT_EQ("street-thug", fight->getPortrait(1)->getWildcard());
    m_hud->onLevelStart();
    EXPECT_FALSE(fight->isVisible());
    EXPECT_EQ(nullptr, fight->getSubject(0));
    fighter->release();
    other->release();
}

namespace
{
/** Where the portrait stands: the middle of its dead marker, which sits on it. */
CCPoint whereIs(CCNode* marker)
{
    CCRect box = vorntest::worldBox(marker);
    return ccp(box.getMidX(), box.getMidY());
}

/** The window box of every shown sprite of the bar's frame: not the portrait's, not a label's. */
void collectFrame(CCNode* node, const std::vector<CCNode*>& skip, const CCPoint& portrait, CCRect& frame, bool& any)
{
    if (!node->isVisible() || dynamic_cast<CCLabelBMFont*>(node) ||
        std::find(skip.begin(), skip.end(), node) != skip.end())
    {
        return;
    }
    if (dynamic_cast<CCSprite*>(node))
    {
        CCRect box = vorntest::worldBox(node);
        if (box.size.width > 0.0f && !box.containsPoint(portrait))
        {
            frame = any ? vorntest::unite(frame, box) : box;
            any = true;
        }
    }
    CCObject* child = NULL;
    CCARRAY_FOREACH(node->getChildren(), child)
    {
        collectFrame(static_cast<CCNode*>(child), skip, portrait, frame, any);
    }
}
} // namespace

// A fighter at full health sees a full bar: whatever frames the bar ends where the bar ends
// (its caps at most), at every maximum health, on every bar the HUD has.
TEST_F(HudTest, EveryHealthBarsFrameIsTheBarsOwnLength)
{
    CCNode* fighter = CCNode::create();
    fighter->retain();
    CCNode* other = CCNode::create();
    other->retain();
    const float kCapSlack = 2.5f;
    struct Bar
    {
        const char* name;
        int kind;  // 0 player, 1 enemy, 2 boss, 3 fight (first side), 4 fight (second side)
    } bars[] = { { "player", 0 }, { "enemy", 1 }, { "boss", 2 }, { "fight, left", 3 }, { "fight, right", 4 } };
    const float maxHealths[] = { 60.0f, 150.0f, 320.0f, 500.0f };
    for (const Bar& bar : bars)
    {
        for (float maxHealth : maxHealths)
        {
            SCOPED_TRACE(std::string(bar.name) + " bar, maximum health " + std::to_string((int)maxHealth));
            m_hud->onLevelStart();
            VornScreen* screen = NULL;
            CCNode* fill = NULL;
            std::vector<CCNode*> skip;
            CCNode* marker = NULL;
            if (bar.kind < 3)
            {
                PlayerHealthScreen* health = bar.kind == 0 ? m_hud->getPlayerHealthScreen()
                                             : bar.kind == 1 ? m_hud->getEnemyHealthScreen()
                                                             : m_hud->getBossHealthScreen();
                if (bar.kind == 0)
                    m_hud->showPlayerHealth(fighter, "jors", maxHealth, 1.0f);
                else if (bar.kind == 1)
                    m_hud->showEnemyHealth(fighter, "street-thug", maxHealth, 1.0f);
                else
                    m_hud->showBossHealth(fighter, "street-thug", maxHealth, 1.0f);
                screen = health;
                fill = health->getHealthBar1();
                skip = { health->getThumbSprite(), health->getDeadSprite() };
                marker = health->getDeadSprite();
            }
            else
            {
                if (maxHealth != maxHealths[0])
                {
                    continue;  // the fight bars are sized by the fraction alone
                }
                FightHealthScreen* fight = m_hud->getFightHealthScreen();
                m_hud->showFightHealth(fighter, "jors", 1.0f, other, "street-thug", 1.0f);
                const int side = bar.kind - 3;
                screen = fight;
                fill = fight->getBar(side);
                skip = { fight->getPortrait(0), fight->getPortrait(1), fight->getDeadMarker(0), fight->getDeadMarker(1),
                         fight->getPanel(1 - side) };
                marker = fight->getDeadMarker(side);
            }
            play(0.5f);
            ASSERT_TRUE(screen->isOpen());
            CCRect frame;
            bool any = false;
            collectFrame(screen, skip, whereIs(marker), frame, any);
            ASSERT_TRUE(any);
            CCRect full = vorntest::worldBox(fill);
            EXPECT_GE(frame.getMinX(), full.getMinX() - kCapSlack)
                << "frame " << vorntest::describe(frame) << " bar " << vorntest::describe(full);
            EXPECT_LE(frame.getMaxX(), full.getMaxX() + kCapSlack)
                << "frame " << vorntest::describe(frame) << " bar " << vorntest::describe(full);
        }
    }
    m_hud->onLevelStart();
    fighter->release();
    other->release();
}

TEST_F(HudTest, ComboCounterSlidesInFromTwoHitsAndOutWhenTheComboEnds)
{
    ComboCounterScreen* combo = m_hud->getComboCounterScreen();
    ASSERT_NE(nullptr, combo->getComboLabel());
    std::string placeholder = combo->getComboLabel()->getString();
    m_hud->onComboChanged(1);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(placeholder, combo->getComboLabel()->getString());

    m_hud->onComboChanged(2);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_STREQ("COMBO x2", combo->getComboLabel()->getString());
    EXPECT_EQ(combo->getStartPoint().x, combo->getSlideNode()->getPositionX());
    CCRect box = combo->getComboLabel()->boundingBox();
    EXPECT_FLOAT_EQ(box.size.width * 0.5f, combo->getParticleEffect()->getPosVar().x);
    EXPECT_FLOAT_EQ(box.getMidX(), combo->getParticleEffect()->getPositionX());
    play(0.3f);
    EXPECT_TRUE(combo->isOpen());
    EXPECT_FLOAT_EQ(combo->getOnScreenPoint().x, combo->getSlideNode()->getPositionX());
    // A longer combo while shown: new text, no new slide.
    m_hud->onComboChanged(12);
    EXPECT_STREQ("COMBO x12", combo->getComboLabel()->getString());
    EXPECT_FLOAT_EQ(combo->getOnScreenPoint().x, combo->getSlideNode()->getPositionX());

    // Leaves back to the left, the way it came.
    m_hud->onComboChanged(0);
    EXPECT_TRUE(combo->isClosing());
    play(0.1f);
    // A new combo on the way out turns it back.
    m_hud->onComboChanged(2);
    EXPECT_FALSE(combo->isClosing());
    play(0.3f);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_FLOAT_EQ(combo->getOnScreenPoint().x, combo->getSlideNode()->getPositionX());
    m_hud->onComboChanged(0);
    play(0.3f);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_FLOAT_EQ(combo->getStartPoint().x, combo->getSlideNode()->getPositionX());
    EXPECT_LT(combo->getStartPoint().x, combo->getOnScreenPoint().x);
}

TEST_F(HudTest, CheckpointShowsEveryTimeAndLetterboxAndBannerComeAndGo)
{
    CheckpointScreen* checkpoint = m_hud->getCheckpointScreen();
    for (int round = 0; round < 2; ++round)
    {
        m_hud->showCheckpointDisplay();
        EXPECT_TRUE(checkpoint->isVisible()) << round;
        play(2.5f);
        EXPECT_FALSE(checkpoint->isVisible()) << round;
    }

    CinemascopeScreen* cinema = m_hud->getCinemascopeScreen();
    m_hud->enableCinemascope();
    play(0.6f);
    EXPECT_TRUE(m_hud->isCinemascopeActive());
    EXPECT_FLOAT_EQ(1.0f, cinema->getTopBar()->getScaleY());
    m_hud->onLevelStart();
    EXPECT_FALSE(m_hud->isCinemascopeActive());
    EXPECT_FLOAT_EQ(0.0f, cinema->getTopBar()->getScaleY());

    // The banner may be sent away while it still slides in; its halves leave opposite ways.
    GrumvaldScreen* banner = m_hud->getGrumvaldScreen();
    m_hud->showGrumvald();
    play(0.1f);
    m_hud->hideGrumvald();
    EXPECT_TRUE(banner->isClosing());
    play(0.3f);
    EXPECT_FALSE(banner->isVisible());
    EXPECT_FLOAT_EQ(banner->getFirstHalfPoints()[2].x, banner->getFirstHalf()->getPositionX());
    EXPECT_GT(banner->getFirstHalfPoints()[2].x, banner->getFirstHalfPoints()[1].x);
    EXPECT_LT(banner->getSecondHalfPoints()[2].x, banner->getSecondHalfPoints()[1].x);
    m_hud->showGrumvald();
    play(0.3f);
    EXPECT_TRUE(banner->isOpen());
}

TEST_F(HudTest, SpeechAndCaptionsPlayInTurnWithTheirScreens)
{
    SpeechScreen* speech = m_hud->getSpeechScreen();
    TimeAndLocationScreen* caption = m_hud->getTimeAndLocationScreen();
    m_hud->showTimeAndLocation("Dusk", "Old Town Street", 1.0f);
    m_hud->playSpeech("jors", "SPEECH_HOLD", 1.0f);
    m_hud->playSpeech("street-thug", std::string(100, 'a').c_str(), 3.0f);
    EXPECT_FALSE(caption->isVisible());  // nothing until the HUD ticks

    play(0.05f);
    EXPECT_TRUE(caption->isVisible());
    EXPECT_STREQ("Old Town Street", caption->getLocationNameLabel()->getString());
    EXPECT_STREQ("Dusk", caption->getTimePeriodLabel()->getString());
    // A caption may go while it still arrives.
    caption->close();
    EXPECT_TRUE(caption->isClosing());
    play(0.5f);
    EXPECT_FALSE(caption->isVisible());

    // Caption over: the speech line opens, localised, and reveals in game time.
    play(0.5f);
    ASSERT_NE(nullptr, m_hud->getCurrentItem());
    EXPECT_EQ((int)SpeechItem::kSpeechItem_Speech, m_hud->getCurrentItem()->getType());
    EXPECT_TRUE(speech->isVisible());
    EXPECT_EQ("Hold the line.", speech->getText());
    EXPECT_EQ("jors", speech->getHeadSprite()->getWildcard());

    // The next line keeps the speech screen open; 25 characters after 0.5 s once open.
    play(1.0f);
    EXPECT_EQ(std::string(100, 'a').size(), speech->getTextLength());
    EXPECT_TRUE(speech->isOpen());
    speech->setElapsedTime(0.0f);
    speech->tick(0.5f);
    EXPECT_EQ(25u, speech->getShownLength());
    // Skipping belongs to the player without control: first the whole text, then the next item.
    m_hud->onPlayerInputConnected(true);
    m_hud->onSpeechSkip();
    EXPECT_EQ(25u, speech->getShownLength());
    m_hud->onPlayerInputConnected(false);
    m_hud->onSpeechSkip();
    EXPECT_EQ(100u, speech->getShownLength());
    EXPECT_GT(m_hud->getSpeechTimer(), 0.0f);
    m_hud->onSpeechSkip();
    EXPECT_LE(m_hud->getSpeechTimer(), 0.0f);
    play(0.5f);
    EXPECT_EQ(nullptr, m_hud->getCurrentItem());
    EXPECT_FALSE(speech->isVisible());
}

TEST_F(HudTest, ThumbHintsShowOneSideAtATimeInFittedBoxes)
{
    ThumbsScreen* thumbs = m_hud->getThumbsScreen();
    m_hud->showLeftThumb("Punch");
    EXPECT_TRUE(thumbs->isVisible());
    EXPECT_TRUE(thumbs->getLeftThumbNode()->isVisible());
    // No touch controls: the thumb is left out and the text sits in the corner.
    EXPECT_FALSE(thumbs->getLeftThumbSprite()->isVisible());
    CCRect label = thumbs->getLeftThumbLabel()->boundingBox();
    CCNode* box = thumbs->getLeftThumbLabelBox();
    EXPECT_FLOAT_EQ(label.size.width + 8.0f, box->getContentSize().width);
    EXPECT_FLOAT_EQ(label.origin.x - 4.0f, box->getPositionX());
    play(0.3f);
    m_hud->showLeftThumb("Jump");  // already shown: text only
    EXPECT_FALSE(thumbs->isTimelineRunning());
    EXPECT_STREQ("Jump", thumbs->getLeftThumbLabel()->getString());

    m_hud->showRightThumb("Kick");
    play(0.3f);
    EXPECT_FALSE(thumbs->getLeftThumbNode()->isVisible());
    EXPECT_TRUE(thumbs->getRightThumbNode()->isVisible());
    m_hud->hideRightThumb();
    play(0.3f);
    EXPECT_FALSE(thumbs->getRightThumbNode()->isVisible());
    EXPECT_FALSE(thumbs->isVisible());

    CCNode* plain = CCNode::create();
    CCNode* text = CCNode::create();
    text->setContentSize(CCSize(100, 20));
    text->setPosition(ccp(10, 30));
    ThumbsScreen::fitLabelBox(plain, text, CCSize(8, 8));
    EXPECT_FLOAT_EQ(108.0f, plain->getContentSize().width);
    EXPECT_FLOAT_EQ(28.0f, plain->getContentSize().height);
    EXPECT_FLOAT_EQ(6.0f, plain->getPositionX());
    EXPECT_FLOAT_EQ(26.0f, plain->getPositionY());
}

TEST_F(HudTest, AchievementPopUpsShowOneAfterAnotherInCapitals)
{
    AchievementScreen* popups = AchievementScreen::create();
    ASSERT_NE(nullptr, popups);
    m_scene->addChild(popups);
    EXPECT_EQ(popups, AchievementScreen::sharedAchievementScreen());
    popups->queueAchievement("Street Sweeper I", "You took out 10 enemies.");
    popups->queueAchievement("never say die", "Ten continues.");
    popups->queueAchievement("Pause Master", "Resumed.");
    EXPECT_FALSE(popups->isVisible());  // queueing never opens

    std::vector<std::string> shown;
    for (int frame = 0; frame < 400 && shown.size() < 4; ++frame)
    {
        bool wasVisible = popups->isVisible();
        popups->tick(0.05f);
        if (!wasVisible && popups->isVisible())
        {
            shown.push_back(popups->getTitle()->getString());
            EXPECT_EQ(3u - shown.size(), popups->getQueue().size());
        }
        step(1, 0.05f);
    }
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ("STREET SWEEPER I", shown[0]);
    EXPECT_EQ("NEVER SAY DIE", shown[1]);
    EXPECT_EQ("PAUSE MASTER", shown[2]);
    EXPECT_STREQ("Resumed.", popups->getDescription()->getString());
    EXPECT_FALSE(popups->isVisible());
}

TEST_F(HudTest, CompletingAnAchievementQueuesOnePopUpWithItsTexts)
{
    AchievementScreen* popups = AchievementScreen::create();
    ASSERT_NE(nullptr, popups);
    m_scene->addChild(popups);
    m_table->setObject(CCString::create("Pause Master"), "achievement.grandor.pause_master");
    m_table->setObject(CCString::create("You paused and came back."), "post_achievement.grandor.pause_master");
    VornAchievementsManager* rules = new VornAchievementsManager();
    ASSERT_TRUE(rules->initWithFile("achievements.plist"));
    rules->resetAllAchievements();

    EXPECT_TRUE(rules->setAchievementProgress("achievement.grandor.take_out_enemies_tier1", 0.5f));
    EXPECT_TRUE(popups->getQueue().empty());  // not complete yet
    EXPECT_TRUE(rules->setAchievementProgress("achievement.grandor.pause_master", 1.0f));
    EXPECT_FALSE(rules->setAchievementProgress("achievement.grandor.pause_master", 1.0f));
    ASSERT_EQ(1u, popups->getQueue().size());
    EXPECT_EQ("PAUSE MASTER", popups->getQueue().front().getTitle());
    EXPECT_EQ("You paused and came back.", popups->getQueue().front().getDescription());
    rules->resetAllAchievements();
    rules->release();
}
