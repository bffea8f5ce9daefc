#include "VornAutoPlayer.h"

#include "ArenaManager.h"
#include "ArenaTaskInstance.h"
#include "ArenaTask_FinishingMove.h"
#include "ArenaTask_ReachCombo.h"
#include "ArenaTask_StunEnemies.h"
#include "ArenaTask_SurviveWithoutHits.h"
#include "ArenaTask_ThrowEnemies.h"
#include "BotActor.h"
#include "BotManager.h"
#include "HUD.h"
#include "InputHandler_Keyboard.h"
#include "VornActionDesc.h"
#include "VornActionTypes.h"
#include "VornBackdrop.h"
#include "VornGameManager.h"
#include "VornGameTypes.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <sstream>

USING_NS_CC;

namespace
{
// The default keyboard mapping, as a person presses it.
const int kPunch = 's';
const int kKick = 'd';
const int kBackKick = 'a';
const int kStomp = 'w';
const int kJump = VornPlayerInputMulti::kKeySpace;
const int kKeys[] = { VornPlayerInputMulti::kKeyLeft, VornPlayerInputMulti::kKeyRight, VornPlayerInputMulti::kKeyUp,
                      VornPlayerInputMulti::kKeyDown, kJump, kPunch, kKick, kBackKick, kStomp };

// A person's reach and timing, in the stage's units and in seconds.
const float kReach = 16.0f;        // close enough to swing
const float kDepthLine = 3.0f;     // lined up in depth
const float kHeavyHold = 0.3f;     // a held punch, past the game's hold time
const float kStuckAfter = 2.0f;    // held in one spot this long while walking on
const float kStepRound = 1.0f;     // then down and back out for this long
const float kDazeWait = 0.8f;      // a kick's daze shows within this, or the grab is given up
const float kWalkInWait = 1.0f;    // walking in takes hold within this, or the grab failed
const float kHoldBeforeThrow = 0.2f;
const float kNoviceLook = 0.25f;   // how often the novice looks and chooses again
// The floor a fighter walks on, front and back, in the stage's units.
const float kFloorFront = -40.0f;
const float kFloorBack = -10.0f;

// The moves gone through in turn when no task asks for one: the grab often, as it takes most
// trying, and the punch strings between the others.
const int kRotation[] = { VornAutoPlayer::kMove_PunchString, VornAutoPlayer::kMove_Grab,
                          VornAutoPlayer::kMove_Kick,        VornAutoPlayer::kMove_PunchString,
                          VornAutoPlayer::kMove_HeavyPunch,  VornAutoPlayer::kMove_ThrowBehind,
                          VornAutoPlayer::kMove_JumpKick,    VornAutoPlayer::kMove_PunchString,
                          VornAutoPlayer::kMove_Knee };

// The same moves on a pad SDL knows the layout of, by its default mapping.
SDL_GameControllerButton padButtonFor(int code)
{
    switch (code)
    {
    case VornPlayerInputMulti::kKeyLeft: return SDL_CONTROLLER_BUTTON_DPAD_LEFT;
    case VornPlayerInputMulti::kKeyRight: return SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    case VornPlayerInputMulti::kKeyUp: return SDL_CONTROLLER_BUTTON_DPAD_UP;
    case VornPlayerInputMulti::kKeyDown: return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    case VornPlayerInputMulti::kKeySpace: return SDL_CONTROLLER_BUTTON_A;
    case kPunch: return SDL_CONTROLLER_BUTTON_X;
    case kKick: return SDL_CONTROLLER_BUTTON_B;
    case kBackKick: return SDL_CONTROLLER_BUTTON_Y;
    case kStomp: return SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
    default: return SDL_CONTROLLER_BUTTON_INVALID;
    }
}

/** The move an action of the player's shows, or kMove_MAX. */
int moveShownBy(VornActionDesc* action)
{
    if (action == NULL)
    {
        return VornAutoPlayer::kMove_MAX;
    }
    switch (action->getType())
    {
    // The first punch of a string has the plain name; a follow-up shows the string came out.
    case kVAT_LightAttack:
        return action->getName() != "LightAttack" ? VornAutoPlayer::kMove_PunchString : VornAutoPlayer::kMove_MAX;
    case kVAT_HeavyAttack: return VornAutoPlayer::kMove_HeavyPunch;
    case kVAT_ForwardAttack: return VornAutoPlayer::kMove_Kick;
    case kVAT_BackAttack: return VornAutoPlayer::kMove_BackKick;
    case kVAT_JumpAttack: return VornAutoPlayer::kMove_JumpKick;
    case kVAT_GroundAttack: return VornAutoPlayer::kMove_Stomp;
    case kVAT_Grab: return VornAutoPlayer::kMove_Grab;
    case kVAT_GrabThrowForward: return VornAutoPlayer::kMove_ThrowAhead;
    case kVAT_GrabThrowBack: return VornAutoPlayer::kMove_ThrowBehind;
    case kVAT_GrabLightAttack: return VornAutoPlayer::kMove_Knee;
    default: return VornAutoPlayer::kMove_MAX;
    }
}

/** The name tasksCompleted knows a task by. */
std::string taskKindOf(ArenaTask* task)
{
    if (dynamic_cast<ArenaTask_ThrowEnemies*>(task))
    {
        return "throw enemies";
    }
    if (ArenaTask_FinishingMove* finishing = dynamic_cast<ArenaTask_FinishingMove*>(task))
    {
        switch (finishing->getMoveType())
        {
        case kVAT_JumpAttack: return "finish with a jump kick";
        case kVAT_BackAttack: return "finish with a back kick";
        case kVAT_GroundAttack: return "finish with a stomp";
        default: return "finish with another move";
        }
    }
    if (dynamic_cast<ArenaTask_ReachCombo*>(task))
    {
        return "reach a combo";
    }
    if (dynamic_cast<ArenaTask_SurviveWithoutHits*>(task))
    {
        return "survive without hits";
    }
    if (dynamic_cast<ArenaTask_StunEnemies*>(task))
    {
        return "stun enemies";
    }
    return task ? "unknown" : "";
}

bool isGrabMove(int move)
{
    return move == VornAutoPlayer::kMove_Grab || move == VornAutoPlayer::kMove_ThrowAhead ||
           move == VornAutoPlayer::kMove_ThrowBehind || move == VornAutoPlayer::kMove_Knee;
}
} // namespace

