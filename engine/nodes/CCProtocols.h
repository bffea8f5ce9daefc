#ifndef __CC_PROTOCOLS_H__
#define __CC_PROTOCOLS_H__

#include "base/ccTypes.h"

NS_CC_BEGIN

class CCTexture2D;

/** Colour and opacity of a node; "displayed" values include what cascades from the parent. */
class CCRGBAProtocol
{
public:
    virtual ~CCRGBAProtocol() {}
    virtual void setColor(const ccColor3B& color) = 0;
    virtual const ccColor3B& getColor(void) = 0;
    virtual const ccColor3B& getDisplayedColor(void) = 0;
    virtual GLubyte getDisplayedOpacity(void) = 0;
    virtual GLubyte getOpacity(void) = 0;
    virtual void setOpacity(GLubyte opacity) = 0;
    /** Textures keep straight alpha, so this stays false unless a subclass says otherwise. */
    virtual void setOpacityModifyRGB(bool bValue) = 0;
    virtual bool isOpacityModifyRGB(void) = 0;
    virtual bool isCascadeColorEnabled(void) = 0;
    virtual void setCascadeColorEnabled(bool cascadeColorEnabled) = 0;
    virtual void updateDisplayedColor(const ccColor3B& color) = 0;
    virtual bool isCascadeOpacityEnabled(void) = 0;
    virtual void setCascadeOpacityEnabled(bool cascadeOpacityEnabled) = 0;
    virtual void updateDisplayedOpacity(GLubyte opacity) = 0;
};

/** A GL blend pair; the renderer maps it to the nearest SDL blend mode. */
class CCBlendProtocol
{
public:
    virtual ~CCBlendProtocol() {}
    virtual void setBlendFunc(ccBlendFunc blendFunc) = 0;
    virtual ccBlendFunc getBlendFunc(void) = 0;
};

class CCTextureProtocol : public CCBlendProtocol
{
public:
    virtual CCTexture2D* getTexture(void) = 0;
    virtual void setTexture(CCTexture2D* texture) = 0;
};

class CCLabelProtocol
{
public:
    virtual ~CCLabelProtocol() {}
    virtual void setString(const char* label) = 0;
    virtual const char* getString(void) = 0;
};

NS_CC_END

#endif // __CC_PROTOCOLS_H__
