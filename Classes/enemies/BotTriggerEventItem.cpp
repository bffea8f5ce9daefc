#include "BotTriggerEventItem.h"

#include "VornGameTypes.h"
#include "VornScriptEngine.h"

NS_CC_BEGIN

BotTriggerEventItem::BotTriggerEventItem()
    : m_nBotID(-1), m_nEvent(kBotTrigger_MAX), m_nFunctionRef(VORNSCRIPTREF_NULL), m_pScriptEngine(NULL)
{
}

BotTriggerEventItem::~BotTriggerEventItem()
{
    if (m_pScriptEngine)
    {
        m_pScriptEngine->releaseFunctionRef(m_nFunctionRef);
    }
    CC_SAFE_RELEASE_NULL(m_pScriptEngine);
}

void BotTriggerEventItem::setScriptEngine(VornScriptEngine* engine)
{
    CC_SAFE_RETAIN(engine);
    CC_SAFE_RELEASE(m_pScriptEngine);
    m_pScriptEngine = engine;
}

NS_CC_END
