#include "extensions/controls/CCControlButton.h"

#include "actions/CCActionInterval.h"
#include "base/CCString.h"
#include "extensions/controls/CCScale9Sprite.h"
#include "labels/CCLabelBMFont.h"
#include "labels/CCLabelTTF.h"

#include <algorithm>

USING_NS_CC;

NS_CC_EXT_BEGIN

namespace
{
const int kZoomActionTag = 0xCCCB0001;
} // namespace

CCControlButton::CCControlButton()
: m_bIsPushed(false)
, m_bParentInited(false)
, m_bAdjustBackgroundImage(true)
, m_bZoomOnTouchDown(true)
, m_nMarginH(24)
, m_nMarginV(12)
, m_preferredSize(CCSizeZero)
, m_labelAnchorPoint(ccp(0.5f, 0.5f))
, m_pTitleLabel(NULL)
, m_pBackgroundSprite(NULL)
, m_sTTFName("Helvetica")
, m_fTTFSize(12)
{
}

CCControlButton::~CCControlButton()
{
    for (std::map<CCControlState, CCScale9Sprite*>::iterator it = m_backgrounds.begin(); it != m_backgrounds.end(); ++it)
    {
        it->second->release();
    }
}

CCControlButton* CCControlButton::create()
{
    CCControlButton* pRet = new CCControlButton();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCControlButton* CCControlButton::create(CCNode* label, CCScale9Sprite* backgroundSprite)
{
    CCControlButton* pRet = new CCControlButton();
    if (pRet->initWithLabelAndBackgroundSprite(label, backgroundSprite))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCControlButton* CCControlButton::create(const char* title, const char* fontName, float fontSize)
{
    CCLabelTTF* label = CCLabelTTF::create(title ? title : "", fontName, fontSize);
    return label ? create(label, CCScale9Sprite::create()) : NULL;
}

CCControlButton* CCControlButton::create(CCScale9Sprite* sprite)
{
    CCLabelTTF* label = CCLabelTTF::create("", "Arial", 30);
    return label ? create(label, sprite) : NULL;
}

bool CCControlButton::init()
{
    CCLabelTTF* label = CCLabelTTF::create("", "Helvetica", 12);
    return label && initWithLabelAndBackgroundSprite(label, CCScale9Sprite::create());
}

bool CCControlButton::initWithLabelAndBackgroundSprite(CCNode* label, CCScale9Sprite* backgroundSprite)
{
    if (!CCControl::init() || !label)
    {
        return false;
    }
    m_bParentInited = true;
    m_bIsPushed = false;
    m_bZoomOnTouchDown = true;
    m_bAdjustBackgroundImage = true;
    ignoreAnchorPointForPosition(false);
    setAnchorPoint(ccp(0.5f, 0.5f));
    replaceTitleLabel(label);

    CCLabelProtocol* text = dynamic_cast<CCLabelProtocol*>(label);
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(label);
    m_titles[CCControlStateNormal] = text ? text->getString() : "";
    m_titleColors[CCControlStateNormal] = rgba ? rgba->getColor() : ccWHITE;
    if (backgroundSprite)
    {
        setBackgroundSpriteForState(backgroundSprite, CCControlStateNormal);
    }
    needsLayout();
    return true;
}

void CCControlButton::replaceTitleLabel(CCNode* label)
{
    if (label == m_pTitleLabel)
    {
        return;
    }
    if (m_pTitleLabel)
    {
        removeChild(m_pTitleLabel, true);
    }
    m_pTitleLabel = label;
    if (label)
    {
        addChild(label, 1);
    }
}

// Per-state looks

CCString* CCControlButton::getTitleForState(CCControlState state)
{
    std::map<CCControlState, std::string>::iterator it = m_titles.find(state);
    if (it == m_titles.end())
    {
        it = m_titles.find(CCControlStateNormal);
    }
    return CCString::create(it == m_titles.end() ? "" : it->second);
}

void CCControlButton::setTitleForState(CCString* title, CCControlState state)
{
    m_titles[state] = title ? title->getCString() : "";
    if (getState() == state)
    {
        needsLayout();
    }
}

const ccColor3B CCControlButton::getTitleColorForState(CCControlState state)
{
    std::map<CCControlState, ccColor3B>::iterator it = m_titleColors.find(state);
    if (it == m_titleColors.end())
    {
        it = m_titleColors.find(CCControlStateNormal);
    }
    return it == m_titleColors.end() ? ccWHITE : it->second;
}

void CCControlButton::setTitleColorForState(ccColor3B color, CCControlState state)
{
    m_titleColors[state] = color;
    if (getState() == state)
    {
        needsLayout();
    }
}

void CCControlButton::setTitleTTFForState(const char* fontName, CCControlState state)
{
    CC_UNUSED_PARAM(state);
    m_sTTFName = fontName ? fontName : "";
    CCLabelTTF* ttf = dynamic_cast<CCLabelTTF*>(m_pTitleLabel);
    if (ttf)
    {
        ttf->setFontName(m_sTTFName.c_str());
    }
    else
    {
        replaceTitleLabel(CCLabelTTF::create(getTitleForState(getState())->getCString(), m_sTTFName.c_str(), m_fTTFSize));
    }
    needsLayout();
}

void CCControlButton::setTitleTTFSizeForState(float size, CCControlState state)
{
    CC_UNUSED_PARAM(state);
    m_fTTFSize = size;
    CCLabelTTF* ttf = dynamic_cast<CCLabelTTF*>(m_pTitleLabel);
    if (ttf)
    {
        ttf->setFontSize(size);
        needsLayout();
    }
}

void CCControlButton::setTitleBMFontForState(const char* fntFile, CCControlState state)
{
    CC_UNUSED_PARAM(state);
    CCLabelBMFont* bm = dynamic_cast<CCLabelBMFont*>(m_pTitleLabel);
    if (bm)
    {
        bm->setFntFile(fntFile);
    }
    else
    {
        CCLabelBMFont* label = CCLabelBMFont::create(getTitleForState(getState())->getCString(), fntFile);
        if (label)
        {
            replaceTitleLabel(label);
        }
    }
    needsLayout();
}

CCScale9Sprite* CCControlButton::getBackgroundSpriteForState(CCControlState state)
{
    std::map<CCControlState, CCScale9Sprite*>::iterator it = m_backgrounds.find(state);
    if (it == m_backgrounds.end())
    {
        it = m_backgrounds.find(CCControlStateNormal);
    }
    return it == m_backgrounds.end() ? NULL : it->second;
}

void CCControlButton::setBackgroundSpriteForState(CCScale9Sprite* sprite, CCControlState state)
{
    std::map<CCControlState, CCScale9Sprite*>::iterator it = m_backgrounds.find(state);
    if (it != m_backgrounds.end())
    {
        if (it->second == sprite)
        {
            return;
        }
        if (it->second == m_pBackgroundSprite)
        {
            m_pBackgroundSprite = NULL;
        }
        removeChild(it->second, true);
        it->second->release();
        m_backgrounds.erase(it);
    }
    if (sprite)
    {
        sprite->retain();
        m_backgrounds[state] = sprite;
        sprite->setVisible(false);
        sprite->setAnchorPoint(ccp(0.5f, 0.5f));
        addChild(sprite, 0);
        if (m_preferredSize.width > 0 && m_preferredSize.height > 0)
        {
            sprite->setPreferredSize(m_preferredSize);
        }
    }
    needsLayout();
}

void CCControlButton::setBackgroundSpriteFrameForState(CCSpriteFrame* spriteFrame, CCControlState state)
{
    CCScale9Sprite* sprite = CCScale9Sprite::createWithSpriteFrame(spriteFrame);
    if (sprite)
    {
        setBackgroundSpriteForState(sprite, state);
    }
}

// Layout

void CCControlButton::setAdjustBackgroundImage(bool adjust)
{
    m_bAdjustBackgroundImage = adjust;
    needsLayout();
}

void CCControlButton::setPreferredSize(CCSize size)
{
    if (size.width <= 0 && size.height <= 0)
    {
        m_bAdjustBackgroundImage = true;
    }
    else
    {
        m_bAdjustBackgroundImage = false;
        for (std::map<CCControlState, CCScale9Sprite*>::iterator it = m_backgrounds.begin(); it != m_backgrounds.end(); ++it)
        {
            it->second->setPreferredSize(size);
        }
    }
    m_preferredSize = size;
    needsLayout();
}

void CCControlButton::setLabelAnchorPoint(CCPoint point)
{
    m_labelAnchorPoint = point;
    needsLayout();
}

void CCControlButton::setMargins(int marginH, int marginV)
{
    m_nMarginH = marginH;
    m_nMarginV = marginV;
    needsLayout();
}

void CCControlButton::needsLayout()
{
    if (!m_bParentInited || !m_pTitleLabel)
    {
        return;
    }
    const CCControlState state = getState();
    CCLabelProtocol* text = dynamic_cast<CCLabelProtocol*>(m_pTitleLabel);
    if (text)
    {
        text->setString(getTitleForState(state)->getCString());
    }
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTitleLabel);
    if (rgba)
    {
        rgba->setColor(getTitleColorForState(state));
    }

    CCScale9Sprite* background = getBackgroundSpriteForState(state);
    for (std::map<CCControlState, CCScale9Sprite*>::iterator it = m_backgrounds.begin(); it != m_backgrounds.end(); ++it)
    {
        it->second->setVisible(it->second == background);
    }
    m_pBackgroundSprite = background;

    const CCSize labelSize(m_pTitleLabel->getContentSize().width * fabsf(m_pTitleLabel->getScaleX()),
                           m_pTitleLabel->getContentSize().height * fabsf(m_pTitleLabel->getScaleY()));
    CCSize backgroundSize = CCSizeZero;
    if (background)
    {
        if (m_bAdjustBackgroundImage)
        {
            background->setContentSize(CCSizeMake(labelSize.width + m_nMarginH * 2, labelSize.height + m_nMarginV * 2));
        }
        else if (m_preferredSize.width > 0 && m_preferredSize.height > 0)
        {
            background->setContentSize(m_preferredSize);
        }
        backgroundSize = background->getContentSize();
    }
    const CCSize size(std::max(labelSize.width, backgroundSize.width), std::max(labelSize.height, backgroundSize.height));
    setContentSize(size);
    m_pTitleLabel->setAnchorPoint(m_labelAnchorPoint);
    m_pTitleLabel->setPosition(ccp(size.width / 2, size.height / 2));
    if (background)
    {
        background->setPosition(ccp(size.width / 2, size.height / 2));
    }
}

void CCControlButton::setHighlighted(bool enabled)
{
    CCControl::setHighlighted(enabled);
    CCAction* running = getActionByTag(kZoomActionTag);
    if (running)
    {
        stopAction(running);
    }
    if (m_bZoomOnTouchDown)
    {
        CCAction* zoom = CCScaleTo::create(0.05f, enabled && m_bIsPushed ? 1.1f : 1.0f);
        zoom->setTag(kZoomActionTag);
        runAction(zoom);
    }
}

void CCControlButton::setOpacity(GLubyte opacity)
{
    CCControl::setOpacity(opacity);
    for (std::map<CCControlState, CCScale9Sprite*>::iterator it = m_backgrounds.begin(); it != m_backgrounds.end(); ++it)
    {
        it->second->setOpacity(opacity);
    }
}

void CCControlButton::setColor(const ccColor3B& color)
{
    CCControl::setColor(color);
    for (std::map<CCControlState, CCScale9Sprite*>::iterator it = m_backgrounds.begin(); it != m_backgrounds.end(); ++it)
    {
        it->second->setColor(color);
    }
}

// Touch

bool CCControlButton::ccTouchBegan(CCTouch* pTouch, CCEvent* pEvent)
{
    CC_UNUSED_PARAM(pEvent);
    if (!isTouchInside(pTouch) || !isEnabled() || !isVisible() || !hasVisibleParents())
    {
        return false;
    }
    m_bIsPushed = true;
    setHighlighted(true);
    sendActionsForControlEvents(CCControlEventTouchDown);
    return true;
}

void CCControlButton::ccTouchMoved(CCTouch* pTouch, CCEvent* pEvent)
{
    CC_UNUSED_PARAM(pEvent);
    if (!isEnabled() || !m_bIsPushed || isSelected())
    {
        if (isHighlighted())
        {
            setHighlighted(false);
        }
        return;
    }
    const bool inside = isTouchInside(pTouch);
    if (inside && !isHighlighted())
    {
        setHighlighted(true);
        sendActionsForControlEvents(CCControlEventTouchDragEnter);
    }
    else if (inside)
    {
        sendActionsForControlEvents(CCControlEventTouchDragInside);
    }
    else if (isHighlighted())
    {
        setHighlighted(false);
        sendActionsForControlEvents(CCControlEventTouchDragExit);
    }
    else
    {
        sendActionsForControlEvents(CCControlEventTouchDragOutside);
    }
}

void CCControlButton::ccTouchEnded(CCTouch* pTouch, CCEvent* pEvent)
{
    CC_UNUSED_PARAM(pEvent);
    m_bIsPushed = false;
    setHighlighted(false);
    sendActionsForControlEvents(isTouchInside(pTouch) ? CCControlEventTouchUpInside : CCControlEventTouchUpOutside);
}

void CCControlButton::ccTouchCancelled(CCTouch* pTouch, CCEvent* pEvent)
{
    CC_UNUSED_PARAM(pTouch);
    CC_UNUSED_PARAM(pEvent);
    m_bIsPushed = false;
    setHighlighted(false);
    sendActionsForControlEvents(CCControlEventTouchCancel);
}

NS_CC_EXT_END
