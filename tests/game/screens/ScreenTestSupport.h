#ifndef __SCREEN_TEST_SUPPORT_H__
#define __SCREEN_TEST_SUPPORT_H__

#include "CCDirector.h"
#include "VornScreen.h"

#include <string>
#include <vector>

/** Counts a screen's four signals. */
class SignalCounter
{
public:
    void watch(cocos2d::VornScreen* screen)
    {
        screen->getOpeningSignal().connect(this, &SignalCounter::onOpening);
        screen->getOpenedSignal().connect(this, &SignalCounter::onOpened);
        screen->getClosingSignal().connect(this, &SignalCounter::onClosing);
        screen->getClosedSignal().connect(this, &SignalCounter::onClosed);
    }
    void onOpening() { ++opening; }
    void onOpened() { ++opened; }
    void onClosing() { ++closing; }
    void onClosed() { ++closed; }
    int opening = 0;
    int opened = 0;
    int closing = 0;
    int closed = 0;
};

/** Runs frames of exactly dt through the director. */
inline void stepFrames(int frames, float dt)
{
    for (int i = 0; i < frames; ++i)
    {
        cocos2d::CCDirector::sharedDirector()->step(dt);
    }
}

#endif
