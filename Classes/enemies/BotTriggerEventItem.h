#ifndef __BOT_TRIGGER_EVENT_ITEM_H__
#define __BOT_TRIGGER_EVENT_ITEM_H__

#include "CCObject.h"

NS_CC_BEGIN

class VornScriptEngine;

/**
 * A level script's wish to hear of one event (kBotTrigger_) of one enemy, by its id: the script
 * function is called once with the enemy, then the item goes.
 *
 * The item holds its function reference together with the script engine that made it (retained):
 * a reference means something only in its own state, so it is called and released there even
 * after the level has moved on to a fresh engine.
 */
class BotTriggerEventItem : public CCObject
{
public:
    BotTriggerEventItem();
    virtual ~BotTriggerEventItem();

    virtual int getBotID() { return m_nBotID; }
    virtual void setBotID(int id) { m_nBotID = id; }
    virtual int getEvent() { return m_nEvent; }
    virtual void setEvent(int event) { m_nEvent = event; }
    virtual int getFunctionRef() { return m_nFunctionRef; }
    /** Takes over ref, which must come from the item's script engine. */
    virtual void setFunctionRef(int ref) { m_nFunctionRef = ref; }
    virtual VornScriptEngine* getScriptEngine() { return m_pScriptEngine; }
    /** Retains the new engine and releases the old (the reference is not moved). */
    virtual void setScriptEngine(VornScriptEngine* engine);

private:
    int m_nBotID;
    int m_nEvent;
    int m_nFunctionRef;
    VornScriptEngine* m_pScriptEngine;  ///< retained; the one that made the reference
};

NS_CC_END

#endif // __BOT_TRIGGER_EVENT_ITEM_H__