const char* VornAutoPlayer::moveName(int move)
{
    static const char* const kNames[kMove_MAX] = { "punch string", "heavy punch", "kick",  "back kick",
                                                   "jump kick",    "stomp",       "grab",  "throw ahead",
                                                   "throw behind", "knee" };
    return move >= 0 && move < kMove_MAX ? kNames[move] : "none";
}

std::vector<std::string> VornAutoPlayer::taskKinds()
{
    return { "throw enemies",  "finish with a jump kick", "finish with a back kick", "finish with a stomp",
             "reach a combo", "survive without hits",    "stun enemies" };
}

VornAutoPlayer::VornAutoPlayer(VornGameManager* game, InputHandler_Keyboard* keyboard, float frameTime)
    : m_game(game),
      m_keyboard(keyboard),
      m_frameTime(frameTime),
      m_pad(NULL),
      m_policy(kPolicy_Full),
      m_nextLook(0.0f),
      m_left(false),
      m_right(false),
      m_up(false),
      m_down(false),
      m_punchHeld(false),
      m_move(kMove_MAX),
      m_rotation(0),
      m_moveStart(0.0f),
      m_step(0),
      m_stepAt(0.0f),
      m_now(0.0f),
      m_grabTarget(NULL),
      m_stuckSince(-1.0f),
      m_roundUntil(-1.0f),
      m_tasksCompletedSeen(0)
{
    for (int i = 0; i < kMove_MAX; ++i)
    {
        m_tries[i] = 0;
        m_made[i] = 0;
    }
    for (int i = 0; i < 3; ++i)
    {
        m_slotDifficulty[i] = -1.0f;
    }
}

std::string VornAutoPlayer::movesNeverMade() const
{
    // A try can miss by circumstance (the enemy behind steps away, a blow lands first), so a move
    // counts as never made only once it has been tried a few times without coming out.
    const int kTriesThatMustBringAMove = 5;
    std::ostringstream out;
    for (int move = 0; move < kMove_MAX; ++move)
    {
        if (m_tries[move] >= kTriesThatMustBringAMove && m_made[move] == 0)
        {
            out << (out.str().empty() ? "" : ", ") << moveName(move) << " (tried " << m_tries[move] << " times)";
        }
    }
    return out.str();
}

