#include "VornPlayChecks.h"

#include "CCAnimatingSprite.h"
#include "CheckpointScreen.h"
#include "ComboCounterScreen.h"
#include "GrumvaldScreen.h"
#include "HUD.h"
#include "HealthChangeLabel.h"
#include "BotActor.h"
#include "BotManager.h"
#include "CCObjectPool.h"
#include "VornImpact.h"
#include "PlayerHealthScreen.h"
#include "ThumbsScreen.h"
#include "TimeAndLocationScreen.h"
#include "VornBackdrop.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "ArenaTasksScreen.h"
#include "SpeechScreen.h"
#include "TextHelpers.h"
#include "VornAchievementsManager.h"
#include "VornActorDesc.h"

#include <libxml/parser.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

USING_NS_CC;

VornPlayChecks::VornPlayChecks(VornGameManager* game)
    : m_game(game), m_lastBackground(NULL), m_settling(0), m_outOfView(0.0f)
{
}

void VornPlayChecks::fail(int frame, const std::string& what)
{
    if (!m_failure.empty())
    {
        return;
    }
    std::ostringstream out;
    out << m_game->getLevelScript() << ", frame " << frame << ": " << what;
    m_failure = out.str();
}

bool VornPlayChecks::inPlay()
{
    return !m_game->isPaused() && m_game->getGameLayer()->isVisible() && !m_game->getLevelScript().empty() &&
           m_game->getBackground() != NULL;
}

void VornPlayChecks::check(int frame, float frameTime)
{
    checkSavedStore(frame);
    if (!inPlay())
    {
        // Screens between stages may restore a checkpoint's lower score: counts start again.
        m_shown.clear();
        m_texts.clear();
        m_lastCount.clear();
        // The next stage's backdrop may be built where this one's was: it settles all the same.
        m_lastBackground = NULL;
        return;
    }
    // A stage that has just come up is drawn once before its camera finds the player.
    if (m_game->getBackground() != m_lastBackground)
    {
        m_lastBackground = m_game->getBackground();
        m_settling = 2;
    }
    if (m_settling > 0)
    {
        --m_settling;
    }
    else
    {
        checkPlayerInView(frame);
        checkWholeBodyInView(frame, frameTime);
        checkNotHidden(frame, frameTime);
    }
    checkNumbersApart(frame);
    checkDepthOrder(frame);
    checkBars(frame);
    checkOverlays(frame, frameTime);
    checkTextsStayUp(frame, frameTime);
    // The game plays on under the game over screen, and a continue may go back to a checkpoint's
    // lower score: counts start again once the player is up and the screen gone.
    if (m_game->getGameOverScreen()->isVisible() || !m_game->getPlayer()->isAlive())
    {
        m_lastCount.clear();
    }
    else
    {
        checkOnlyGrows(frame);
    }
}

void VornPlayChecks::checkLog(int frame, const std::vector<std::string>& lines)
{
    for (; m_logLinesSeen < lines.size(); ++m_logLinesSeen)
    {
        const std::string& line = lines[m_logLinesSeen];
        // A fighter's full action stack refuses every move: the player would be stuck.
        if (CCLogIsProblem(line.c_str()) || line.compare(0, 23, "Can't add item to stack") == 0)
        {
            fail(frame, "the log says \"" + line + "\"");
        }
    }
}

void VornPlayChecks::checkOverlays(int frame, float frameTime)
{
    HUD* hud = m_game->getHUD();
    // Each overlay's timeline, and a second more.
    const struct
    {
        const char* name;
        VornScreen* screen;
    } timed[] = { { "boss banner", hud->getGrumvaldScreen() },
                  { "time and place caption", hud->getTimeAndLocationScreen() },
                  { "checkpoint notice", hud->getCheckpointScreen() } };
    for (const auto& overlay : timed)
    {
        checkOverlayCloses(frame, frameTime, overlay.name, overlay.screen && overlay.screen->isVisible(), "", 8.0f);
    }
    // A line of speech, a combo count and a round of task pop-ups each have their own time.
    SpeechScreen* speech = hud->getSpeechScreen();
    checkOverlayCloses(frame, frameTime, "speech", speech && speech->isVisible(), speech ? speech->getText() : "", 8.0f);
    ComboCounterScreen* combo = hud->getComboCounterScreen();
    const bool comboShown = combo && combo->isVisible() && combo->getComboLabel();
    // The combo's clock stands still while the game does (a round of task pop-ups).
    // A combo of the same count begun while the last one's counter leaves turns it back: a new
    // showing, told apart by the turn.
    checkOverlayCloses(frame, m_game->getTempPaused() ? 0.0f : frameTime, "combo counter", comboShown,
                       comboShown ? std::string(combo->getComboLabel()->getString()) + (combo->isClosing() ? " leaving" : "") : "",
                       4.0f);
    ArenaTasksScreen* tasks = hud->getArenaTasksScreen();
    const bool popups = tasks && tasks->isVisible() && tasks->isPopupPhase();
    checkOverlayCloses(frame, frameTime, "task pop-up", popups, popups ? std::to_string(tasks->getQueuedPopupCount()) : "",
                       8.0f);
}

