#include "nodes/CCNode.h"
#include "nodes/CCRGBACascade.h"

NS_CC_BEGIN

CCNodeRGBA::CCNodeRGBA()
: _displayedOpacity(255)
, _realOpacity(255)
, _displayedColor(ccWHITE)
, _realColor(ccWHITE)
, _cascadeColorEnabled(false)
, _cascadeOpacityEnabled(false)
{
}

CCNodeRGBA* CCNodeRGBA::create(void)
{
    CCNodeRGBA* pRet = new CCNodeRGBA();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCNodeRGBA::init()
{
    if (!CCNode::init())
    {
        return false;
    }
    _displayedOpacity = _realOpacity = 255;
    _displayedColor = _realColor = ccWHITE;
    _cascadeOpacityEnabled = _cascadeColorEnabled = false;
    return true;
}

GLubyte CCNodeRGBA::getOpacity()
{
    return _realOpacity;
}

GLubyte CCNodeRGBA::getDisplayedOpacity()
{
    return _displayedOpacity;
}

void CCNodeRGBA::setOpacity(GLubyte opacity)
{
    _displayedOpacity = _realOpacity = opacity;
    if (_cascadeOpacityEnabled)
    {
        updateDisplayedOpacity(ccInheritedOpacity(this));
    }
}

void CCNodeRGBA::updateDisplayedOpacity(GLubyte parentOpacity)
{
    _displayedOpacity = (GLubyte)(_realOpacity * parentOpacity / 255);
    if (_cascadeOpacityEnabled)
    {
        ccCascadeOpacityToChildren(this, _displayedOpacity);
    }
}

bool CCNodeRGBA::isCascadeOpacityEnabled()
{
    return _cascadeOpacityEnabled;
}

void CCNodeRGBA::setCascadeOpacityEnabled(bool cascadeOpacityEnabled)
{
    _cascadeOpacityEnabled = cascadeOpacityEnabled;
}

const ccColor3B& CCNodeRGBA::getColor()
{
    return _realColor;
}

const ccColor3B& CCNodeRGBA::getDisplayedColor()
{
    return _displayedColor;
}

void CCNodeRGBA::setColor(const ccColor3B& color)
{
    _displayedColor = _realColor = color;
    if (_cascadeColorEnabled)
    {
        updateDisplayedColor(ccInheritedColor(this));
    }
}

void CCNodeRGBA::updateDisplayedColor(const ccColor3B& parentColor)
{
    _displayedColor.r = (GLubyte)(_realColor.r * parentColor.r / 255);
    _displayedColor.g = (GLubyte)(_realColor.g * parentColor.g / 255);
    _displayedColor.b = (GLubyte)(_realColor.b * parentColor.b / 255);
    if (_cascadeColorEnabled)
    {
        ccCascadeColorToChildren(this, _displayedColor);
    }
}

bool CCNodeRGBA::isCascadeColorEnabled()
{
    return _cascadeColorEnabled;
}

void CCNodeRGBA::setCascadeColorEnabled(bool cascadeColorEnabled)
{
    _cascadeColorEnabled = cascadeColorEnabled;
}

NS_CC_END
