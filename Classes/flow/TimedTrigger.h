#ifndef __TIMED_TRIGGER_H__
#define __TIMED_TRIGGER_H__

#include "VornScriptEngine.h"

#include <string>

/**
 * A timer a level script started: after its duration it calls a script global by name, or a
 * script function it holds by reference (that one gets the progress, 0 to 1). A continuous timer
 * calls every frame until it is done.
 *
 * It retains the script engine it was started in and calls there, so a reference never reaches
 * into another level's state; the reference is released in that engine when the timer goes.
 */
class TimedTrigger : public cocos2d::CCObject
{
public:
    TimedTrigger();
    virtual ~TimedTrigger();

    /** A timer calling the global name in engine. */
    static TimedTrigger* createWithName(cocos2d::VornScriptEngine* engine, float duration, const char* name,
                                        bool continuous);
    /** A timer calling registry[ref] of engine; the timer owns the reference from now on. */
    static TimedTrigger* createWithRef(cocos2d::VornScriptEngine* engine, float duration, int ref,
                                       bool continuous);

    virtual const std::string& getName() { return m_name; }
    virtual void setName(const std::string& name) { m_name = name; }
    virtual int getRef() { return m_nRef; }
    virtual void setRef(int ref) { m_nRef = ref; }
    virtual float getDuration() { return m_fDuration; }
    virtual void setDuration(float duration) { m_fDuration = duration; }
    virtual float getElapsed() { return m_fElapsed; }
    virtual void setElapsed(float elapsed) { m_fElapsed = elapsed; }
    virtual bool isContinuous() { return m_bContinuous; }
    virtual void setContinuous(bool continuous) { m_bContinuous = continuous; }
    virtual cocos2d::VornScriptEngine* getScriptEngine() { return m_pScriptEngine; }

    /**
     * Moves the timer on by dt and calls its function when it is due. True when it is done: a
     * duration of zero or less, or its time reached.
     */
    bool advance(float dt);
    /** Progress: elapsed / duration clamped to [0, 1]; 1 for a duration of zero or less. */
    float getRatio();

private:
    void setScriptEngine(cocos2d::VornScriptEngine* engine);

    std::string m_name;
    int m_nRef;
    float m_fDuration;
    float m_fElapsed;
    bool m_bContinuous;
    cocos2d::VornScriptEngine* m_pScriptEngine;  ///< retained
};

#endif // __TIMED_TRIGGER_H__
