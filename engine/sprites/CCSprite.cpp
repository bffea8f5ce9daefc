#include "sprites/CCSprite.h"

#include "draw/CCRenderer.h"
#include "sprites/CCAnimation.h"
#include "sprites/CCAnimationCache.h"
#include "sprites/CCSpriteFrame.h"
#include "sprites/CCSpriteFrameCache.h"
#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"

#include <cstring>

NS_CC_BEGIN

namespace
{
CCSprite* finish(CCSprite* sprite, bool ok)
{
    if (ok)
    {
        sprite->autorelease();
        return sprite;
    }
    delete sprite;
    return NULL;
}
} // namespace

CCSprite::CCSprite()
: m_pobBatchNode(NULL)
, m_pobTexture(NULL)
, m_bRectRotated(false)
, m_bOpacityModifyRGB(false)
, m_bFlipX(false)
, m_bFlipY(false)
{
    m_sBlendFunc.src = GL_SRC_ALPHA;
    m_sBlendFunc.dst = GL_ONE_MINUS_SRC_ALPHA;
    memset(&m_sQuad, 0, sizeof(m_sQuad));
}

CCSprite::~CCSprite()
{
    CC_SAFE_RELEASE(m_pobTexture);
}

CCSprite* CCSprite::create()
{
    CCSprite* sprite = new CCSprite();
    return finish(sprite, sprite->init());
}

CCSprite* CCSprite::create(const char* pszFileName)
{
    CCSprite* sprite = new CCSprite();
    return finish(sprite, sprite->initWithFile(pszFileName));
}

CCSprite* CCSprite::create(const char* pszFileName, const CCRect& rect)
{
    CCSprite* sprite = new CCSprite();
    return finish(sprite, sprite->initWithFile(pszFileName, rect));
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* pTexture)
{
    CCSprite* sprite = new CCSprite();
    return finish(sprite, sprite->initWithTexture(pTexture));
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* pTexture, const CCRect& rect)
{
    CCSprite* sprite = new CCSprite();
    return finish(sprite, sprite->initWithTexture(pTexture, rect));
}

CCSprite* CCSprite::createWithSpriteFrame(CCSpriteFrame* pSpriteFrame)
{
    CCSprite* sprite = new CCSprite();
    return finish(sprite, sprite->initWithSpriteFrame(pSpriteFrame));
}

CCSprite* CCSprite::createWithSpriteFrameName(const char* pszSpriteFrameName)
{
    CCSprite* sprite = new CCSprite();
    return finish(sprite, sprite->initWithSpriteFrameName(pszSpriteFrameName));
}

bool CCSprite::init(void)
{
    return initWithTexture(NULL, CCRectZero);
}

bool CCSprite::initWithTexture(CCTexture2D* pTexture)
{
    if (!pTexture)
    {
        CCLog("CCSprite::initWithTexture - texture is NULL");
        return false;
    }
    CCRect rect(0, 0, pTexture->getContentSize().width, pTexture->getContentSize().height);
    return initWithTexture(pTexture, rect);
}

bool CCSprite::initWithTexture(CCTexture2D* pTexture, const CCRect& rect)
{
    return initWithTexture(pTexture, rect, false);
}

bool CCSprite::initWithTexture(CCTexture2D* pTexture, const CCRect& rect, bool rotated)
{
    if (!CCNodeRGBA::init())
    {
        return false;
    }
    m_pobBatchNode = NULL;
    m_bOpacityModifyRGB = false;
    m_bFlipX = m_bFlipY = false;
    setAnchorPoint(ccp(0.5f, 0.5f));
    m_obOffsetPosition = CCPointZero;
    m_obUnflippedOffsetPositionFromCenter = CCPointZero;
    memset(&m_sQuad, 0, sizeof(m_sQuad));
    updateColor();
    setTexture(pTexture);
    setTextureRect(rect, rotated, rect.size);
    return true;
}

bool CCSprite::initWithSpriteFrame(CCSpriteFrame* pSpriteFrame)
{
    if (!pSpriteFrame)
    {
        CCLog("CCSprite::initWithSpriteFrame - frame is NULL");
        return false;
    }
    if (!initWithTexture(pSpriteFrame->getTexture(), pSpriteFrame->getRect()))
    {
        return false;
    }
    setDisplayFrame(pSpriteFrame);
    return true;
}

