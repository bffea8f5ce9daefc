#ifndef __CC_ANIMATION_H__
#define __CC_ANIMATION_H__

#include "base/CCArray.h"
#include "base/CCDictionary.h"
#include "base/CCGeometry.h"

NS_CC_BEGIN

class CCSpriteFrame;
class CCTexture2D;

/** One frame of an animation and how long it lasts, in delay units. */
class CCAnimationFrame : public CCObject
{
public:
    CCAnimationFrame();
    virtual ~CCAnimationFrame();
    bool initWithSpriteFrame(CCSpriteFrame* spriteFrame, float delayUnits, CCDictionary* userInfo);

    CCSpriteFrame* getSpriteFrame() { return m_pSpriteFrame; }
    void setSpriteFrame(CCSpriteFrame* frame);
    float getDelayUnits() const { return m_fDelayUnits; }
    void setDelayUnits(float units) { m_fDelayUnits = units; }
    CCDictionary* getUserInfo() { return m_pUserInfo; }
    void setUserInfo(CCDictionary* info);

private:
    CCSpriteFrame* m_pSpriteFrame;   ///< retained
    float m_fDelayUnits;
    CCDictionary* m_pUserInfo;       ///< retained
};

/** A list of frames with a time per delay unit; played by CCAnimate. */
class CCAnimation : public CCObject
{
public:
    CCAnimation();
    virtual ~CCAnimation();

    static CCAnimation* create(void);
    /** One delay unit per frame, `delay` seconds each. */
    static CCAnimation* createWithSpriteFrames(CCArray* arrayOfSpriteFrameNames, float delay = 0.0f);
    /** From CCAnimationFrame objects. */
    static CCAnimation* create(CCArray* arrayOfAnimationFrameNames, float delayPerUnit, unsigned int loops = 1);

    bool init();
    bool initWithSpriteFrames(CCArray* pFrames, float delay = 0.0f);
    bool initWithAnimationFrames(CCArray* arrayOfAnimationFrames, float delayPerUnit, unsigned int loops);

    void addSpriteFrame(CCSpriteFrame* pFrame);
    void addSpriteFrameWithFileName(const char* pszFileName);
    void addSpriteFrameWithTexture(CCTexture2D* pobTexture, const CCRect& rect);

    /** Seconds of one loop. */
    float getDuration(void);
    float getTotalDelayUnits() const { return m_fTotalDelayUnits; }
    float getDelayPerUnit() const { return m_fDelayPerUnit; }
    void setDelayPerUnit(float delay) { m_fDelayPerUnit = delay; }
    CCArray* getFrames() { return m_pFrames; }
    void setFrames(CCArray* frames);
    bool getRestoreOriginalFrame() const { return m_bRestoreOriginalFrame; }
    void setRestoreOriginalFrame(bool restore) { m_bRestoreOriginalFrame = restore; }
    unsigned int getLoops() const { return m_uLoops; }
    void setLoops(unsigned int loops) { m_uLoops = loops; }

private:
    float m_fTotalDelayUnits;
    float m_fDelayPerUnit;
    CCArray* m_pFrames;   ///< retained: CCAnimationFrame
    bool m_bRestoreOriginalFrame;
    unsigned int m_uLoops;
};

NS_CC_END

#endif // __CC_ANIMATION_H__
