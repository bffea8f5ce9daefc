#include "ComboCounterScreen.h"

#include "CCActionInstant.h"
#include "CCLabelBMFont.h"
#include "CCParticleSystem.h"
#include "LocaleManager.h"

#include <cstdio>

NS_CC_BEGIN

ComboCounterScreen::ComboCounterScreen() : m_pSlideNode(NULL), m_pComboLabel(NULL), m_pParticleEffect(NULL) {}

ComboCounterScreen::~ComboCounterScreen()
{
    CC_SAFE_RELEASE(m_pSlideNode);
}

bool ComboCounterScreen::init()
{
    registerMemberVariable("comboLabel", &m_pComboLabel);
    registerMemberVariable("particleEffect", &m_pParticleEffect);
    if (!initWithCCBFile("combo-counter"))
    {
        return false;
    }
    m_pSlideNode = m_pRootNode->getChildByTag(0);
    if (!m_pSlideNode)
    {
        CCLog("ComboCounterScreen::init - the layout has no slide node (tag 0)");
        return false;
    }
    m_pSlideNode->retain();
    computeSlidePositions(m_pSlideNode, m_points, true, true);
    setSlideDuration(0.25f);
    setVisible(false);
    return true;
}

void ComboCounterScreen::showCount(int count)
{
    if (count <= 1)
    {
        return;
    }
    if (m_pComboLabel)
    {
        LocaleManager* locale = LocaleManager::sharedLocaleManager();
        const char* word = locale ? locale->localize("HUD_COMBO") : "HUD_COMBO";
        char text[256];
        // The word is data: it goes in as an argument, never as the format.
        snprintf(text, sizeof(text), "%s x%d", word, count);
        m_pComboLabel->setString(text);
        if (m_pParticleEffect)
        {
            CCRect box = m_pComboLabel->boundingBox();
            CCPoint variance = m_pParticleEffect->getPosVar();
            m_pParticleEffect->setPosVar(ccp(box.size.width * 0.5f, variance.y));
            m_pParticleEffect->setPositionX(box.getMidX());
        }
    }
    open();
}

void ComboCounterScreen::open()
{
    if (isVisible() && !m_bClosing)
    {
        return;
    }
    CCPoint from = m_points[0];
    if (isVisible())
    {
        // A new combo while the counter leaves: turn back from where it is.
        m_pSlideNode->stopAllActions();
        from = m_pSlideNode->getPosition();
        m_bClosing = false;
    }
    setVisible(true);
    slideNode(m_pSlideNode, from, m_points[1], CCCallFunc::create(this, callfunc_selector(ComboCounterScreen::onOpened)));
}

void ComboCounterScreen::close()
{
    if (!isVisible() || m_bClosing)
    {
        return;
    }
    m_pSlideNode->stopAllActions();
    slideNode(m_pSlideNode, m_pSlideNode->getPosition(), m_points[2],
              CCCallFunc::create(this, callfunc_selector(ComboCounterScreen::onClosed)));
    m_bClosing = true;
}

NS_CC_END
