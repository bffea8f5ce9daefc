#ifndef __SYSTEM_HANDLER_H__
#define __SYSTEM_HANDLER_H__

#include "CCObject.h"

NS_CC_BEGIN

/** The operating-system services the game uses, one subclass per platform. */
class SystemHandler : public CCObject
{
public:
    virtual bool init() { return true; }
    /** False when the link could not be handed to a browser. */
    virtual bool openURL(const char* url) = 0;
    virtual void quit() = 0;
    virtual void hideCursor() {}
    virtual void setFullscreen(bool fullscreen) { CC_UNUSED_PARAM(fullscreen); }
    virtual bool isFullscreen() { return false; }
};

NS_CC_END

#endif // __SYSTEM_HANDLER_H__
