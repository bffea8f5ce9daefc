#include "nodes/CCLayerColor.h"

#include "draw/CCRenderer.h"
#include "nodes/CCDirector.h"

NS_CC_BEGIN

CCLayerColor::CCLayerColor()
{
    m_tBlendFunc.src = GL_SRC_ALPHA;
    m_tBlendFunc.dst = GL_ONE_MINUS_SRC_ALPHA;
}

CCLayerColor* CCLayerColor::create()
{
    CCLayerColor* pRet = new CCLayerColor();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color)
{
    CCLayerColor* pRet = new CCLayerColor();
    if (pRet->initWithColor(color))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color, GLfloat width, GLfloat height)
{
    CCLayerColor* pRet = new CCLayerColor();
    if (pRet->initWithColor(color, width, height))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCLayerColor::init()
{
    return initWithColor(ccc4(0, 0, 0, 0));
}

bool CCLayerColor::initWithColor(const ccColor4B& color)
{
    const CCSize& s = CCDirector::sharedDirector()->getWinSize();
    return initWithColor(color, s.width, s.height);
}

bool CCLayerColor::initWithColor(const ccColor4B& color, GLfloat width, GLfloat height)
{
    if (!CCLayerRGBA::init())
    {
        return false;
    }
    _displayedColor.r = _realColor.r = color.r;
    _displayedColor.g = _realColor.g = color.g;
    _displayedColor.b = _realColor.b = color.b;
    _displayedOpacity = _realOpacity = color.a;
    setContentSize(CCSize(width, height));
    return true;
}

void CCLayerColor::changeWidth(GLfloat w)
{
    setContentSize(CCSize(w, m_obContentSize.height));
}

void CCLayerColor::changeHeight(GLfloat h)
{
    setContentSize(CCSize(m_obContentSize.width, h));
}

void CCLayerColor::changeWidthAndHeight(GLfloat w, GLfloat h)
{
    setContentSize(CCSize(w, h));
}

ccColor4B CCLayerColor::getDisplayedColor4B()
{
    return ccc4(_displayedColor.r, _displayedColor.g, _displayedColor.b, _displayedOpacity);
}

void CCLayerColor::draw()
{
    CCRenderer::sharedRenderer()->drawSolidRect(CCPointZero, ccp(m_obContentSize.width, m_obContentSize.height),
                                                getDisplayedColor4B(), CCNode::currentVisitTransform(),
                                                m_tBlendFunc);
}

NS_CC_END
