#include "ThumbsScreen.h"

#include "CCLabelBMFont.h"
#include "CCSprite.h"
#include "GameManager.h"

NS_CC_BEGIN

ThumbsScreen::ThumbsScreen()
    : m_pLeftThumbNode(NULL), m_pRightThumbNode(NULL), m_pLeftThumbSprite(NULL), m_pRightThumbSprite(NULL),
      m_pLeftThumbLabelBox(NULL), m_pRightThumbLabelBox(NULL), m_pLeftThumbLabel(NULL), m_pRightThumbLabel(NULL),
      m_labelMargin(8.0f, 8.0f)
{
}

ThumbsScreen::~ThumbsScreen()
{
    CC_SAFE_RELEASE(m_pLeftThumbNode);
    CC_SAFE_RELEASE(m_pRightThumbNode);
}

bool ThumbsScreen::init()
{
    registerMemberVariable("leftThumbSprite", &m_pLeftThumbSprite);
    registerMemberVariable("rightThumbSprite", &m_pRightThumbSprite);
    registerMemberVariable("leftThumbLabelBox", &m_pLeftThumbLabelBox);
    registerMemberVariable("rightThumbLabelBox", &m_pRightThumbLabelBox);
    registerMemberVariable("leftThumbLabel", &m_pLeftThumbLabel);
    registerMemberVariable("rightThumbLabel", &m_pRightThumbLabel);
    if (!initWithCCBFile("thumbs"))
    {
        return false;
    }
    m_pLeftThumbNode = m_pRootNode->getChildByTag(0);
    m_pRightThumbNode = m_pRootNode->getChildByTag(1);
    if (!m_pLeftThumbNode || !m_pRightThumbNode)
    {
        CCLog("ThumbsScreen::init - the layout needs its two sides (tags 0 and 1)");
        m_pLeftThumbNode = m_pRightThumbNode = NULL;
        return false;
    }
    m_pLeftThumbNode->retain();
    m_pRightThumbNode->retain();
    setSlideDuration(0.25f);
    m_pLeftThumbNode->setVisible(false);
    m_pRightThumbNode->setVisible(false);
    applyControlLayout();
    m_labelMargin = CCSize(8.0f, 8.0f);
    return true;
}

void ThumbsScreen::applyControlLayout()
{
    GameManager* game = GameManager::getInstance();
    if (game && game->isUsingTouchControls())
    {
        return;
    }
    if (m_pLeftThumbSprite)
    {
        m_pLeftThumbSprite->setVisible(false);
    }
    if (m_pRightThumbSprite)
    {
        m_pRightThumbSprite->setVisible(false);
    }
    if (m_pLeftThumbLabel)
    {
        m_pLeftThumbLabel->setAnchorPoint(ccp(0.0f, 0.0f));
        m_pLeftThumbLabel->setPosition(ccp(0.0f, 0.0f));
    }
    if (m_pRightThumbLabel)
    {
        m_pRightThumbLabel->setAnchorPoint(ccp(1.0f, 0.0f));
        m_pRightThumbLabel->setPosition(ccp(m_pRightThumbNode->getContentSize().width, 0.0f));
    }
}

void ThumbsScreen::fitLabelBox(CCNode* box, CCNode* label, const CCSize& margin)
{
    if (!box || !label)
    {
        return;
    }
    CCRect bounds = label->boundingBox();
    box->setContentSize(CCSize(bounds.size.width + margin.width, bounds.size.height + margin.height));
    box->setPosition(ccp(bounds.origin.x - margin.width * 0.5f, bounds.origin.y - margin.height * 0.5f));
    box->setAnchorPoint(ccp(0.0f, 0.0f));
}

void ThumbsScreen::showLeftThumb(const char* text)
{
    setVisible(true);
    if (m_pLeftThumbLabel)
    {
        m_pLeftThumbLabel->setString(text ? text : "");
    }
    applyControlLayout();
    fitLabelBox(m_pLeftThumbLabelBox, m_pLeftThumbLabel, m_labelMargin);
    if (!m_pLeftThumbNode->isVisible())
    {
        m_pLeftThumbNode->setVisible(true);
        runTimeline("showLeftThumb", callfunc_selector(ThumbsScreen::onLeftThumbShown), true);
    }
}

void ThumbsScreen::showRightThumb(const char* text)
{
    setVisible(true);
    applyControlLayout();
    if (m_pRightThumbLabel)
    {
        m_pRightThumbLabel->setString(text ? text : "");
    }
    fitLabelBox(m_pRightThumbLabelBox, m_pRightThumbLabel, m_labelMargin);
    if (!m_pRightThumbNode->isVisible())
    {
        m_pRightThumbNode->setVisible(true);
        runTimeline("showRightThumb", callfunc_selector(ThumbsScreen::onRightThumbShown), true);
    }
}

bool ThumbsScreen::hideLeftThumb()
{
    return runTimeline("hideLeftThumb", callfunc_selector(ThumbsScreen::onLeftThumbHidden), false);
}

bool ThumbsScreen::hideRightThumb()
{
    return runTimeline("hideRightThumb", callfunc_selector(ThumbsScreen::onRightThumbHidden), false);
}

void ThumbsScreen::hide()
{
    if (m_pLeftThumbNode)
    {
        m_pLeftThumbNode->setVisible(false);
    }
    if (m_pRightThumbNode)
    {
        m_pRightThumbNode->setVisible(false);
    }
}

void ThumbsScreen::onLeftThumbShown()
{
    m_pRightThumbNode->setVisible(false);
}

void ThumbsScreen::onRightThumbShown()
{
    m_pLeftThumbNode->setVisible(false);
}

void ThumbsScreen::onLeftThumbHidden()
{
    m_pLeftThumbNode->setVisible(false);
    setVisible(m_pRightThumbNode->isVisible());
}

void ThumbsScreen::onRightThumbHidden()
{
    m_pRightThumbNode->setVisible(false);
    setVisible(m_pLeftThumbNode->isVisible());
}

NS_CC_END
