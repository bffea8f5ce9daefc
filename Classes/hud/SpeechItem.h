#ifndef __SPEECH_ITEM_H__
#define __SPEECH_ITEM_H__

#include "CCObject.h"

#include <string>

NS_CC_BEGIN

class VornScriptEngine;

/**
 * One queued HUD line: a speech line (head name and text) or a place-and-time caption (time
 * period and location name), shown for a duration, with optional script functions to call when
 * it starts and when it ends. The item keeps the script engine its references belong to and
 * lets them go there.
 */
class SpeechItem : public CCObject
{
public:
    enum
    {
        kSpeechItem_Speech = 0,
        kSpeechItem_TimeAndLocation,
        kSpeechItem_MAX
    };
    /** No script function. */
    static const int kNoRef = -1;

    SpeechItem();
    virtual ~SpeechItem();

    /** Autoreleased; the references (or kNoRef) are registry slots of engine (retained when given). */
    static SpeechItem* create(int type, const char* firstText, const char* secondText, float duration,
                              VornScriptEngine* engine = NULL, int startRef = kNoRef, int endRef = kNoRef);
    bool initWithType(int type, const char* firstText, const char* secondText, float duration,
                      VornScriptEngine* engine, int startRef, int endRef);

    /** Calls the start or end function, when there is one. */
    void callStart();
    void callEnd();

    virtual int getType() { return m_nType; }
    virtual void setType(int type) { m_nType = type; }
    virtual const std::string& getFirstText() { return m_firstText; }
    virtual void setFirstText(const std::string& text) { m_firstText = text; }
    virtual const std::string& getSecondText() { return m_secondText; }
    virtual void setSecondText(const std::string& text) { m_secondText = text; }
    virtual int getStartCallback() { return m_nStartRef; }
    virtual int getEndCallback() { return m_nEndRef; }
    virtual float getDuration() { return m_fDuration; }
    virtual void setDuration(float duration) { m_fDuration = duration; }

private:
    int m_nType;
    std::string m_firstText;
    std::string m_secondText;
    int m_nStartRef;
    int m_nEndRef;
    float m_fDuration;
    VornScriptEngine* m_pEngine;  ///< retained
};

NS_CC_END

#endif // __SPEECH_ITEM_H__
