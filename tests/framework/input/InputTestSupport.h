#ifndef __INPUT_TEST_SUPPORT_H__
#define __INPUT_TEST_SUPPORT_H__

#include "InputHandler.h"
#include "CCNumber.h"

#include <vector>

// What a signal delivered, copied out while the pooled event was valid.
struct SeenEvent
{
    bool axis;
    int deviceType;
    int deviceID;
    int code;    // button or axis index
    bool down;
    float value;
    std::vector<int> mapped;
    bool hadMapping;
};

class EventRecorder
{
public:
    void onButton(cocos2d::ButtonInputEvent* event)
    {
        SeenEvent seen = common(event);
        seen.axis = false;
        seen.code = event->getButton();
        seen.down = event->getIsDown();
        events.push_back(seen);
    }
    void onAxis(cocos2d::AxisInputEvent* event)
    {
        SeenEvent seen = common(event);
        seen.axis = true;
        seen.code = event->getAxis();
        seen.value = event->getValue();
        events.push_back(seen);
    }
    std::vector<SeenEvent> events;

private:
    static SeenEvent common(cocos2d::InputEvent* event)
    {
        SeenEvent seen = SeenEvent();
        seen.deviceType = event->getDeviceType();
        seen.deviceID = event->getDeviceID();
        seen.hadMapping = event->getMappedInputs() != NULL;
        if (seen.hadMapping)
        {
            for (unsigned int i = 0; i < event->getMappedInputs()->count(); ++i)
            {
                seen.mapped.push_back(static_cast<cocos2d::CCInteger*>(event->getMappedInputs()->objectAtIndex(i))->getValue());
            }
        }
        return seen;
    }
};

#endif
