#ifndef __CC_LAYER_COLOR_H__
#define __CC_LAYER_COLOR_H__

#include "nodes/CCLayer.h"

NS_CC_BEGIN

/** A filled rectangle the size of its content. init() gives transparent black over the window. */
class CCLayerColor : public CCLayerRGBA, public CCBlendProtocol
{
public:
    CCLayerColor();
    static CCLayerColor* create();
    static CCLayerColor* create(const ccColor4B& color);
    static CCLayerColor* create(const ccColor4B& color, GLfloat width, GLfloat height);

    virtual bool init();
    virtual bool initWithColor(const ccColor4B& color);
    virtual bool initWithColor(const ccColor4B& color, GLfloat width, GLfloat height);

    void changeWidth(GLfloat w);
    void changeHeight(GLfloat h);
    void changeWidthAndHeight(GLfloat w, GLfloat h);

    virtual void setBlendFunc(ccBlendFunc blendFunc) { m_tBlendFunc = blendFunc; }
    virtual ccBlendFunc getBlendFunc(void) { return m_tBlendFunc; }

    /** The fill as drawn: displayed colour and opacity. */
    ccColor4B getDisplayedColor4B();
    virtual void draw();

protected:
    ccBlendFunc m_tBlendFunc;
};

NS_CC_END

#endif // __CC_LAYER_COLOR_H__
