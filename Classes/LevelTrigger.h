#ifndef __LEVEL_TRIGGER_H__
#define __LEVEL_TRIGGER_H__

#include "CCPlatformMacros.h"

#include <string>

NS_CC_BEGIN

/**
 * What the game manager needs of a trigger area placed in a stage layout: its fired state, the
 * script global it calls and whether it re-arms itself. The node in the trigger collision list
 * implements it; the game manager finds it by casting the list member's owner.
 */
class LevelTrigger
{
public:
    virtual ~LevelTrigger() {}

    virtual bool isTriggered() = 0;
    virtual void setTriggered(bool triggered) = 0;
    virtual const std::string& getTriggerName() = 0;
    virtual bool getRepeatTrigger() = 0;
};

NS_CC_END

#endif // __LEVEL_TRIGGER_H__
