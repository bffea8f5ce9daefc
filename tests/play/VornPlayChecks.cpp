#include "VornPlayChecks.h"

#include "CCAnimatingSprite.h"
#include "CheckpointScreen.h"
#include "ComboCounterScreen.h"
#include "GrumvaldScreen.h"
#include "HUD.h"
#include "PlayerHealthScreen.h"
#include "TimeAndLocationScreen.h"
#include "VornBackdrop.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

USING_NS_CC;

VornPlayChecks::VornPlayChecks(VornGameManager* game)
    : m_game(game), m_lastBackground(NULL), m_settling(0)
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
    if (!inPlay())
    {
        m_shownFor.clear();
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
    }
    checkDepthOrder(frame);
    checkBars(frame);
    HUD* hud = m_game->getHUD();
    // Each overlay's timeline, and a second more.
    checkOverlayCloses(frame, frameTime, "boss banner", hud->getGrumvaldScreen(), 8.0f);
    checkOverlayCloses(frame, frameTime, "time and place caption", hud->getTimeAndLocationScreen(), 8.0f);
    checkOverlayCloses(frame, frameTime, "checkpoint notice", hud->getCheckpointScreen(), 8.0f);
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
    if ((pastSides && !m_allowPastSideEdges) || feet.y < 0 || feet.y > window.height)
    {
        std::ostringstream out;
        out << "the player's feet are at " << feet.x << "," << feet.y << ", outside the window, doing "
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

void VornPlayChecks::checkOverlayCloses(int frame, float frameTime, const char* name, VornScreen* screen, float limit)
{
    if (screen == NULL || !screen->isVisible())
    {
        m_shownFor.erase(name);
        return;
    }
    float& shown = m_shownFor[name];
    shown += frameTime;
    if (shown > limit)
    {
        std::ostringstream out;
        out << "the " << name << " has been up for over " << limit << " s";
        fail(frame, out.str());
    }
}