bool CCSprite::initWithSpriteFrameName(const char* pszSpriteFrameName)
{
    if (!pszSpriteFrameName)
    {
        return false;
    }
    CCSpriteFrame* frame = CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(pszSpriteFrameName);
    return frame ? initWithSpriteFrame(frame) : false;
}

bool CCSprite::initWithFile(const char* pszFilename)
{
    CCTexture2D* texture = pszFilename ? CCTextureCache::sharedTextureCache()->addImage(pszFilename) : NULL;
    if (!texture)
    {
        CCLog("CCSprite::initWithFile - could not load %s", pszFilename ? pszFilename : "(null)");
        return false;
    }
    return initWithTexture(texture);
}

bool CCSprite::initWithFile(const char* pszFilename, const CCRect& rect)
{
    CCTexture2D* texture = pszFilename ? CCTextureCache::sharedTextureCache()->addImage(pszFilename) : NULL;
    if (!texture)
    {
        CCLog("CCSprite::initWithFile - could not load %s", pszFilename ? pszFilename : "(null)");
        return false;
    }
    return initWithTexture(texture, rect);
}

// ---- texture and frame ---------------------------------------------------------------------

void CCSprite::setTexture(CCTexture2D* texture)
{
    if (m_pobTexture != texture)
    {
        CC_SAFE_RETAIN(texture);
        CC_SAFE_RELEASE(m_pobTexture);
        m_pobTexture = texture;
        updateBlendFunc();
    }
}

CCTexture2D* CCSprite::getTexture(void)
{
    return m_pobTexture;
}

void CCSprite::updateBlendFunc(void)
{
    // Straight alpha: source colour is weighted by its alpha.
    m_sBlendFunc.src = GL_SRC_ALPHA;
    m_sBlendFunc.dst = GL_ONE_MINUS_SRC_ALPHA;
}

void CCSprite::setTextureRect(const CCRect& rect)
{
    setTextureRect(rect, false, rect.size);
}

void CCSprite::setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize)
{
    m_bRectRotated = rotated;
    setContentSize(untrimmedSize);
    setVertexRect(rect);
    setTextureCoords(rect);

    CCPoint relativeOffset = m_obUnflippedOffsetPositionFromCenter;
    if (m_bFlipX)
    {
        relativeOffset.x = -relativeOffset.x;
    }
    if (m_bFlipY)
    {
        relativeOffset.y = -relativeOffset.y;
    }
    // The trimmed region is centred in the content, then moved by the frame's offset.
    m_obOffsetPosition.x = relativeOffset.x + (m_obContentSize.width - m_obRect.size.width) / 2.0f;
    m_obOffsetPosition.y = relativeOffset.y + (m_obContentSize.height - m_obRect.size.height) / 2.0f;

    const float x1 = m_obOffsetPosition.x;
    const float y1 = m_obOffsetPosition.y;
    const float x2 = x1 + m_obRect.size.width;
    const float y2 = y1 + m_obRect.size.height;
    m_sQuad.bl.vertices = vertex2(x1, y1);
    m_sQuad.br.vertices = vertex2(x2, y1);
    m_sQuad.tl.vertices = vertex2(x1, y2);
    m_sQuad.tr.vertices = vertex2(x2, y2);
}

void CCSprite::setVertexRect(const CCRect& rect)
{
    m_obRect = rect;
}

void CCSprite::setTextureCoords(const CCRect& rect)
{
    if (!m_pobTexture || m_pobTexture->getPixelsWide() == 0 || m_pobTexture->getPixelsHigh() == 0)
    {
        return;
    }
    const float w = (float)m_pobTexture->getPixelsWide();
    const float h = (float)m_pobTexture->getPixelsHigh();
    float left, right, top, bottom;
    if (m_bRectRotated)
    {
        // Stored turned a quarter clockwise: the frame's width runs down the texture.
        left = rect.origin.x / w;
        right = (rect.origin.x + rect.size.height) / w;
        top = rect.origin.y / h;
        bottom = (rect.origin.y + rect.size.width) / h;
        if (m_bFlipX)
        {
            CC_SWAP(top, bottom, float);
        }
        if (m_bFlipY)
        {
            CC_SWAP(left, right, float);
        }
        m_sQuad.bl.texCoords = tex2(left, top);
        m_sQuad.br.texCoords = tex2(left, bottom);
        m_sQuad.tl.texCoords = tex2(right, top);
        m_sQuad.tr.texCoords = tex2(right, bottom);
    }
    else
    {
        left = rect.origin.x / w;
        right = (rect.origin.x + rect.size.width) / w;
        top = rect.origin.y / h;
        bottom = (rect.origin.y + rect.size.height) / h;
        if (m_bFlipX)
        {
            CC_SWAP(left, right, float);
        }
        if (m_bFlipY)
        {
            CC_SWAP(top, bottom, float);
        }
        m_sQuad.bl.texCoords = tex2(left, bottom);
        m_sQuad.br.texCoords = tex2(right, bottom);
        m_sQuad.tl.texCoords = tex2(left, top);
        m_sQuad.tr.texCoords = tex2(right, top);
    }
}