namespace
{
/** All the experience a fighter has earned: what bought his levels, his points and this stage's. */
int experienceEarned(VornActorDesc* desc)
{
    if (desc == NULL)
    {
        return 0;
    }
    int earned = desc->getXPPoints() + desc->getXPPointsSinceUpgrade();
    for (int level = 0; level < desc->getXPLevel(); ++level)
    {
        earned += desc->getMaxXPPoints(level);
    }
    return earned;
}
} // namespace

void VornPlayChecks::checkOnlyGrows(int frame)
{
    VornPlayer* player = m_game->getPlayer();
    AchievementInfo* knockOuts =
        m_game->getAchievementsManager()->getAchievement("achievement.grandor.take_out_enemies_tier1");
    const struct
    {
        const char* name;
        float value;
    } counts[] = { { "score", (float)player->getScore() },
                   { "experience", (float)experienceEarned(player->getDesc()) },
                   { "knock-out count", knockOuts ? knockOuts->getProgress() : 0.0f } };
    for (const auto& count : counts)
    {
        auto last = m_lastCount.find(count.name);
        if (last != m_lastCount.end() && count.value < last->second)
        {
            std::ostringstream out;
            out << "the " << count.name << " fell from " << last->second << " to " << count.value << " during play";
            fail(frame, out.str());
        }
        m_lastCount[count.name] = count.value;
    }
}

