#include "sprites/CCAnimation.h"

#include "sprites/CCSpriteFrame.h"
#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"

NS_CC_BEGIN

CCAnimationFrame::CCAnimationFrame()
: m_pSpriteFrame(NULL)
, m_fDelayUnits(0.0f)
, m_pUserInfo(NULL)
{
}

CCAnimationFrame::~CCAnimationFrame()
{
    CC_SAFE_RELEASE(m_pSpriteFrame);
    CC_SAFE_RELEASE(m_pUserInfo);
}

bool CCAnimationFrame::initWithSpriteFrame(CCSpriteFrame* spriteFrame, float delayUnits, CCDictionary* userInfo)
{
    setSpriteFrame(spriteFrame);
    setUserInfo(userInfo);
    m_fDelayUnits = delayUnits;
    return true;
}

void CCAnimationFrame::setSpriteFrame(CCSpriteFrame* frame)
{
    CC_SAFE_RETAIN(frame);
    CC_SAFE_RELEASE(m_pSpriteFrame);
    m_pSpriteFrame = frame;
}

void CCAnimationFrame::setUserInfo(CCDictionary* info)
{
    CC_SAFE_RETAIN(info);
    CC_SAFE_RELEASE(m_pUserInfo);
    m_pUserInfo = info;
}

CCAnimation::CCAnimation()
: m_fTotalDelayUnits(0.0f)
, m_fDelayPerUnit(0.0f)
, m_pFrames(NULL)
, m_bRestoreOriginalFrame(false)
, m_uLoops(1)
{
}

CCAnimation::~CCAnimation()
{
    CC_SAFE_RELEASE(m_pFrames);
}

CCAnimation* CCAnimation::create(void)
{
    CCAnimation* animation = new CCAnimation();
    animation->init();
    animation->autorelease();
    return animation;
}

CCAnimation* CCAnimation::createWithSpriteFrames(CCArray* frames, float delay)
{
    CCAnimation* animation = new CCAnimation();
    animation->initWithSpriteFrames(frames, delay);
    animation->autorelease();
    return animation;
}

CCAnimation* CCAnimation::create(CCArray* arrayOfAnimationFrameNames, float delayPerUnit, unsigned int loops)
{
    CCAnimation* animation = new CCAnimation();
    animation->initWithAnimationFrames(arrayOfAnimationFrameNames, delayPerUnit, loops);
    animation->autorelease();
    return animation;
}

bool CCAnimation::init()
{
    return initWithSpriteFrames(NULL, 0.0f);
}

bool CCAnimation::initWithSpriteFrames(CCArray* pFrames, float delay)
{
    m_uLoops = 1;
    m_fDelayPerUnit = delay;
    m_fTotalDelayUnits = 0.0f;
    CC_SAFE_RELEASE(m_pFrames);
    m_pFrames = new CCArray();
    m_pFrames->init();
    CCObject* obj = NULL;
    CCARRAY_FOREACH(pFrames, obj)
    {
        CCSpriteFrame* frame = dynamic_cast<CCSpriteFrame*>(obj);
        if (frame)
        {
            addSpriteFrame(frame);
        }
    }
    return true;
}

bool CCAnimation::initWithAnimationFrames(CCArray* arrayOfAnimationFrames, float delayPerUnit, unsigned int loops)
{
    m_fDelayPerUnit = delayPerUnit;
    m_uLoops = loops;
    setFrames(arrayOfAnimationFrames);
    return true;
}

void CCAnimation::setFrames(CCArray* frames)
{
    CCArray* copy = new CCArray();
    copy->init();
    m_fTotalDelayUnits = 0.0f;
    CCObject* obj = NULL;
    CCARRAY_FOREACH(frames, obj)
    {
        CCAnimationFrame* frame = dynamic_cast<CCAnimationFrame*>(obj);
        if (frame)
        {
            copy->addObject(frame);
            m_fTotalDelayUnits += frame->getDelayUnits();
        }
    }
    CC_SAFE_RELEASE(m_pFrames);
    m_pFrames = copy;
}

void CCAnimation::addSpriteFrame(CCSpriteFrame* pFrame)
{
    if (!pFrame)
    {
        return;
    }
    CCAnimationFrame* frame = new CCAnimationFrame();
    frame->initWithSpriteFrame(pFrame, 1.0f, NULL);
    m_pFrames->addObject(frame);
    frame->release();
    m_fTotalDelayUnits += 1.0f;
}

void CCAnimation::addSpriteFrameWithFileName(const char* pszFileName)
{
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(pszFileName);
    if (texture)
    {
        CCRect rect(0, 0, texture->getContentSize().width, texture->getContentSize().height);
        addSpriteFrame(CCSpriteFrame::createWithTexture(texture, rect));
    }
}

void CCAnimation::addSpriteFrameWithTexture(CCTexture2D* pobTexture, const CCRect& rect)
{
    addSpriteFrame(CCSpriteFrame::createWithTexture(pobTexture, rect));
}

float CCAnimation::getDuration(void)
{
    return m_fTotalDelayUnits * m_fDelayPerUnit;
}

NS_CC_END
