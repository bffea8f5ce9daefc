#include "VornResultScreen.h"

#include "CCLabelBMFont.h"
#include "CCSprite.h"
#include "RPGWidget.h"
#include "VornActorDesc.h"

NS_CC_BEGIN

VornResultScreen::VornResultScreen()
    : m_pScoreLabel(NULL), m_pHighScoreLabel(NULL), m_pCharacterSprite(NULL), m_pRPGWidget(NULL), m_pDesc(NULL)
{
}

VornResultScreen::~VornResultScreen()
{
    CC_SAFE_RELEASE(m_pRPGWidget);
}

bool VornResultScreen::initResultScreen(const char* layout)
{
    m_pRPGWidget = RPGWidget::create(this);
    m_pRPGWidget->retain();
    registerMemberVariable("scoreLabel", &m_pScoreLabel);
    registerMemberVariable("highScoreLabel", &m_pHighScoreLabel);
    registerMemberVariable("characterSprite", &m_pCharacterSprite);
    if (!initWithCCBFile(layout))
    {
        return false;
    }
    if (m_pScoreLabel)
    {
        m_pScoreLabel->setString("0");
    }
    if (m_pHighScoreLabel)
    {
        m_pHighScoreLabel->setString("0");
    }
    setSlideDuration(0.25f);
    setVisible(false);
    return true;
}

void VornResultScreen::showCharacter(VornActorDesc* desc)
{
    m_pDesc = NULL;
    if (m_pCharacterSprite == NULL || desc == NULL)
    {
        return;
    }
    m_pDesc = desc;
    m_pRPGWidget->setRPGStats(desc);
    CCSpriteFrame* frame = desc->getDefaultSpriteFrame();
    if (frame)
    {
        m_pCharacterSprite->setDisplayFrame(frame);
    }
}

bool VornResultScreen::leavesAfterExperience(SEL_CallFunc leave)
{
    // Left before the bar has filled: the levels it makes are offered first, then the screen goes.
    return isVisible() && !m_bClosing && m_pRPGWidget->finishThen(leave);
}

void VornResultScreen::onClosed()
{
    // Whatever closes the screen stops its bar: no level-up screen opens over what follows.
    m_pRPGWidget->stop();
    VornScreen::onClosed();
}

void VornResultScreen::cleanup()
{
    // The widget holds this screen as its callback target.
    if (m_pRPGWidget)
    {
        m_pRPGWidget->setCallbackTarget(NULL);
    }
    VornScreen::cleanup();
}

NS_CC_END
