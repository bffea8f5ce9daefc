#include "TimedTrigger.h"

USING_NS_CC;

TimedTrigger::TimedTrigger()
    : m_nRef(VORNSCRIPTREF_NULL), m_fDuration(0.0f), m_fElapsed(0.0f), m_bContinuous(false), m_pScriptEngine(NULL)
{
}

TimedTrigger::~TimedTrigger()
{
    if (m_pScriptEngine)
    {
        m_pScriptEngine->releaseFunctionRef(m_nRef);
    }
    CC_SAFE_RELEASE(m_pScriptEngine);
}

TimedTrigger* TimedTrigger::createWithName(VornScriptEngine* engine, float duration, const char* name,
                                           bool continuous)
{
    TimedTrigger* timer = new TimedTrigger();
    timer->setScriptEngine(engine);
    timer->m_fDuration = duration;
    timer->m_name = name ? name : "";
    timer->m_bContinuous = continuous;
    timer->autorelease();
    return timer;
}

TimedTrigger* TimedTrigger::createWithRef(VornScriptEngine* engine, float duration, int ref, bool continuous)
{
    TimedTrigger* timer = new TimedTrigger();
    timer->setScriptEngine(engine);
    timer->m_fDuration = duration;
    timer->m_nRef = ref;
    timer->m_bContinuous = continuous;
    timer->autorelease();
    return timer;
}

void TimedTrigger::setScriptEngine(VornScriptEngine* engine)
{
    CC_SAFE_RETAIN(engine);
    CC_SAFE_RELEASE(m_pScriptEngine);
    m_pScriptEngine = engine;
}

float TimedTrigger::getRatio()
{
    if (m_fDuration <= 0.0f)
    {
        return 1.0f;
    }
    float ratio = m_fElapsed / m_fDuration;
    return ratio < 0.0f ? 0.0f : (ratio > 1.0f ? 1.0f : ratio);
}

bool TimedTrigger::advance(float dt)
{
    m_fElapsed += dt;
    const float ratio = getRatio();
    const bool done = m_fDuration <= 0.0f || ratio >= 1.0f;
    if ((m_bContinuous || done) && m_pScriptEngine)
    {
        if (!m_name.empty())
        {
            m_pScriptEngine->callGlobalFunction(m_name.c_str());
        }
        else if (m_nRef != VORNSCRIPTREF_NULL)
        {
            m_pScriptEngine->callFunctionRef(m_nRef, ratio);
        }
    }
    return done;
}
