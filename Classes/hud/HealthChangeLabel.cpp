#include "HealthChangeLabel.h"

#include "CCDirector.h"
#include "CCPointExtension.h"

#include <cstdio>
#include <cstdlib>

NS_CC_BEGIN

HealthChangeLabel::HealthChangeLabel() : m_pPool(NULL), m_fElapsed(0.0f), m_fDuration(0.0f), m_bActive(false) {}

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
    // Added light: the number glows over the fight instead of covering it.
    ccBlendFunc additive = { GL_ONE, GL_ONE };
    setBlendFunc(additive);
    m_fDuration = 2.0f;
    return true;
}

HealthChangeLabel* HealthChangeLabel::showFromPool(CCObjectPool* pool, CCNode* parent, const CCPoint& position,
                                                   const char* text, int zOrder)
{
    if (!pool || !parent || !text)
    {
        return NULL;
    }
    // A change shown while the last one still hangs over the same spot adds to it: quick blows
    // read as one count, not as numbers heaped on each other.
    CCObject* object;
    CCARRAY_FOREACH(pool->getUsed(), object)
    {
        HealthChangeLabel* shown = dynamic_cast<HealthChangeLabel*>(object);
        if (shown && shown->m_bActive && shown->getParent() == parent && shown->coversSpot(position))
        {
            char sum[16];
            snprintf(sum, sizeof(sum), "%+d", atoi(shown->getString()) + atoi(text));
            shown->setString(sum);
            shown->setPosition(position);
            shown->setOpacity(255);
            shown->m_fElapsed = 0.0f;
            return shown;
        }
    }
    HealthChangeLabel* label = dynamic_cast<HealthChangeLabel*>(pool->getObject());
    if (!label)
    {
        return NULL;
    }
    label->setString(text);
    label->setPosition(position);
    label->setOpacity(255);
    label->m_fElapsed = 0.0f;
    label->m_bActive = true;
    parent->addChild(label, zOrder);
    return label;
}

bool HealthChangeLabel::coversSpot(const CCPoint& spot)
{
    // A new label hangs from the spot: it lies over this one from a height above it, and from
    // half a width to either side.
    CCRect shown = boundingBox();
    shown.size.height *= 2.0f;
    shown.origin.x -= shown.size.width * 0.5f;
    shown.size.width *= 2.0f;
    return shown.containsPoint(spot);
}

void HealthChangeLabel::tick(float dt)
{
    m_fElapsed += dt;
    float t = m_fDuration > 0.0f ? clampf(m_fElapsed / m_fDuration, 0.0f, 1.0f) : 1.0f;
    setOpacity((GLubyte)((1.0f - t) * 255.0f));
    setPositionY(getPositionY() + 6.0f * dt);
    if (m_fElapsed >= m_fDuration)
    {
        recycle();
    }
}

void HealthChangeLabel::recycle()
{
    if (!m_bActive)
    {
        return;
    }
    m_bActive = false;
    retain();
    removeFromParentAndCleanup(false);
    if (m_pPool && m_pPool->getUsed() && m_pPool->getUsed()->containsObject(this))
    {
        m_pPool->returnObject(this);
    }
    release();
}

NS_CC_END
