#include "sprites/CCSpriteFrame.h"

#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"

NS_CC_BEGIN

CCSpriteFrame::CCSpriteFrame()
: m_bRotated(false)
, m_pobTexture(NULL)
{
}

CCSpriteFrame::~CCSpriteFrame()
{
    CC_SAFE_RELEASE(m_pobTexture);
}

CCSpriteFrame* CCSpriteFrame::create(const char* filename, const CCRect& rect)
{
    CCSpriteFrame* frame = new CCSpriteFrame();
    frame->initWithTextureFilename(filename, rect);
    frame->autorelease();
    return frame;
}

CCSpriteFrame* CCSpriteFrame::create(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                                     const CCSize& originalSize)
{
    CCSpriteFrame* frame = new CCSpriteFrame();
    frame->initWithTextureFilename(filename, rect, rotated, offset, originalSize);
    frame->autorelease();
    return frame;
}

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* pobTexture, const CCRect& rect)
{
    CCSpriteFrame* frame = new CCSpriteFrame();
    frame->initWithTexture(pobTexture, rect);
    frame->autorelease();
    return frame;
}

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* pobTexture, const CCRect& rect, bool rotated,
                                                const CCPoint& offset, const CCSize& originalSize)
{
    CCSpriteFrame* frame = new CCSpriteFrame();
    frame->initWithTexture(pobTexture, rect, rotated, offset, originalSize);
    frame->autorelease();
    return frame;
}

bool CCSpriteFrame::initWithTexture(CCTexture2D* pobTexture, const CCRect& rect)
{
    return initWithTexture(pobTexture, rect, false, CCPointZero, rect.size);
}

bool CCSpriteFrame::initWithTextureFilename(const char* filename, const CCRect& rect)
{
    return initWithTextureFilename(filename, rect, false, CCPointZero, rect.size);
}

bool CCSpriteFrame::initWithTexture(CCTexture2D* pobTexture, const CCRect& rect, bool rotated,
                                    const CCPoint& offset, const CCSize& originalSize)
{
    setTexture(pobTexture);
    m_obRect = rect;
    m_bRotated = rotated;
    m_obOffset = offset;
    m_obOriginalSize = originalSize;
    return true;
}

bool CCSpriteFrame::initWithTextureFilename(const char* filename, const CCRect& rect, bool rotated,
                                            const CCPoint& offset, const CCSize& originalSize)
{
    setTexture(NULL);
    m_strTextureFilename = filename ? filename : "";
    m_obRect = rect;
    m_bRotated = rotated;
    m_obOffset = offset;
    m_obOriginalSize = originalSize;
    return true;
}

CCTexture2D* CCSpriteFrame::getTexture(void)
{
    if (!m_pobTexture && !m_strTextureFilename.empty())
    {
        setTexture(CCTextureCache::sharedTextureCache()->addImage(m_strTextureFilename.c_str()));
    }
    return m_pobTexture;
}

void CCSpriteFrame::setTexture(CCTexture2D* pobTexture)
{
    if (m_pobTexture != pobTexture)
    {
        CC_SAFE_RETAIN(pobTexture);
        CC_SAFE_RELEASE(m_pobTexture);
        m_pobTexture = pobTexture;
    }
}

CCObject* CCSpriteFrame::copy()
{
    CCSpriteFrame* frame = new CCSpriteFrame();
    frame->initWithTexture(m_pobTexture, m_obRect, m_bRotated, m_obOffset, m_obOriginalSize);
    frame->m_strTextureFilename = m_strTextureFilename;
    return frame;
}

NS_CC_END