void VornAutoPlayer::hold(int code, bool down)
{
    if (m_pad != NULL)
    {
        SDL_JoystickSetVirtualButton(m_pad, padButtonFor(code), down ? 1 : 0);
        return;
    }
    // Only changes reach the handler, as a key's own press and release do.
    if (down == (m_down_keys.count(code) > 0))
    {
        return;
    }
    if (down)
    {
        m_down_keys.insert(code);
        m_keyboard->keyPressed(code);
    }
    else
    {
        m_down_keys.erase(code);
        m_keyboard->keyReleased(code);
    }
}

void VornAutoPlayer::releaseAll()
{
    for (int code : kKeys)
    {
        hold(code, false);
    }
    m_down_keys.clear();
    m_move = kMove_MAX;
    m_grabTarget = NULL;
    m_left = m_right = m_up = m_down = false;
    m_nextLook = 0.0f;
}

void VornAutoPlayer::watchMoves()
{
    VornActionDesc* action = m_game->getPlayer()->getAction();
    const std::string name = action ? action->getName() : "";
    if (name != m_lastActionSeen)
    {
        m_lastActionSeen = name;
        const int move = moveShownBy(action);
        if (move != kMove_MAX)
        {
            ++m_made[move];
        }
    }
}

void VornAutoPlayer::watchTasks()
{
    ArenaManager* arena = m_game->getArenaManager();
    if (arena == NULL || !arena->isActive())
    {
        m_tasksCompletedSeen = 0;
        return;
    }
    // A slot draws anew only when its task completes (or the match starts): one whose draw
    // factor changed while the completed count grew finished the task it held.
    const int completed = arena->getTasksCompleted();
    for (int i = 0; i < 3; ++i)
    {
        ArenaTaskInstance* slot = arena->getTaskInstance(i);
        if (slot == NULL)
        {
            continue;
        }
        if (completed > m_tasksCompletedSeen && slot->getDifficulty() != m_slotDifficulty[i] && !m_slotKind[i].empty())
        {
            ++m_tasksCompleted[m_slotKind[i]];
        }
        m_slotDifficulty[i] = slot->getDifficulty();
        m_slotKind[i] = taskKindOf(slot->getTask());
    }
    m_tasksCompletedSeen = completed;
}

std::string VornAutoPlayer::taskPlayedFor()
{
    ArenaManager* arena = m_game->getArenaManager();
    if (arena == NULL || !arena->isActive() || !arena->isRunning())
    {
        return "";
    }
    // The drawn task done least often so far is played for; the others come by the way.
    int least = 1 << 30;
    std::string kind;
    for (int i = 0; i < 3; ++i)
    {
        auto done = m_tasksCompleted.find(m_slotKind[i]);
        const int count = done == m_tasksCompleted.end() ? 0 : done->second;
        if (!m_slotKind[i].empty() && count < least)
        {
            least = count;
            kind = m_slotKind[i];
        }
    }
    return kind;
}

int VornAutoPlayer::taskMove(BotActor* target)
{
    const std::string kind = taskPlayedFor();
    // A finishing move is saved for the blow that can finish: a worn-down enemy.
    const bool worn = target != NULL && target->getHealthValue() < 0.35f;
    if (kind == "throw enemies")
    {
        return (m_rotation & 1) ? kMove_ThrowAhead : kMove_ThrowBehind;
    }
    if (kind == "stun enemies")
    {
        return kMove_Kick;
    }
    if (kind == "reach a combo")
    {
        return kMove_PunchString;
    }
    if (kind == "finish with a jump kick")
    {
        return worn ? kMove_JumpKick : kMove_PunchString;
    }
    if (kind == "finish with a back kick")
    {
        return worn ? kMove_BackKick : kMove_PunchString;
    }
    if (kind == "finish with a stomp")
    {
        // Floored by kicks (a kick dazes, a kick on the dazed knocks him down) and stomped on the
        // floor: with little harm done standing, the blow that finishes is a stomp.
        return kMove_Kick;
    }
    return kMove_MAX;
}

void VornAutoPlayer::nextMove()
{
    m_move = kRotation[m_rotation % (sizeof(kRotation) / sizeof(kRotation[0]))];
    ++m_rotation;
}

