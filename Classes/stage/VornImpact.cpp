#include "VornImpact.h"

#include "CCArray.h"
#include "CCDirector.h"
#include "CCLabelBMFont.h"
#include "CCObjectPool.h"
#include "CCParticleSystemQuad.h"
#include "CCPointExtension.h"
#include "CCTexture2D.h"
#include "GameManager.h"

#include <cstdio>
#include <cstdlib>

NS_CC_BEGIN

const float VornImpact::kRiseSpeed = 5.0f;

namespace
{
const int kImpactZOrder = 100;
const float kRadiansToDegrees = 57.29578f;
}

VornImpact::VornImpact()
    : m_pPool(NULL), m_pParticles(NULL), m_pLabel(NULL), m_fElapsed(0.0f), m_fLifetime(2.0f), m_bActive(false), m_nNumber(0)
{
}

VornImpact::~VornImpact()
{
    if (GameManager* manager = GameManager::getInstance())
    {
        manager->getGameUpdateSignal().disconnect(this, &VornImpact::tick);
    }
    CC_SAFE_RELEASE(m_pPool);
    CC_SAFE_RELEASE(m_pLabel);
}

void VornImpact::setPool(CCObjectPool* pool)
{
    CC_SAFE_RETAIN(pool);
    CC_SAFE_RELEASE(m_pPool);
    m_pPool = pool;
}

void VornImpact::setLabel(CCLabelBMFont* label)
{
    CC_SAFE_RETAIN(label);
    CC_SAFE_RELEASE(m_pLabel);
    m_pLabel = label;
}

bool VornImpact::initWithPool(CCObjectPool* pool)
{
    setPool(pool);
    float scaleFactor = CCDirector::sharedDirector()->getContentScaleFactor();

    CCParticleSystemQuad* particles = CCParticleSystemQuad::create("impact.plist");
    if (particles == NULL)
    {
        CCLog("ERROR: VornImpact::initWithPool - cannot read impact.plist");
        return false;
    }
    if (CCTexture2D* texture = particles->getTexture())
    {
        // The whole texture, in pixels.
        CCSize size = texture->getContentSize();
        particles->setTextureWithRect(texture, CCRect(0.0f, 0.0f, size.width * scaleFactor, size.height * scaleFactor));
    }
    particles->setPositionType(kCCPositionTypeRelative);
    particles->setPosition(CCPoint(getContentSize().width * 0.5f, getContentSize().height * 0.5f));
    particles->setScale(0.1f);
    if (m_pParticles != NULL)
    {
        m_pParticles->removeFromParentAndCleanup(true);
    }
    m_pParticles = particles;
    addChild(particles);

    CCLabelBMFont* label = CCLabelBMFont::create("XX", "unibody8bold.fnt");
    if (label == NULL)
    {
        CCLog("ERROR: VornImpact::initWithPool - cannot read unibody8bold.fnt");
        return false;
    }
    if (m_pLabel != NULL)
    {
        m_pLabel->removeFromParentAndCleanup(true);
    }
    setLabel(label);
    label->setScale(scaleFactor * 0.25f);
    // Narrowed digits read better at this size.
    label->setScaleX(label->getScale() * 0.75f);
    label->setColor(ccc3(255, 50, 50));
    ccBlendFunc additive = { GL_ONE, GL_ONE };
    label->setBlendFunc(additive);
    label->setAnchorPoint(CCPoint(0.5f, 0.0f));
    addChild(label);

    setScale(2.0f);
    m_bActive = false;
    if (GameManager* manager = GameManager::getInstance())
    {
        manager->getGameUpdateSignal().connect(this, &VornImpact::tick);
    }
    return true;
}

void VornImpact::showImpact(CCNode* parent, const CCRect& rect, const CCPoint& direction, const std::string& text,
                            bool showParticles)
{
    if (parent == NULL || m_pParticles == NULL || m_pLabel == NULL)
    {
        return;
    }
    if (getParent() != NULL)
    {
        retain();
        removeFromParentAndCleanup(false);
        parent->addChild(this, kImpactZOrder);
        release();
    }
    else
    {
        parent->addChild(this, kImpactZOrder);
    }
    setPosition(CCPoint(rect.getMidX(), rect.getMidY()));
    m_fElapsed = 0.0f;
    m_pParticles->setVisible(showParticles);
    m_pParticles->resetSystem();
    m_pParticles->setPosVar(CCPoint(rect.size.width, rect.size.height));
    m_pParticles->setRotation(ccpToAngle(direction) * kRadiansToDegrees - 90.0f);
    m_pLabel->setPosition(CCPoint(0.0f, 0.0f));
    m_pLabel->setOpacity(255);
    m_pLabel->setString(text.c_str());
    // No number: the burst alone (its number joined another's).
    m_pLabel->setVisible(!text.empty());
    m_nNumber = atoi(text.c_str());
    m_bActive = true;
}

bool VornImpact::numberCovers(CCNode* parent, const CCPoint& spot)
{
    if (!m_bActive || m_pLabel == NULL || !m_pLabel->isVisible() || getParent() != parent || parent == NULL)
    {
        return false;
    }
    CCRect shown = CCRectApplyAffineTransform(m_pLabel->boundingBox(), nodeToParentTransform());
    // A new number stands on its foot at the spot: it lies over this one from a height below it,
    // and from half a width to either side.
    shown.origin.y -= shown.size.height;
    shown.size.height *= 2.0f;
    shown.origin.x -= shown.size.width * 0.5f;
    shown.size.width *= 2.0f;
    return shown.containsPoint(spot);
}

void VornImpact::addToNumber(int number, const CCPoint& spot)
{
    m_nNumber += number;
    char text[32];
    snprintf(text, sizeof(text), "%d", m_nNumber);
    m_pLabel->setString(text);
    m_pLabel->setPosition(CCPoint(0.0f, 0.0f));
    m_pLabel->setOpacity(255);
    setPosition(spot);
    m_fElapsed = 0.0f;
}

void VornImpact::recycle()
{
    retain();
    if (getParent() != NULL)
    {
        removeFromParentAndCleanup(false);
    }
    if (m_pPool != NULL)
    {
        CCArray* used = m_pPool->getUsed();
        CCArray* free = m_pPool->getFree();
        if (used != NULL && used->containsObject(this))
        {
            m_pPool->returnObject(this);
        }
        else if (free != NULL && !free->containsObject(this))
        {
            // Shown without being taken from the pool: it still goes back exactly once.
            free->addObject(this);
        }
    }
    m_bActive = false;
    release();
}

void VornImpact::tick(float dt)
{
    if (!m_bActive)
    {
        return;
    }
    m_fElapsed += dt;
    float r = m_fLifetime > 0.0f ? clampf(m_fElapsed / m_fLifetime, 0.0f, 1.0f) : 1.0f;
    m_pLabel->setPositionY(m_pLabel->getPositionY() + kRiseSpeed * dt);
    m_pLabel->setOpacity((GLubyte)((1.0f - r) * 255.0f));
    if (m_fElapsed >= m_fLifetime)
    {
        recycle();
    }
}

NS_CC_END
