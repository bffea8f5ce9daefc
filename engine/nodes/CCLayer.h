#ifndef __CC_LAYER_H__
#define __CC_LAYER_H__

#include "nodes/CCNode.h"
#include "nodes/CCTouchDelegateProtocol.h"

NS_CC_BEGIN

typedef enum
{
    kCCTouchesAllAtOnce,
    kCCTouchesOneByOne,
} ccTouchesMode;

/**
 * A window-sized node that can take input. Enabling touch, keypad or keyboard input registers the
 * layer with the director's dispatchers while it is in the running scene (onEnter/onExit).
 */
class CCLayer : public CCNode, public CCTouchDelegate, public CCKeypadDelegate, public CCKeyboardDelegate
{
public:
    CCLayer();
    virtual ~CCLayer();
    static CCLayer* create(void);
    virtual bool init();

    virtual void onEnter();
    virtual void onExit();
    virtual void onEnterTransitionDidFinish();

    /** Registers for touches; the default registers as standard or targeted after the touch mode. */
    virtual void registerWithTouchDispatcher(void);

    virtual bool isTouchEnabled();
    virtual void setTouchEnabled(bool value);
    virtual void setTouchMode(ccTouchesMode mode);
    virtual int getTouchMode();
    virtual void setTouchPriority(int priority);
    virtual int getTouchPriority();
    virtual bool isKeypadEnabled();
    virtual void setKeypadEnabled(bool value);
    virtual bool isKeyboardEnabled();
    virtual void setKeyboardEnabled(bool value);
    virtual bool isAccelerometerEnabled() { return false; }
    virtual void setAccelerometerEnabled(bool value) { CC_UNUSED_PARAM(value); }

protected:
    void unregisterTouch();
    void registerKeypad(bool add);
    void registerKeyboard(bool add);

    bool m_bTouchEnabled;
    bool m_bKeypadEnabled;
    bool m_bKeyboardEnabled;
    int m_nTouchPriority;
    ccTouchesMode m_eTouchMode;
};

/** A layer with colour and opacity, cascading like CCNodeRGBA. */
class CCLayerRGBA : public CCLayer, public CCRGBAProtocol
{
public:
    CCLayerRGBA();
    static CCLayerRGBA* create(void);
    virtual bool init();

    virtual GLubyte getOpacity();
    virtual GLubyte getDisplayedOpacity();
    virtual void setOpacity(GLubyte opacity);
    virtual void updateDisplayedOpacity(GLubyte parentOpacity);
    virtual bool isCascadeOpacityEnabled();
    virtual void setCascadeOpacityEnabled(bool cascadeOpacityEnabled);

    virtual const ccColor3B& getColor();
    virtual const ccColor3B& getDisplayedColor();
    virtual void setColor(const ccColor3B& color);
    virtual void updateDisplayedColor(const ccColor3B& parentColor);
    virtual bool isCascadeColorEnabled();
    virtual void setCascadeColorEnabled(bool cascadeColorEnabled);

    virtual void setOpacityModifyRGB(bool bValue) { CC_UNUSED_PARAM(bValue); }
    virtual bool isOpacityModifyRGB() { return false; }

protected:
    GLubyte _displayedOpacity;
    GLubyte _realOpacity;
    ccColor3B _displayedColor;
    ccColor3B _realColor;
    bool _cascadeOpacityEnabled;
    bool _cascadeColorEnabled;
};

NS_CC_END

#include "nodes/CCLayerColor.h"

#endif // __CC_LAYER_H__