BotActor* VornAutoPlayer::nearestEnemy()
{
    const CCPoint me = m_game->getPlayer()->getBasePosition();
    BotActor* nearest = NULL;
    float best = 1e9f;
    for (BotActor* bot : m_game->getBotManager()->getActiveBots())
    {
        // Depth counts double: lining up takes longer than closing in.
        CCPoint to = bot->getBasePosition() - me;
        float d = fabsf(to.x) + 2.0f * fabsf(to.y);
        if (bot->isAlive() && d < best)
        {
            best = d;
            nearest = bot;
        }
    }
    return nearest;
}

void VornAutoPlayer::decide(int frame)
{
    if (m_policy == kPolicy_Novice)
    {
        decideAsNovice(frame);
        return;
    }
    m_now = seconds(frame);
    watchMoves();
    watchTasks();
    m_left = m_right = m_up = m_down = false;
    m_tap.clear();
    m_punchHeld = false;

    VornPlayer* player = m_game->getPlayer();
    BotActor* nearest = nearestEnemy();
    if (m_grabTarget != NULL && (m_grabTarget != nearest || !m_grabTarget->isAlive()))
    {
        // The one being grabbed stays the one fought while the grab is under way.
        bool stillThere = false;
        for (BotActor* bot : m_game->getBotManager()->getActiveBots())
        {
            stillThere = stillThere || bot == m_grabTarget;
        }
        if (stillThere && m_grabTarget->isAlive())
        {
            nearest = m_grabTarget;
        }
        else
        {
            m_grabTarget = NULL;
            m_move = kMove_MAX;
        }
    }

    m_walking = m_walking && nearest == NULL;
    if (nearest == NULL)
    {
        m_move = kMove_MAX;
        walkOn(frame);
    }
    else if (taskPlayedFor() == "survive without hits" && !player->isGrabbing())
    {
        keepClear();
    }
    else
    {
        m_stuckSince = -1.0f;
        fight(frame, nearest);
    }
    applyKeys();
}

void VornAutoPlayer::applyKeys()
{
    hold(VornPlayerInputMulti::kKeyLeft, m_left);
    hold(VornPlayerInputMulti::kKeyRight, m_right);
    hold(VornPlayerInputMulti::kKeyUp, m_up);
    hold(VornPlayerInputMulti::kKeyDown, m_down);
    hold(kPunch, m_punchHeld || m_tap.count(kPunch) > 0);
    for (int code : { kJump, kKick, kBackKick, kStomp })
    {
        // A tap is a press on one frame and the release on the next.
        hold(code, m_tap.count(code) > 0);
    }
}

void VornAutoPlayer::decideAsNovice(int frame)
{
    m_now = seconds(frame);
    watchMoves();
    // A tap lasts one frame; the way it walks is held until it looks again.
    m_tap.clear();
    if (m_now + 1e-4f < m_nextLook)
    {
        applyKeys();
        return;
    }
    m_nextLook = m_now + kNoviceLook;
    m_left = m_right = m_up = m_down = false;
    m_punchHeld = false;
    m_move = kMove_MAX;

    BotActor* target = nearestEnemy();
    if (target == NULL)
    {
        walkOn(frame);
        applyKeys();
        return;
    }
    m_stuckSince = -1.0f;
    VornPlayer* player = m_game->getPlayer();
    const CCPoint to = target->getBasePosition() - player->getBasePosition();
    const bool facingIt = (to.x < 0.0f) == (player->getFacingDir() == kFacingDir_Left);
    const bool close = fabsf(to.x) < kReach && fabsf(to.y) < kDepthLine + 1.0f;
    if (!close)
    {
        // Straight at him, across and in depth at once.
        m_up = to.y > kDepthLine;
        m_down = to.y < -kDepthLine;
        m_left = to.x < -kReach * 0.75f;
        m_right = to.x > kReach * 0.75f;
    }
    else if (!facingIt)
    {
        m_left = to.x < 0.0f;
        m_right = !m_left;
    }
    else
    {
        // Mostly the punch (taps that chain as they come), a kick now and then.
        if (m_rotation++ % 4 == 3)
        {
            tap(kKick);
            ++m_tries[kMove_Kick];
        }
        else
        {
            tap(kPunch);
        }
    }
    applyKeys();
}

