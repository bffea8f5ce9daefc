#include "SpeechItem.h"

#include "VornScriptEngine.h"

NS_CC_BEGIN

SpeechItem::SpeechItem()
    : m_nType(kSpeechItem_Speech), m_nStartRef(kNoRef), m_nEndRef(kNoRef), m_fDuration(0.0f), m_pEngine(NULL)
{
}

SpeechItem::~SpeechItem()
{
    if (m_pEngine)
    {
        m_pEngine->releaseFunctionRef(m_nStartRef);
        m_pEngine->releaseFunctionRef(m_nEndRef);
        m_pEngine->release();
    }
}

SpeechItem* SpeechItem::create(int type, const char* firstText, const char* secondText, float duration,
                               VornScriptEngine* engine, int startRef, int endRef)
{
    SpeechItem* item = new SpeechItem();
    item->initWithType(type, firstText, secondText, duration, engine, startRef, endRef);
    item->autorelease();
    return item;
}

bool SpeechItem::initWithType(int type, const char* firstText, const char* secondText, float duration,
                              VornScriptEngine* engine, int startRef, int endRef)
{
    m_nType = type;
    if (firstText)
    {
        m_firstText = firstText;
    }
    if (secondText)
    {
        m_secondText = secondText;
    }
    m_fDuration = duration;
    CC_SAFE_RETAIN(engine);
    CC_SAFE_RELEASE(m_pEngine);
    m_pEngine = engine;
    // References mean nothing without the engine they belong to.
    m_nStartRef = engine ? startRef : kNoRef;
    m_nEndRef = engine ? endRef : kNoRef;
    return true;
}

void SpeechItem::callStart()
{
    if (m_pEngine && m_nStartRef != kNoRef)
    {
        m_pEngine->callFunctionRef(m_nStartRef);
    }
}

void SpeechItem::callEnd()
{
    if (m_pEngine && m_nEndRef != kNoRef)
    {
        m_pEngine->callFunctionRef(m_nEndRef);
    }
}

NS_CC_END
