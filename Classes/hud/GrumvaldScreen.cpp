#include "GrumvaldScreen.h"

#include "CCActionInstant.h"
#include "SFXManager.h"

NS_CC_BEGIN

const char* const GrumvaldScreen::kSound = "sfx/grumvald.mp3";

GrumvaldScreen::GrumvaldScreen() : m_pFirstHalf(NULL), m_pSecondHalf(NULL) {}

GrumvaldScreen::~GrumvaldScreen()
{
    CC_SAFE_RELEASE(m_pFirstHalf);
    CC_SAFE_RELEASE(m_pSecondHalf);
}

bool GrumvaldScreen::init()
{
    if (!initWithCCBFile("grumvald"))
    {
        return false;
    }
    m_pFirstHalf = m_pRootNode->getChildByTag(0);
    m_pSecondHalf = m_pRootNode->getChildByTag(1);
    if (!m_pFirstHalf || !m_pSecondHalf)
    {
        CCLog("GrumvaldScreen::init - the layout needs its two halves (tags 0 and 1)");
        m_pFirstHalf = m_pSecondHalf = NULL;
        return false;
    }
    m_pFirstHalf->retain();
    m_pSecondHalf->retain();
    computeSlidePositions(m_pFirstHalf, m_firstPoints, true, false);
    computeSlidePositions(m_pSecondHalf, m_secondPoints, false, false);
    setSlideDuration(0.25f);
    if (SFXManager* sfx = SFXManager::sharedSFXManager())
    {
        sfx->preloadSFX(kSound);
    }
    setVisible(false);
    return true;
}

void GrumvaldScreen::open()
{
    if (isVisible())
    {
        return;
    }
    setVisible(true);
    slideNode(m_pFirstHalf, m_firstPoints[0], m_firstPoints[1],
              CCCallFunc::create(this, callfunc_selector(GrumvaldScreen::onOpened)));
    slideNode(m_pSecondHalf, m_secondPoints[0], m_secondPoints[1], NULL);
    if (SFXManager* sfx = SFXManager::sharedSFXManager())
    {
        sfx->playSFX(kSound);
    }
}

void GrumvaldScreen::close()
{
    if (!isVisible() || m_bClosing)
    {
        return;
    }
    // Whatever is still sliding in gives way to the way out.
    m_pFirstHalf->stopAllActions();
    m_pSecondHalf->stopAllActions();
    slideNode(m_pFirstHalf, m_firstPoints[1], m_firstPoints[2],
              CCCallFunc::create(this, callfunc_selector(GrumvaldScreen::onClosed)));
    slideNode(m_pSecondHalf, m_secondPoints[1], m_secondPoints[2], NULL);
    m_bClosing = true;
}

NS_CC_END
