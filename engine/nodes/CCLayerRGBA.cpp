#include "nodes/CCLayer.h"
#include "nodes/CCRGBACascade.h"

NS_CC_BEGIN

CCLayerRGBA::CCLayerRGBA()
: _displayedOpacity(255)
, _realOpacity(255)
, _displayedColor(ccWHITE)
, _realColor(ccWHITE)
, _cascadeOpacityEnabled(false)
, _cascadeColorEnabled(false)
{
}

CCLayerRGBA* CCLayerRGBA::create()
{
    CCLayerRGBA* pRet = new CCLayerRGBA();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCLayerRGBA::init()
{
    if (!CCLayer::init())
    {
        return false;
    }
    _displayedOpacity = _realOpacity = 255;
    _displayedColor = _realColor = ccWHITE;
    return true;
}

GLubyte CCLayerRGBA::getOpacity()
{
    return _realOpacity;
}

GLubyte CCLayerRGBA::getDisplayedOpacity()
{
    return _displayedOpacity;
}

void CCLayerRGBA::setOpacity(GLubyte opacity)
{
    _displayedOpacity = _realOpacity = opacity;
    if (_cascadeOpacityEnabled)
    {
        updateDisplayedOpacity(ccInheritedOpacity(this));
    }
}

void CCLayerRGBA::updateDisplayedOpacity(GLubyte parentOpacity)
{
    _displayedOpacity = (GLubyte)(_realOpacity * parentOpacity / 255);
    if (_cascadeOpacityEnabled)
    {
        ccCascadeOpacityToChildren(this, _displayedOpacity);
    }
}

bool CCLayerRGBA::isCascadeOpacityEnabled()
{
    return _cascadeOpacityEnabled;
}

void CCLayerRGBA::setCascadeOpacityEnabled(bool cascadeOpacityEnabled)
{
    _cascadeOpacityEnabled = cascadeOpacityEnabled;
}

const ccColor3B& CCLayerRGBA::getColor()
{
    return _realColor;
}

const ccColor3B& CCLayerRGBA::getDisplayedColor()
{
    return _displayedColor;
}

void CCLayerRGBA::setColor(const ccColor3B& color)
{
    _displayedColor = _realColor = color;
    if (_cascadeColorEnabled)
    {
        updateDisplayedColor(ccInheritedColor(this));
    }
}

void CCLayerRGBA::updateDisplayedColor(const ccColor3B& parentColor)
{
    _displayedColor.r = (GLubyte)(_realColor.r * parentColor.r / 255);
    _displayedColor.g = (GLubyte)(_realColor.g * parentColor.g / 255);
    _displayedColor.b = (GLubyte)(_realColor.b * parentColor.b / 255);
    if (_cascadeColorEnabled)
    {
        ccCascadeColorToChildren(this, _displayedColor);
    }
}

bool CCLayerRGBA::isCascadeColorEnabled()
{
    return _cascadeColorEnabled;
}

void CCLayerRGBA::setCascadeColorEnabled(bool cascadeColorEnabled)
{
    _cascadeColorEnabled = cascadeColorEnabled;
}

NS_CC_END
