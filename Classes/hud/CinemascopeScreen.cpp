#include "CinemascopeScreen.h"

NS_CC_BEGIN

CinemascopeScreen::CinemascopeScreen() : m_pTopBar(NULL) {}

bool CinemascopeScreen::init()
{
    registerMemberVariable("topBar", &m_pTopBar);
    if (!initWithCCBFile("hud-cinemascope"))
    {
        return false;
    }
    setVisible(false);
    return true;
}

void CinemascopeScreen::hide()
{
    stopAllActions();
    onClosed();
    if (m_pTopBar)
    {
        m_pTopBar->setScaleY(0.0f);
    }
}

NS_CC_END