void VornAutoPlayer::walkOn(int frame)
{
    (void)frame;
    VornPlayer* player = m_game->getPlayer();
    CCPoint me = player->getBasePosition();
    if (!m_walking)
    {
        // Each walk on takes the next lane a person might: along the back, the middle, the front.
        m_walking = true;
        m_lane = (m_lane + 1) % 3;
    }
    if (m_roundUntil > m_now)
    {
        // Stepping round what held it: back, toward the middle of the floor, then on.
        m_left = m_roundUntil - m_now > kStepRound * 0.6f;
        m_right = !m_left;
        m_down = m_lane != 2;
        m_up = m_lane == 2;
        return;
    }
    // Held in one spot while walking on: something is in the way.
    if (m_stuckSince < 0.0f || ccpDistance(me, m_lastSpot) >= 1.0f)
    {
        m_stuckSince = m_now;
        m_lastSpot = me;
    }
    else if (m_now - m_stuckSince > kStuckAfter)
    {
        // Held while the GO prompt sends the player on: a person would be stuck there. (Held with
        // no prompt up is a wave's wall, waiting for the wave.)
        CCNode* go = m_game->getHUD() ? m_game->getHUD()->getGoNode() : NULL;
        if (go != NULL && go->isVisible())
        {
            std::ostringstream out;
            out << m_game->getLevelScript() << " at " << (int)me.x << "," << (int)me.y << " after " << m_now << " s";
            m_stepRounds.push_back(out.str());
        }
        m_roundUntil = m_now + kStepRound;
        m_stuckSince = -1.0f;
        return;
    }
    // Each lane a depth band: just behind the feet of the props along the back, the middle of
    // the floor, the front edge the camera lets him reach.
    static const float kLaneDepths[3][2] = { { -16.5f, -13.5f }, { -38.0f, -30.0f }, { -60.0f, -40.0f } };
    m_right = true;
    m_up = me.y < kLaneDepths[m_lane][0];
    m_down = me.y > kLaneDepths[m_lane][1];
}

void VornAutoPlayer::keepClear()
{
    // An enemy swings only when lined up with him in depth and close: of the eight ways to step
    // (or standing still), the one leaving the nearest enemy farthest from a swing, where depth
    // counts most, inside the floor and the stage.
    VornPlayer* player = m_game->getPlayer();
    const CCPoint me = player->getBasePosition();
    m_move = kMove_MAX;
    m_grabTarget = NULL;
    // Caught lined up and close in front all the same, a kick first: it dazes him, and a dazed
    // enemy swings at no one for a while. A kick is no shield past its blow, so it is made at once
    // and stood still for (a step would cut it short).
    VornActionDesc* now = player->getAction();
    if (now != NULL && now->getType() == kVAT_ForwardAttack)
    {
        m_left = m_right = m_up = m_down = false;
        return;
    }
    const bool free = now == NULL || now->getType() == kVAT_Idle || now->getType() == kVAT_Walk;
    for (BotActor* bot : m_game->getBotManager()->getActiveBots())
    {
        const CCPoint to = bot->getBasePosition() - me;
        const bool facingIt = (to.x < 0.0f) == (player->getFacingDir() == kFacingDir_Left);
        if (free && facingIt && bot->isAlive() && !bot->isFallingOrFloored() && !bot->isActionTypeOf(kVAT_Stunned, true) &&
            fabsf(to.x) < kReach && fabsf(to.y) < kDepthLine + 1.0f)
        {
            tap(kKick);
            ++m_tries[kMove_Kick];
            m_left = m_right = m_up = m_down = false;
            return;
        }
    }
    const CCRect stage = m_game->getBackground() ? m_game->getBackground()->getLevelBounds() : CCRect(0, 0, 0, 0);
    const float kStep = 8.0f;  // about a third of a second's walk
    float best = -1e9f;
    int bestX = 0;
    int bestY = 0;
    for (int dx = -1; dx <= 1; ++dx)
    {
        for (int dy = -1; dy <= 1; ++dy)
        {
            const CCPoint to = me + CCPoint(dx * kStep, dy * kStep * 0.5f);
            float score = 1e9f;
            for (BotActor* bot : m_game->getBotManager()->getActiveBots())
            {
                if (!bot->isAlive())
                {
                    continue;
                }
                const CCPoint from = to - bot->getBasePosition();
                if (bot->isActionTypeOf(kVAT_Stunned, true))
                {
                    // A dazed one swings at no one, but walking into him takes hold of him, and
                    // holding him the others' blows land: passed wide.
                    score = std::min(score, fabsf(from.y) > 5.0f || fabsf(from.x) > 20.0f ? 1e9f : -100.0f);
                    continue;
                }
                score = std::min(score, std::max(fabsf(from.x) - 26.0f, 0.0f) + 3.0f * std::max(fabsf(from.y) - 5.0f, 0.0f));
            }
            // Kept off the walls: cornered there, every enemy lines up at once.
            const float room = std::min(std::min(to.x - stage.getMinX(), stage.getMaxX() - to.x),
                                        2.0f * std::min(to.y - kFloorFront, kFloorBack - to.y));
            score += std::min(room, 24.0f);
            if (score > best + 0.5f)
            {
                best = score;
                bestX = dx;
                bestY = dy;
            }
        }
    }
    m_left = bestX < 0;
    m_right = bestX > 0;
    m_down = bestY < 0;
    m_up = bestY > 0;
}

