#include "CCAnimatingSprite.h"

#include "CCArray.h"
#include "CCSpriteFrame.h"
#include "CCSpriteFrameCache.h"
#include "CCString.h"
#include "GameManager.h"
#include "SpriteFrameHelpers.h"

#include <cmath>
#include <cstdlib>

NS_CC_BEGIN

namespace
{
// A delay so small that subtracting it no longer changes the timer would make the catch-up loop
// spin forever; no real animation needs more frames than this in one tick.
const unsigned int kMaxFramesPerTick = 256;
} // namespace

CCAnimatingSprite::CCAnimatingSprite()
    : m_pFrameNames(NULL)
    , m_uCurrentFrame(0)
    , m_fTimer(0.0f)
    , m_fDelay(0.1f)
    , m_pFrames(NULL)
    , m_bIgnorePause(false)
    , m_bBounce(false)
    , m_bUserFlag(false)
    , m_bNoLoop(false)
    , m_bWildcardIsPrefix(false)
    , m_pSubscribedTo(NULL)
{
}

CCAnimatingSprite::~CCAnimatingSprite()
{
    unsubscribe();
    CC_SAFE_RELEASE(m_pFrameNames);
    CC_SAFE_RELEASE(m_pFrames);
}

CCAnimatingSprite* CCAnimatingSprite::create()
{
    CCAnimatingSprite* sprite = new CCAnimatingSprite();
    if (sprite->init())
    {
        sprite->autorelease();
        return sprite;
    }
    delete sprite;
    return NULL;
}

CCAnimatingSprite* CCAnimatingSprite::animatingSpriteWithFile(const char* file)
{
    CCAnimatingSprite* sprite = new CCAnimatingSprite();
    if (sprite->CCSprite::initWithFile(file))
    {
        sprite->autorelease();
        return sprite;
    }
    delete sprite;
    return NULL;
}

bool CCAnimatingSprite::init()
{
    if (!CCSprite::init())
    {
        return false;
    }
    subscribe();
    return true;
}

void CCAnimatingSprite::subscribe()
{
    unsubscribe();
    GameManager* manager = GameManager::getInstance();
    if (manager == NULL)
    {
        return;  // nothing drives frames yet; the owner may still call tick
    }
    if (m_bIgnorePause)
    {
        manager->getUpdateSignal().connect(this, &CCAnimatingSprite::tick);
    }
    else
    {
        manager->getGameUpdateSignal().connect(this, &CCAnimatingSprite::tick);
    }
    m_pSubscribedTo = manager;
}

void CCAnimatingSprite::unsubscribe()
{
    // Only the manager we joined, and only while it is still the live one.
    if (m_pSubscribedTo != NULL && m_pSubscribedTo == GameManager::getInstance())
    {
        m_pSubscribedTo->getUpdateSignal().disconnect(this, &CCAnimatingSprite::tick);
        m_pSubscribedTo->getGameUpdateSignal().disconnect(this, &CCAnimatingSprite::tick);
    }
    m_pSubscribedTo = NULL;
}

void CCAnimatingSprite::setIgnorePause(bool ignorePause)
{
    if (ignorePause == m_bIgnorePause)
    {
        return;
    }
    unsubscribe();
    m_bIgnorePause = ignorePause;
    subscribe();
}

void CCAnimatingSprite::setFrames(CCArray* frames)
{
    if (frames == m_pFrames)
    {
        return;
    }
    CC_SAFE_RETAIN(frames);
    CC_SAFE_RELEASE(m_pFrames);
    m_pFrames = frames;
}

void CCAnimatingSprite::setWildcard(const std::string& wildcard)
{
    m_wildcard = wildcard;
    if (!m_file.empty())
    {
        playFile(m_file.c_str());
    }
}

bool CCAnimatingSprite::matchesWildcard(const std::string& name) const
{
    if (m_wildcard.empty())
    {
        return true;
    }
    if (m_bWildcardIsPrefix)
    {
        return name.compare(0, m_wildcard.size(), m_wildcard) == 0;
    }
    return name.find(m_wildcard) != std::string::npos;
}

bool CCAnimatingSprite::playFile(const char* file)
{
    if (file == NULL)
    {
        return false;
    }
    // The name list is reloaded whenever it is not the list of this file (setFile only names it).
    m_file = file;
    if (m_pFrameNames == NULL || m_frameNamesFile != m_file)
    {
        CC_SAFE_RELEASE_NULL(m_pFrameNames);
        m_frameNamesFile = m_file;
        m_pFrameNames = getSortedSpriteFrameNames(file);
        CC_SAFE_RETAIN(m_pFrameNames);
    }

    CCArray* frames = CCArray::create();
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    for (unsigned int i = 0; m_pFrameNames != NULL && i < m_pFrameNames->count(); ++i)
    {
        CCString* name = dynamic_cast<CCString*>(m_pFrameNames->objectAtIndex(i));
        if (name == NULL)
        {
            break;
        }
        if (!matchesWildcard(name->m_sString))
        {
            continue;
        }
        CCSpriteFrame* frame = cache->spriteFrameByName(name->getCString());
        if (frame != NULL)
        {
            frames->addObject(frame);
        }
    }
    if (frames->count() == 0)
    {
        return false;
    }

    unsigned int start = (unsigned int)(rand() & 0x7FFF) % frames->count();
    setDisplayFrame(static_cast<CCSpriteFrame*>(frames->objectAtIndex(start)));
    setFrames(frames);
    m_uCurrentFrame = start;
    m_fTimer = 0.0f;
    return true;
}

void CCAnimatingSprite::tick(float dt)
{
    if (m_pFrames == NULL || m_pFrames->count() == 0 || !(m_fDelay > 0.0f))
    {
        return;
    }
    const unsigned int count = m_pFrames->count();

    m_fTimer += dt;
    unsigned int advanced = 0;
    while (m_fTimer > m_fDelay)
    {
        if (++advanced > kMaxFramesPerTick)
        {
            m_fTimer = std::fmod(m_fTimer, m_fDelay);
            break;
        }
        m_fTimer -= m_fDelay;
        if (!(m_bNoLoop && m_uCurrentFrame == count - 1))
        {
            ++m_uCurrentFrame;
        }
    }

    unsigned int index = 0;
    if (m_bBounce && count > 1)
    {
        const unsigned int cycle = 2 * count - 2;
        m_uCurrentFrame %= cycle;
        index = (unsigned int)std::abs((int)(count - 1) - (int)m_uCurrentFrame);
    }
    else
    {
        m_uCurrentFrame %= count;
        index = m_uCurrentFrame;
    }
    setDisplayFrame(static_cast<CCSpriteFrame*>(m_pFrames->objectAtIndex(index)));
}

void CCAnimatingSprite::restart()
{
    m_uCurrentFrame = 0;
    m_fTimer = 0.0f;
    if (m_pFrames != NULL && m_pFrames->count() > 0)
    {
        setDisplayFrame(static_cast<CCSpriteFrame*>(m_pFrames->objectAtIndex(0)));
    }
}

NS_CC_END
