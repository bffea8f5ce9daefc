#include "ActionStackItem.h"

#include "CCArray.h"
#include "CCPointExtension.h"
#include "VornActionDesc.h"
#include "VornActor.h"
#include "VornEventDesc.h"

#include <cfloat>

NS_CC_BEGIN

namespace
{
const int kMoveModeMoving = 1;    // runs only while the actor moves, at the rate it moves
const int kMoveModeAirborne = 2;  // holds its end while the actor is in the air
const int kStackModeKeepRunning = 2;
const int kStackModeRestartOnTop = 3;
} // namespace

ActionStackItem::ActionStackItem()
    : m_pActionDesc(NULL),
      m_fElapsed(0.0f),
      m_fDelay(0.0f),
      m_fPrevElapsed(0.0f),
      m_nLoopsDone(0),
      m_fWindowStart(0.0f),
      m_fWindowEnd(0.0f),
      m_fWindowLength(0.0f),
      m_bFinished(false),
      m_bWasTop(false)
{
}

ActionStackItem::~ActionStackItem()
{
    CC_SAFE_RELEASE(m_pActionDesc);
}

void ActionStackItem::setActionDesc(VornActionDesc* desc)
{
    CC_SAFE_RETAIN(desc);
    CC_SAFE_RELEASE(m_pActionDesc);
    m_pActionDesc = desc;
}

bool ActionStackItem::initWithAction(VornActionDesc* desc)
{
    setActionDesc(NULL);
    if (!desc)
    {
        return false;
    }
    setActionDesc(desc);
    restart();
    return true;
}

void ActionStackItem::restart()
{
    m_fElapsed = 0.0f;
    m_fDelay = 0.0f;
    m_fPrevElapsed = 0.0f;
    m_nLoopsDone = 0;
    m_bFinished = false;
    m_bWasTop = false;
    m_completedSignal.disconnectAll();
    restartWindow();
}

void ActionStackItem::restartWindow()
{
    if (!m_pActionDesc)
    {
        return;
    }
    CCArray* frames = m_pActionDesc->getFrames();
    float n = frames && frames->count() > 0 ? (float)frames->count() : 1.0f;
    float d = m_pActionDesc->getDuration();
    m_fWindowStart = m_nLoopsDone == 0 ? 0.0f : m_pActionDesc->getLoopStart() * d / n;
    m_fWindowEnd = m_nLoopsDone == m_pActionDesc->getLoopCount() ? d : (m_pActionDesc->getLoopEnd() + 1) * d / n;
    m_fWindowLength = m_fWindowEnd - m_fWindowStart;
}

void ActionStackItem::setFinished(bool finished)
{
    if (finished == m_bFinished)
    {
        return;
    }
    m_bFinished = finished;
    if (finished)
    {
        // Keep the item alive through the call: a subscriber may retire it.
        retain();
        m_completedSignal.emit(m_pActionDesc);
        m_completedSignal.disconnectAll();
        release();
    }
}

bool ActionStackItem::isFurtherPassAllowed()
{
    int loopCount = m_pActionDesc->getLoopCount();
    return loopCount == -1 || (loopCount > 0 && m_nLoopsDone < loopCount);
}

void ActionStackItem::update(VornActor* actor, bool isTop, float dt)
{
    if (!m_pActionDesc)
    {
        return;
    }
    int moveMode = m_pActionDesc->getMoveMode();
    bool runs = true;
    if (isTop)
    {
        if (!m_bWasTop && m_pActionDesc->getStackMode() == kStackModeRestartOnTop)
        {
            m_fElapsed = 0.0f;
        }
    }
    else
    {
        runs = m_pActionDesc->getStackMode() == kStackModeKeepRunning;
    }

    if (runs)
    {
        if (moveMode == kMoveModeMoving)
        {
            float speed = ccpLength(actor->getMovementSpeed());
            if (speed < 0.001f)
            {
                setFinished(true);
            }
            else
            {
                if (m_pActionDesc->getType() == kVAT_Walk)
                {
                    dt *= actor->getSpeed() / 15.0f;
                }
                dt *= speed;
            }
        }

        if (m_fDelay > 0.0f)
        {
            m_fDelay -= dt;
            fireDueEvents(actor);
        }
        else
        {
            m_fElapsed += dt;
            fireDueEvents(actor);
            if (m_fElapsed >= m_fWindowEnd && m_pActionDesc)
            {
                if (!isFurtherPassAllowed())
                {
                    if (moveMode == kMoveModeAirborne && actor->getHeight() > FLT_EPSILON)
                    {
                        m_fElapsed = m_fWindowEnd;
                    }
                    else
                    {
                        setFinished(true);
                    }
                }
                else
                {
                    float over = m_fElapsed - m_fWindowEnd;
                    // A window of no length would never be left: one pass per frame at most then.
                    do
                    {
                        ++m_nLoopsDone;
                        restartWindow();
                        m_fElapsed = m_fWindowStart + over;
                        over = m_fElapsed - m_fWindowEnd;
                    } while (m_fElapsed >= m_fWindowEnd && m_fWindowLength > 0.0f && isFurtherPassAllowed());
                    m_fPrevElapsed = m_fWindowStart;
                    fireDueEvents(actor);
                    m_loopedSignal.emit(m_pActionDesc);
                }
            }
        }
    }
    m_bWasTop = isTop;
    m_fPrevElapsed = m_fElapsed;
}

void ActionStackItem::fireDueEvents(VornActor* actor)
{
    if (!m_pActionDesc || !m_pActionDesc->getEvents())
    {
        return;
    }
    // An event may retire this item (a hit ends the grab holding it): keep what we walk alive.
    VornActionDesc* desc = m_pActionDesc;
    desc->retain();
    CCArray* events = desc->getEvents();
    events->retain();
    float d = desc->getDuration();
    float t1 = d > 0.0f ? m_fElapsed / d : 0.0f;
    float t0 = d > 0.0f ? m_fPrevElapsed / d : 0.0f;
    for (unsigned int i = 0; i < events->count(); ++i)
    {
        VornEventDesc* event = dynamic_cast<VornEventDesc*>(events->objectAtIndex(i));
        if (!event)
        {
            break;
        }
        float t = event->getTime();
        if (t < 0.0f || (t0 <= t && t <= t1))
        {
            event->fire(desc, actor);
        }
    }
    events->release();
    desc->release();
}

NS_CC_END