void VornPlayChecks::checkSavedStore(int frame)
{
    // Parsed again whenever the file changes: a save the next start cannot read loses progress.
    const std::string& path = CCUserDefault::getXMLFilePath();
    struct stat info;
    if (path.empty() || stat(path.c_str(), &info) != 0)
    {
        return;
    }
    std::ostringstream stamp;
    stamp << info.st_size << "@" << info.st_mtim.tv_sec << "." << info.st_mtim.tv_nsec << "#" << info.st_ino;
    if (stamp.str() == m_storeStamp)
    {
        return;
    }
    m_storeStamp = stamp.str();
    xmlDocPtr document = xmlReadFile(path.c_str(), NULL, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (document == NULL)
    {
        fail(frame, "the saved store " + path + " does not parse");
        return;
    }
    xmlFreeDoc(document);
}

void VornPlayChecks::checkPlayerInView(int frame)
{
    VornPlayer* player = m_game->getPlayer();
    for (CCNode* node = player; node != NULL; node = node->getParent())
    {
        if (!node->isVisible() && player->isAlive())
        {
            fail(frame, "the player or a parent of his is hidden");
            return;
        }
    }
    if (player->getParent() == NULL)
    {
        fail(frame, "the player is not in the scene");
        return;
    }
    CCPoint feet = player->getParent()->convertToWorldSpace(player->getBasePosition());
    CCSize window = CCDirector::sharedDirector()->getWinSize();
    // A knock-back may carry him a step past the edge the camera holds: he is still on screen while
    // part of his body is in the window.
    const float margin = std::max(8.0f, player->getCollisionBoundsInWorldSpace().size.width * 0.5f);
    const bool pastSides = feet.x < -margin || feet.x > window.width + margin;
    if (pastSides || feet.y < 0 || feet.y > window.height)
    {
        std::ostringstream out;
        out << "the player's feet are at " << feet.x << "," << feet.y << ", outside the window, doing "
            << (player->getAction() ? player->getAction()->getName() : "nothing");
        fail(frame, out.str());
    }
}

void VornPlayChecks::checkWholeBodyInView(int frame, float frameTime)
{
    // His whole box, not only his feet: a throw or a knock-back may carry part of him past the
    // window's edge for a moment, never for a second.
    VornPlayer* player = m_game->getPlayer();
    if (player->getParent() == NULL || !player->isAlive())
    {
        m_outOfView = 0.0f;
        return;
    }
    const CCRect box = player->getCollisionBoundsInWorldSpace();
    const CCSize window = CCDirector::sharedDirector()->getWinSize();
    const float slack = 1.0f;  // a pixel of rounding
    const bool inside = box.getMinX() >= -slack && box.getMaxX() <= window.width + slack && box.getMinY() >= -slack &&
                        box.getMaxY() <= window.height + slack;
    m_outOfView = inside ? 0.0f : m_outOfView + frameTime;
    if (m_outOfView > 1.0f)
    {
        std::ostringstream out;
        out << "the player's box " << box.getMinX() << "," << box.getMinY() << " to " << box.getMaxX() << ","
            << box.getMaxY() << " has been partly outside the window for over a second, doing "
            << (player->getAction() ? player->getAction()->getName() : "nothing");
        fail(frame, out.str());
    }
}

void VornPlayChecks::checkDepthOrder(int frame)
{
    std::vector<VornActor*> drawn;
    CCObject* child = NULL;
    CCARRAY_FOREACH(m_game->getActorNode()->getChildren(), child)
    {
        if (VornActor* actor = dynamic_cast<VornActor*>(child))
        {
            drawn.push_back(actor);
        }
    }
    // The order is made at the start of a frame; what moved during it is sorted on the next.
    for (size_t i = 1; i < drawn.size(); ++i)
    {
        if (drawn[i - 1]->getBasePosition().y + 6.0f < drawn[i]->getBasePosition().y)
        {
            fail(frame, "a fighter nearer the viewer is drawn before one farther away");
            return;
        }
    }
}

void VornPlayChecks::checkBars(int frame)
{
    HUD* hud = m_game->getHUD();
    PlayerHealthScreen* playerBar = hud->getPlayerHealthScreen();
    if (playerBar->isVisible() && playerBar->getPlayerScore() != NULL)
    {
        const std::string score = formatNumberWithCommas(m_game->getPlayer()->getScore());
        if (score != playerBar->getPlayerScore()->getString())
        {
            fail(frame, std::string("the HUD shows a score of ") + playerBar->getPlayerScore()->getString() +
                            " for the player's " + score);
        }
    }
    PlayerHealthScreen* bars[] = { hud->getPlayerHealthScreen(), hud->getEnemyHealthScreen(), hud->getBossHealthScreen() };
    const char* names[] = { "player", "enemy", "boss" };
    for (int i = 0; i < 3; ++i)
    {
        PlayerHealthScreen* bar = bars[i];
        VornActor* actor = bar->getActor();
        if (!bar->isVisible() || bar->isClosing() || actor == NULL || bar->getHealthBar2() == NULL)
        {
            continue;
        }
        float shown = 1.0f - bar->getHealthBar2()->getScaleX();
        if (fabsf(shown - actor->getHealthValue()) > 0.02f)
        {
            std::ostringstream out;
            out << "the " << names[i] << " bar shows " << shown << " of a health of " << actor->getHealthValue();
            fail(frame, out.str());
        }
        std::string character = actor->getDesc() ? actor->getDesc()->getName() : "";
        if (bar->getThumbSprite() && bar->getThumbSprite()->getWildcard() != character)
        {
            fail(frame, std::string("the ") + names[i] + " bar's portrait is not " + character + "'s");
        }
    }
}

void VornPlayChecks::checkOverlayCloses(int frame, float frameTime, const char* name, bool shown,
                                        const std::string& showing, float limit)
{
    if (!shown)
    {
        m_shown.erase(name);
        return;
    }
    std::pair<std::string, float>& entry = m_shown[name];
    if (entry.first != showing)
    {
        entry = std::make_pair(showing, 0.0f);
    }
    entry.second += frameTime;
    if (entry.second > limit)
    {
        std::ostringstream out;
        out << "the " << name << " has been up for over " << limit << " s";
        fail(frame, out.str());
    }
}

namespace
{
// Long enough to read a hint of a few words, shorter than any a stage gives its own.
const float kReadingTime = 2.0f;
} // namespace

void VornPlayChecks::checkTextsStayUp(int frame, float frameTime)
{
    HUD* hud = m_game->getHUD();
    ThumbsScreen* thumbs = hud->getThumbsScreen();
    const bool thumbsUp = thumbs != NULL && thumbs->isVisible();
    const struct
    {
        const char* name;
        CCNode* node;
        CCLabelBMFont* label;
    } hints[] = { { "left hint", thumbs ? thumbs->getLeftThumbNode() : NULL, thumbs ? thumbs->getLeftThumbLabel() : NULL },
                  { "right hint", thumbs ? thumbs->getRightThumbNode() : NULL,
                    thumbs ? thumbs->getRightThumbLabel() : NULL } };
    for (const auto& hint : hints)
    {
        const bool shown = thumbsUp && hint.node != NULL && hint.node->isVisible() && hint.label != NULL;
        checkTextStaysUp(frame, frameTime, hint.name, shown, shown ? hint.label->getString() : "");
    }
    TimeAndLocationScreen* caption = hud->getTimeAndLocationScreen();
    const bool captionUp = caption != NULL && caption->isVisible() && caption->getLocationNameLabel() != NULL;
    checkTextStaysUp(frame, frameTime, "time and place caption", captionUp,
                     captionUp ? caption->getLocationNameLabel()->getString() : "");
}

void VornPlayChecks::checkTextStaysUp(int frame, float frameTime, const char* name, bool shown, const std::string& text)
{
    auto entry = m_texts.find(name);
    const bool gone = entry != m_texts.end() && (!shown || entry->second.first != text);
    if (gone && entry->second.second < kReadingTime)
    {
        std::ostringstream out;
        out << "the " << name << " \"" << entry->second.first << "\" was on screen for only " << entry->second.second
            << " s";
        fail(frame, out.str());
    }
    if (!shown)
    {
        m_texts.erase(name);
        return;
    }
    if (gone || entry == m_texts.end())
    {
        m_texts[name] = std::make_pair(text, 0.0f);
    }
    m_texts[name].second += frameTime;
}

namespace
{
/** A node's own rectangle in the window. */
CCRect windowRect(CCNode* node)
{
    const CCSize size = node->getContentSize();
    return CCRectApplyAffineTransform(CCRect(0.0f, 0.0f, size.width, size.height), node->nodeToWorldTransform());
}

/** The share of the box under any of the rectangles, read off a grid of points over the box. */
float coveredShare(const CCRect& box, const std::vector<CCRect>& covers)
{
    const int kColumns = 8;
    const int kRows = 16;
    int covered = 0;
    for (int i = 0; i < kColumns; ++i)
    {
        for (int j = 0; j < kRows; ++j)
        {
            const CCPoint point(box.getMinX() + box.size.width * (i + 0.5f) / kColumns,
                                box.getMinY() + box.size.height * (j + 0.5f) / kRows);
            for (const CCRect& cover : covers)
            {
                if (cover.containsPoint(point))
                {
                    ++covered;
                    break;
                }
            }
        }
    }
    return covered / (float)(kColumns * kRows);
}

/** Drawn so that what is behind it cannot be made out: shown, and at least half opaque. */
bool drawnSolid(CCNode* node)
{
    CCRGBAProtocol* colour = dynamic_cast<CCRGBAProtocol*>(node);
    return node->isVisible() && (colour == NULL || colour->getOpacity() >= 128);
}

/** The pictures under a near layer, each with its rectangle in the window. */
void gatherPictures(CCNode* node, std::vector<std::pair<CCNode*, CCRect>>* out)
{
    if (node == NULL || !node->isVisible())
    {
        return;
    }
    if (dynamic_cast<CCSprite*>(node) != NULL && drawnSolid(node))
    {
        out->push_back(std::make_pair(node, windowRect(node)));
    }
    CCObject* child = NULL;
    CCARRAY_FOREACH(node->getChildren(), child)
    {
        gatherPictures(static_cast<CCNode*>(child), out);
    }
}

/** What a piece of scenery is, for a report. */
std::string describeScenery(CCNode* node, const CCRect& rect)
{
    std::ostringstream out;
    CCAnimatingSprite* animated = dynamic_cast<CCAnimatingSprite*>(node);
    out << (animated && !animated->getWildcard().empty() ? animated->getWildcard() : std::string("a near picture"))
        << " at " << (int)rect.getMinX() << "," << (int)rect.getMinY() << " (" << (int)rect.size.width << " by "
        << (int)rect.size.height << ")";
    return out.str();
}
} // namespace

void VornPlayChecks::checkNotHidden(int frame, float frameTime)
{
    VornPlayer* player = m_game->getPlayer();
    VornBackdrop* backdrop = m_game->getBackground();
    if (player->getParent() == NULL || !player->isAlive() || backdrop == NULL)
    {
        m_hiddenByScenery = 0.0f;
        m_hiddenByEnemies = 0.0f;
        return;
    }
    const CCRect box = player->getCollisionBoundsInWorldSpace();
    // Drawn over him: the near layers, and props and enemies standing nearer the viewer.
    std::vector<std::pair<CCNode*, CCRect>> scenery;
    CCObject* object = NULL;
    CCARRAY_FOREACH(backdrop->getForegroundLayers(), object)
    {
        gatherPictures(static_cast<CCNode*>(object), &scenery);
    }
    CCARRAY_FOREACH(backdrop->getObjects(), object)
    {
        CCNode* prop = static_cast<CCNode*>(object);
        if (prop->getParent() == player->getParent() && prop->getZOrder() > player->getZOrder() && drawnSolid(prop))
        {
            scenery.push_back(std::make_pair(prop, windowRect(prop)));
        }
    }
    std::vector<CCRect> covers;
    std::string what;
    for (const auto& piece : scenery)
    {
        if (piece.second.intersectsRect(box))
        {
            covers.push_back(piece.second);
            what += (what.empty() ? "" : ", ") + describeScenery(piece.first, piece.second);
        }
    }
    m_hiddenByScenery = coveredShare(box, covers) > 1.0f / 3.0f ? m_hiddenByScenery + frameTime : 0.0f;
    if (m_hiddenByScenery > 2.0f)
    {
        std::ostringstream out;
        out << "over a third of the player's box " << (int)box.getMinX() << "," << (int)box.getMinY() << " to "
            << (int)box.getMaxX() << "," << (int)box.getMaxY() << " has been under " << what << " for over 2 s";
        fail(frame, out.str());
    }

    std::vector<CCRect> enemies;
    for (BotActor* bot : m_game->getBotManager()->getActiveBots())
    {
        if (bot->isAlive() && bot->isVisible() && bot->getParent() == player->getParent() &&
            bot->getZOrder() > player->getZOrder())
        {
            enemies.push_back(bot->getCollisionBoundsInWorldSpace());
        }
    }
    m_hiddenByEnemies = coveredShare(box, enemies) > 0.5f ? m_hiddenByEnemies + frameTime : 0.0f;
    float& longest = m_longestHiddenByEnemies[m_game->getLevelScript()];
    longest = std::max(longest, m_hiddenByEnemies);
}

void VornPlayChecks::checkNumbersApart(int frame)
{
    // Every number still readable: a hit's, shown on the game layer, and a health change's, over
    // the fighter.
    std::vector<CCRect> numbers;
    CCObjectPool* impacts = m_game->getImpactPool();
    CCObject* object = NULL;
    CCARRAY_FOREACH(impacts ? impacts->getUsed() : NULL, object)
    {
        VornImpact* impact = dynamic_cast<VornImpact*>(object);
        CCLabelBMFont* label = impact ? impact->getLabel() : NULL;
        if (impact && impact->isActive() && impact->getParent() && label && label->isVisible() &&
            *label->getString() != '\0' && label->getOpacity() >= 64)
        {
            numbers.push_back(windowRect(label));
        }
    }
    CCARRAY_FOREACH(m_game->getActorNode()->getChildren(), object)
    {
        HealthChangeLabel* label = dynamic_cast<HealthChangeLabel*>(object);
        if (label && label->isActive() && label->isVisible() && label->getOpacity() >= 64)
        {
            numbers.push_back(windowRect(label));
        }
    }
    // A handful may meet while a string of blows lands; more on one spot are a blot.
    const int kHandful = 4;
    for (const CCRect& number : numbers)
    {
        const CCPoint spot(number.getMidX(), number.getMidY());
        const int over = (int)std::count_if(numbers.begin(), numbers.end(),
                                            [&spot](const CCRect& other) { return other.containsPoint(spot); });
        if (over > kHandful)
        {
            std::ostringstream out;
            out << over << " floating numbers lie over one spot at " << (int)spot.x << "," << (int)spot.y;
            fail(frame, out.str());
            return;
        }
    }
}
