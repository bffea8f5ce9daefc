#include "extensions/controls/CCScale9Sprite.h"

#include "base/CCConsole.h"
#include "sprites/CCSprite.h"
#include "sprites/CCSpriteFrame.h"
#include "sprites/CCSpriteFrameCache.h"
#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"

#include <algorithm>

USING_NS_CC;

NS_CC_EXT_BEGIN

CCScale9Sprite::CCScale9Sprite()
: m_pTexture(NULL)
, m_spriteRect(CCRectZero)
, m_bRectRotated(false)
, m_originalSize(CCSizeZero)
, m_preferredSize(CCSizeZero)
, m_capInsets(CCRectZero)
, m_insetLeft(0)
, m_insetTop(0)
, m_insetRight(0)
, m_insetBottom(0)
{
    for (int i = 0; i < 9; ++i)
    {
        m_pieces[i] = NULL;
    }
}

CCScale9Sprite::~CCScale9Sprite()
{
    CC_SAFE_RELEASE(m_pTexture);
}

CCScale9Sprite* CCScale9Sprite::create()
{
    CCScale9Sprite* pRet = new CCScale9Sprite();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCScale9Sprite* CCScale9Sprite::create(const char* file)
{
    return create(file, CCRectZero, CCRectZero);
}

CCScale9Sprite* CCScale9Sprite::create(const char* file, CCRect rect, CCRect capInsets)
{
    CCTexture2D* texture = file ? CCTextureCache::sharedTextureCache()->addImage(file) : NULL;
    if (!texture)
    {
        CCLog("ERROR: CCScale9Sprite - can't load '%s'", file ? file : "(null)");
        return NULL;
    }
    CCScale9Sprite* pRet = new CCScale9Sprite();
    if (pRet->initWithTexture(texture, rect, capInsets))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrame(CCSpriteFrame* spriteFrame)
{
    return createWithSpriteFrame(spriteFrame, CCRectZero);
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrame(CCSpriteFrame* spriteFrame, CCRect capInsets)
{
    CCScale9Sprite* pRet = new CCScale9Sprite();
    if (pRet->initWithSpriteFrame(spriteFrame, capInsets))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrameName(const char* spriteFrameName)
{
    CCSpriteFrame* frame = CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(spriteFrameName);
    if (!frame)
    {
        CCLog("ERROR: CCScale9Sprite - no sprite frame '%s'", spriteFrameName ? spriteFrameName : "(null)");
        return NULL;
    }
    return createWithSpriteFrame(frame);
}

bool CCScale9Sprite::init()
{
    if (!CCNodeRGBA::init())
    {
        return false;
    }
    setAnchorPoint(ccp(0.5f, 0.5f));
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    return true;
}

bool CCScale9Sprite::initWithSpriteFrame(CCSpriteFrame* spriteFrame, CCRect capInsets)
{
    if (!spriteFrame)
    {
        CCLog("ERROR: CCScale9Sprite - sprite frame is NULL");
        return false;
    }
    return initWithRegion(spriteFrame->getTexture(), spriteFrame->getRect(), spriteFrame->isRotated(), capInsets);
}

bool CCScale9Sprite::initWithTexture(CCTexture2D* texture, CCRect rect, CCRect capInsets)
{
    return initWithRegion(texture, rect, false, capInsets);
}

bool CCScale9Sprite::initWithRegion(CCTexture2D* texture, CCRect rect, bool rotated, CCRect capInsets)
{
    if (!init() || !texture)
    {
        return false;
    }
    m_bRectRotated = rotated;
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(m_pTexture);
    m_pTexture = texture;
    if (rect.size.width <= 0 || rect.size.height <= 0)
    {
        const CCSize size = texture->getContentSize();
        rect = CCRectMake(0, 0, size.width, size.height);
    }
    m_spriteRect = rect;
    m_originalSize = rect.size;
    m_capInsets = capInsets;
    rebuildPieces();
    setContentSize(m_preferredSize.width > 0 && m_preferredSize.height > 0 ? m_preferredSize : m_originalSize);
    return true;
}

void CCScale9Sprite::setSpriteFrame(CCSpriteFrame* spriteFrame)
{
    if (!spriteFrame || !spriteFrame->getTexture())
    {
        return;
    }
    CCTexture2D* texture = spriteFrame->getTexture();
    texture->retain();
    CC_SAFE_RELEASE(m_pTexture);
    m_pTexture = texture;
    m_spriteRect = spriteFrame->getRect();
    m_bRectRotated = spriteFrame->isRotated();
    m_originalSize = m_spriteRect.size;
    rebuildPieces();
    const bool preferred = m_preferredSize.width > 0 && m_preferredSize.height > 0;
    setContentSize(preferred ? m_preferredSize : m_originalSize);
}

void CCScale9Sprite::setPreferredSize(CCSize size)
{
    m_preferredSize = size;
    setContentSize(size);
}

void CCScale9Sprite::setContentSize(const CCSize& size)
{
    CCNodeRGBA::setContentSize(size);
    layoutPieces();
}

void CCScale9Sprite::setCapInsets(CCRect capInsets)
{
    m_capInsets = capInsets;
    layoutPieces();
}

void CCScale9Sprite::setInsetLeft(float v)
{
    m_insetLeft = v;
    updateCapInsetsFromSides();
}

void CCScale9Sprite::setInsetTop(float v)
{
    m_insetTop = v;
    updateCapInsetsFromSides();
}

void CCScale9Sprite::setInsetRight(float v)
{
    m_insetRight = v;
    updateCapInsetsFromSides();
}

void CCScale9Sprite::setInsetBottom(float v)
{
    m_insetBottom = v;
    updateCapInsetsFromSides();
}

void CCScale9Sprite::updateCapInsetsFromSides()
{
    if (m_insetLeft == 0 && m_insetTop == 0 && m_insetRight == 0 && m_insetBottom == 0)
    {
        setCapInsets(CCRectZero);
        return;
    }
    setCapInsets(CCRectMake(m_insetLeft, m_insetTop, m_originalSize.width - m_insetLeft - m_insetRight,
                            m_originalSize.height - m_insetTop - m_insetBottom));
}

CCSprite* CCScale9Sprite::getPiece(int index)
{
    return index >= 0 && index < 9 ? m_pieces[index] : NULL;
}

void CCScale9Sprite::rebuildPieces()
{
    for (int i = 0; i < 9; ++i)
    {
        if (!m_pieces[i])
        {
            m_pieces[i] = new CCSprite();
            m_pieces[i]->initWithTexture(m_pTexture, CCRectZero);
            m_pieces[i]->setAnchorPoint(ccp(0, 0));
            addChild(m_pieces[i], 0, i);
            m_pieces[i]->release();
        }
        else
        {
            m_pieces[i]->setTexture(m_pTexture);
        }
        m_pieces[i]->updateDisplayedColor(_displayedColor);
        m_pieces[i]->updateDisplayedOpacity(_displayedOpacity);
    }
}

void CCScale9Sprite::layoutPieces()
{
    if (!m_pTexture || !m_pieces[0])
    {
        return;
    }
    const float w = m_originalSize.width;
    const float h = m_originalSize.height;
    CCRect cap = m_capInsets;
    if (cap.size.width <= 0 || cap.size.height <= 0)
    {
        cap = CCRectMake(w / 3, h / 3, w / 3, h / 3);
    }
    // Keep the centre inside the image whatever the insets say.
    cap.origin.x = std::max(0.0f, std::min(cap.origin.x, w));
    cap.origin.y = std::max(0.0f, std::min(cap.origin.y, h));
    cap.size.width = std::max(0.0f, std::min(cap.size.width, w - cap.origin.x));
    cap.size.height = std::max(0.0f, std::min(cap.size.height, h - cap.origin.y));

    const float cols[3] = { cap.origin.x, cap.size.width, w - cap.origin.x - cap.size.width };
    const float colStart[3] = { 0, cap.origin.x, cap.origin.x + cap.size.width };
    // Rows bottom to top; the texture runs top to bottom.
    const float rows[3] = { h - cap.origin.y - cap.size.height, cap.size.height, cap.origin.y };
    const float rowStart[3] = { cap.origin.y + cap.size.height, cap.origin.y, 0 };

    const CCSize size = m_obContentSize;
    const float centreW = std::max(0.0f, size.width - cols[0] - cols[2]);
    const float centreH = std::max(0.0f, size.height - rows[0] - rows[2]);
    const float drawnW[3] = { cols[0], centreW, cols[2] };
    const float drawnH[3] = { rows[0], centreH, rows[2] };
    const float x[3] = { 0, cols[0], cols[0] + centreW };
    const float y[3] = { 0, rows[0], rows[0] + centreH };

    for (int row = 0; row < 3; ++row)
    {
        for (int col = 0; col < 3; ++col)
        {
            CCSprite* piece = m_pieces[row * 3 + col];
            const CCRect rect = regionOf(CCRect(colStart[col], rowStart[row], cols[col], rows[row]));
            const bool shown = rect.size.width > 0 && rect.size.height > 0 && drawnW[col] > 0 && drawnH[row] > 0;
            piece->setVisible(shown);
            if (!shown)
            {
                continue;
            }
            piece->setTextureRect(rect, m_bRectRotated, rect.size);
            piece->setPosition(ccp(x[col], y[row]));
            piece->setScaleX(drawnW[col] / cols[col]);
            piece->setScaleY(drawnH[row] / rows[row]);
        }
    }
}

// A part of the image (y down) as a sprite rectangle of the texture. A frame stored turned a
// quarter clockwise keeps its upright size, but its origin is where the part lies turned.
CCRect CCScale9Sprite::regionOf(const CCRect& part) const
{
    if (!m_bRectRotated)
    {
        return CCRect(m_spriteRect.origin.x + part.origin.x, m_spriteRect.origin.y + part.origin.y, part.size.width,
                      part.size.height);
    }
    const float turnedX = m_spriteRect.size.height - part.origin.y - part.size.height;
    return CCRect(m_spriteRect.origin.x + turnedX, m_spriteRect.origin.y + part.origin.x, part.size.width,
                  part.size.height);
}

void CCScale9Sprite::setColor(const ccColor3B& color)
{
    CCNodeRGBA::setColor(color);
    for (int i = 0; i < 9; ++i)
    {
        if (m_pieces[i])
        {
            m_pieces[i]->updateDisplayedColor(_displayedColor);
        }
    }
}

void CCScale9Sprite::setOpacity(GLubyte opacity)
{
    CCNodeRGBA::setOpacity(opacity);
    for (int i = 0; i < 9; ++i)
    {
        if (m_pieces[i])
        {
            m_pieces[i]->updateDisplayedOpacity(_displayedOpacity);
        }
    }
}

NS_CC_EXT_END