void VornAutoPlayer::fight(int frame, BotActor* target)
{
    VornPlayer* player = m_game->getPlayer();
    CCPoint to = target->getBasePosition() - player->getBasePosition();
    const bool facingIt = (to.x < 0.0f) == (player->getFacingDir() == kFacingDir_Left);
    const bool close = fabsf(to.x) < kReach && fabsf(to.y) < kDepthLine + 1.0f;

    if (player->isGrabbing() || (m_move != kMove_MAX && isGrabMove(m_move) && m_step > 0))
    {
        grab(frame, target);
        return;
    }
    // Busy with a move already begun: its own steps.
    if (m_move != kMove_MAX && m_step > 0)
    {
        const float t = m_now - m_moveStart;
        switch (m_move)
        {
        case kMove_PunchString:
            // Three taps, each released well inside the hold time so it is a light punch.
            if ((m_step == 1 && t > 0.32f) || (m_step == 2 && t > 0.66f))
            {
                tap(kPunch);
                ++m_step;
            }
            if (t > 1.1f)
            {
                m_move = kMove_MAX;
            }
            return;
        case kMove_HeavyPunch:
            m_punchHeld = t < kHeavyHold;
            if (!m_punchHeld && m_step == 1)
            {
                // Held through: the heavy punch was asked for (a hold cut short is a jab).
                ++m_tries[kMove_HeavyPunch];
                ++m_step;
            }
            if (t > 1.0f)
            {
                m_move = kMove_MAX;
            }
            return;
        case kMove_JumpKick:
            if (m_step == 1 && t > 0.15f)
            {
                tap(kKick);
                ++m_step;
            }
            if (t > 1.0f)
            {
                m_move = kMove_MAX;
            }
            return;
        default:
            if (t > 0.7f)
            {
                m_move = kMove_MAX;
            }
            return;
        }
    }

    if (close && target->isFallingOrFloored())
    {
        // Stomped while he is down, each stomp as soon as the last is done: he may not get up.
        VornActionDesc* now = player->getAction();
        const bool free = now == NULL || now->getType() == kVAT_Idle || now->getType() == kVAT_Walk;
        if ((target->isActionTypeOf(kVAT_Floored, false) || target->isActionTypeOf(kVAT_FlooredTakeDamage, false)) &&
            free && !m_down_keys.count(kStomp))
        {
            tap(kStomp);
            ++m_tries[kMove_Stomp];
        }
        return;
    }
    const int forTask = taskMove(target);
    if (close && !facingIt && fabsf(to.x) > 6.0f && forTask != kMove_HeavyPunch)
    {
        // An enemy behind: the back kick, without turning round.
        if (frame % (int)(0.6f / m_frameTime) == 0)
        {
            tap(kBackKick);
            ++m_tries[kMove_BackKick];
        }
        return;
    }
    if (!close)
    {
        m_move = kMove_MAX;
        // Lined up in depth first, then in.
        m_up = to.y > kDepthLine;
        m_down = to.y < -kDepthLine;
        m_left = to.x < -kReach * 0.75f;
        m_right = to.x > kReach * 0.75f;
        return;
    }
    if (forTask == kMove_BackKick)
    {
        // Turned away from him for the back kick: a tap of the direction away.
        m_left = to.x > 0.0f;
        m_right = !m_left;
        return;
    }
    if (!facingIt)
    {
        m_left = to.x < 0.0f;
        m_right = !m_left;
        return;
    }
    if (target->isActionTypeOf(kVAT_Stunned, false) && forTask != kMove_Kick)
    {
        // Dazed already: walk in for the grab.
        m_move = forTask != kMove_MAX && isGrabMove(forTask) ? forTask : kMove_ThrowAhead;
        m_moveStart = m_now;
        m_step = 2;
        m_stepAt = m_now;
        m_grabTarget = target;
        ++m_tries[kMove_Grab];
        m_grabTries.push_back({ to.y, false });
        grab(frame, target);
        return;
    }
    // A new move, once free to make one (not hurt, falling or mid-blow): the one a task asks
    // for, or the next in turn.
    VornActionDesc* now = player->getAction();
    if (now != NULL && now->getType() != kVAT_Idle && now->getType() != kVAT_Walk)
    {
        return;
    }
    if (forTask != kMove_MAX)
    {
        m_move = forTask;
        ++m_rotation;
    }
    else
    {
        nextMove();
    }
    m_moveStart = m_now;
    m_step = 1;
    m_stepAt = m_now;
    switch (m_move)
    {
    case kMove_PunchString: tap(kPunch); break;
    case kMove_HeavyPunch: m_punchHeld = true; break;
    case kMove_Kick: tap(kKick); break;
    case kMove_JumpKick: tap(kJump); break;
    default:
        // The grab begins with the kick that dazes.
        tap(kKick);
        m_grabTarget = target;
        break;
    }
    if (!isGrabMove(m_move) && m_move != kMove_HeavyPunch)
    {
        ++m_tries[m_move];
    }
}

