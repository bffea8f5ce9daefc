#include "HealthChangeLabel.h"

#include "CCDirector.h"
#include "CCPointExtension.h"

NS_CC_BEGIN

HealthChangeLabel::HealthChangeLabel() : m_pPool(NULL), m_fElapsed(0.0f), m_fDisplayTime(0.0f), m_bIsShown(false) {}

HealthChangeLabel::~HealthChangeLabel() {}

bool HealthChangeLabel::initWithHealthChange(CCObjectPool* pool)
{
    if (!pool || !initWithString("XX", "unibody8bold.fnt"))
    {
        return false;
    }
    m_pPool = pool;
    pool->getFree()->addObject(this);
    if (pool->getUsed())
    {
        pool->getUsed()->removeObject(this);
    }
    float scale = 0.5f * CCDirector::sharedDirector()->getContentScaleFactor();
    setScale(scale);
    setScaleX(0.75f * scale);
    setAnchorPoint(CCPoint(0.5f, 1.0f));
    setAlignment(kCCTextAlignmentLeft);
    setColor(ccc3(255, 50, 50));
    m_fDisplayTime = 2.0f;
    return true;
}

void HealthChangeLabel::tick(float dt)
{
    m_fElapsed += dt;
    float t = m_fDisplayTime > 0.0f ? clampf(m_fElapsed / m_fDisplayTime, 0.0f, 1.0f) : 1.0f;
    setOpacity((GLubyte)((1.0f - t) * 255.0f));
    setPositionY(getPositionY() + 6.0f * dt);
    if (m_fElapsed >= m_fDisplayTime && m_bIsShown)
    {
        takeOutOfPlay();
    }
}

void HealthChangeLabel::takeOutOfPlay()
{
    m_bIsShown = false;
    retain();
    removeFromParentAndCleanup(false);
    if (m_pPool && m_pPool->getUsed() && m_pPool->getUsed()->containsObject(this))
    {
        m_pPool->returnObject(this);
    }
    release();
}

NS_CC_END