void CCSprite::setDisplayFrame(CCSpriteFrame* pNewFrame)
{
    if (!pNewFrame)
    {
        CCLog("CCSprite::setDisplayFrame - frame is NULL");
        return;
    }
    m_obUnflippedOffsetPositionFromCenter = pNewFrame->getOffset();
    CCTexture2D* texture = pNewFrame->getTexture();
    if (texture != m_pobTexture)
    {
        setTexture(texture);
    }
    setTextureRect(pNewFrame->getRect(), pNewFrame->isRotated(), pNewFrame->getOriginalSize());
}

bool CCSprite::isFrameDisplayed(CCSpriteFrame* pFrame)
{
    if (!pFrame)
    {
        return false;
    }
    return pFrame->getRect().equals(m_obRect) && pFrame->getTexture() == m_pobTexture;
}

CCSpriteFrame* CCSprite::displayFrame(void)
{
    return CCSpriteFrame::createWithTexture(m_pobTexture, m_obRect, m_bRectRotated,
                                            m_obUnflippedOffsetPositionFromCenter, m_obContentSize);
}

void CCSprite::setDisplayFrameWithAnimationName(const char* animationName, int frameIndex)
{
    CCAnimation* animation = CCAnimationCache::sharedAnimationCache()->animationByName(animationName);
    if (!animation)
    {
        CCLog("CCSprite::setDisplayFrameWithAnimationName - no animation %s", animationName ? animationName : "");
        return;
    }
    CCArray* frames = animation->getFrames();
    if (frameIndex < 0 || (unsigned int)frameIndex >= frames->count())
    {
        CCLog("CCSprite::setDisplayFrameWithAnimationName - frame %d out of range", frameIndex);
        return;
    }
    setDisplayFrame(static_cast<CCAnimationFrame*>(frames->objectAtIndex(frameIndex))->getSpriteFrame());
}

// ---- looks ---------------------------------------------------------------------------------

void CCSprite::setFlipX(bool bFlipX)
{
    if (m_bFlipX != bFlipX)
    {
        m_bFlipX = bFlipX;
        setTextureRect(m_obRect, m_bRectRotated, m_obContentSize);
    }
}

void CCSprite::setFlipY(bool bFlipY)
{
    if (m_bFlipY != bFlipY)
    {
        m_bFlipY = bFlipY;
        setTextureRect(m_obRect, m_bRectRotated, m_obContentSize);
    }
}

void CCSprite::updateColor(void)
{
    ccColor4B color = ccc4(_displayedColor.r, _displayedColor.g, _displayedColor.b, _displayedOpacity);
    if (m_bOpacityModifyRGB)
    {
        color.r = (GLubyte)(color.r * _displayedOpacity / 255);
        color.g = (GLubyte)(color.g * _displayedOpacity / 255);
        color.b = (GLubyte)(color.b * _displayedOpacity / 255);
    }
    m_sQuad.bl.colors = m_sQuad.br.colors = m_sQuad.tl.colors = m_sQuad.tr.colors = color;
}

void CCSprite::setColor(const ccColor3B& color3)
{
    CCNodeRGBA::setColor(color3);
    updateColor();
}

void CCSprite::updateDisplayedColor(const ccColor3B& parentColor)
{
    CCNodeRGBA::updateDisplayedColor(parentColor);
    updateColor();
}

void CCSprite::setOpacity(GLubyte opacity)
{
    CCNodeRGBA::setOpacity(opacity);
    updateColor();
}

void CCSprite::updateDisplayedOpacity(GLubyte parentOpacity)
{
    CCNodeRGBA::updateDisplayedOpacity(parentOpacity);
    updateColor();
}

void CCSprite::draw(void)
{
    if (!m_pobTexture)
    {
        return;
    }
    CCRenderer::sharedRenderer()->drawQuads(m_pobTexture, &m_sQuad, 1, CCNode::currentVisitTransform(), m_sBlendFunc);
}

NS_CC_END