void VornAutoPlayer::grab(int frame, BotActor* target)
{
    (void)frame;
    VornPlayer* player = m_game->getPlayer();
    CCPoint to = target->getBasePosition() - player->getBasePosition();
    const float t = m_now - m_stepAt;
    if (player->isGrabbing())
    {
        if (m_step < 3)
        {
            if (!m_grabTries.empty())
            {
                m_grabTries.back().held = true;
            }
            m_step = 3;
            m_stepAt = m_now;
            return;
        }
        // Holding him: the throw (or the knee) this move is for, once.
        if (m_step == 3 && t > kHoldBeforeThrow)
        {
            // A hold come by while walking (no grab set out on) ends with the throw ahead.
            const int throwMove = isGrabMove(m_move) && m_move != kMove_Grab ? m_move : kMove_ThrowAhead;
            tap(throwMove == kMove_ThrowAhead ? kKick : throwMove == kMove_ThrowBehind ? kBackKick : kPunch);
            ++m_tries[throwMove];
            m_step = 4;
            m_stepAt = m_now;
        }
        else if (m_step == 4 && m_move == kMove_Knee && t > 0.25f)
        {
            // The throw ahead ends the hold, pressed while the knee still plays as a player
            // presses on: it waits for the hold.
            tap(kKick);
            ++m_tries[kMove_ThrowAhead];
            m_step = 5;
        }
        return;
    }
    if (m_step >= 3)
    {
        // Let go of (thrown, or slipped): done.
        m_move = kMove_MAX;
        m_grabTarget = NULL;
        m_step = 0;
        return;
    }
    if (m_step == 1)
    {
        // The kick is out: wait for the daze, then walk in.
        if (target->isActionTypeOf(kVAT_Stunned, false))
        {
            m_step = 2;
            m_stepAt = m_now;
            ++m_tries[kMove_Grab];
            m_grabTries.push_back({ to.y, false });
        }
        else if (t > kDazeWait)
        {
            m_move = kMove_MAX;
            m_grabTarget = NULL;
            m_step = 0;
        }
        return;
    }
    // Walking in on the dazed one, lined up in depth.
    if (t > kWalkInWait || !target->isActionTypeOf(kVAT_Stunned, true))
    {
        m_move = kMove_MAX;
        m_grabTarget = NULL;
        m_step = 0;
        return;
    }
    m_left = to.x < 0.0f;
    m_right = !m_left;
    m_up = to.y > 1.0f;
    m_down = to.y < -1.0f;
}
