#include "menus/CCMenuItem.h"

#include "actions/CCActionInterval.h"
#include "base/CCConsole.h"
#include "labels/CCLabelTTF.h"
#include "sprites/CCSprite.h"

#include <string>

NS_CC_BEGIN

namespace
{
const int kZoomActionTag = 0xc0c05002;
const int kNormalTag = 1;
const int kSelectedTag = 2;
const int kDisabledTag = 3;

unsigned int s_fontSize = 32;
std::string s_fontName = "Marker Felt";
} // namespace

// CCMenuItem

CCMenuItem::CCMenuItem()
: m_bSelected(false)
, m_bEnabled(false)
, m_pListener(NULL)
, m_pfnSelector(NULL)
{
}

CCMenuItem::~CCMenuItem()
{
}

CCMenuItem* CCMenuItem::create()
{
    return create(NULL, NULL);
}

CCMenuItem* CCMenuItem::create(CCObject* rec, SEL_MenuHandler selector)
{
    CCMenuItem* pRet = new CCMenuItem();
    if (pRet->initWithTarget(rec, selector))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCMenuItem::initWithTarget(CCObject* rec, SEL_MenuHandler selector)
{
    if (!CCNodeRGBA::init())
    {
        return false;
    }
    setAnchorPoint(ccp(0.5f, 0.5f));
    m_pListener = rec;
    m_pfnSelector = selector;
    m_bEnabled = true;
    m_bSelected = false;
    return true;
}

CCRect CCMenuItem::rect()
{
    return CCRectMake(m_obPosition.x - m_obContentSize.width * m_obAnchorPoint.x,
                      m_obPosition.y - m_obContentSize.height * m_obAnchorPoint.y,
                      m_obContentSize.width, m_obContentSize.height);
}

void CCMenuItem::activate()
{
    if (m_bEnabled && m_pListener && m_pfnSelector)
    {
        CCObject* listener = m_pListener;
        SEL_MenuHandler selector = m_pfnSelector;
        (listener->*selector)(this);
    }
}

void CCMenuItem::selected()
{
    m_bSelected = true;
}

void CCMenuItem::unselected()
{
    m_bSelected = false;
}

bool CCMenuItem::isEnabled()
{
    return m_bEnabled;
}

void CCMenuItem::setEnabled(bool value)
{
    m_bEnabled = value;
}

bool CCMenuItem::isSelected()
{
    return m_bSelected;
}

void CCMenuItem::setTarget(CCObject* rec, SEL_MenuHandler selector)
{
    m_pListener = rec;
    m_pfnSelector = selector;
}

// CCMenuItemLabel

CCMenuItemLabel::CCMenuItemLabel()
: m_tColorBackup(ccWHITE)
, m_tDisabledColor(ccc3(126, 126, 126))
, m_fOriginalScale(1.0f)
, m_pLabel(NULL)
{
}

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label, CCObject* target, SEL_MenuHandler selector)
{
    CCMenuItemLabel* pRet = new CCMenuItemLabel();
    if (pRet->initWithLabel(label, target, selector))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label)
{
    return create(label, NULL, NULL);
}

bool CCMenuItemLabel::initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector)
{
    if (!initWithTarget(target, selector))
    {
        return false;
    }
    m_fOriginalScale = 1.0f;
    m_tColorBackup = ccWHITE;
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    setLabel(label);
    return true;
}

void CCMenuItemLabel::setLabel(CCNode* label)
{
    if (label)
    {
        addChild(label);
        label->setAnchorPoint(ccp(0, 0));
        setContentSize(label->getContentSize());
    }
    if (m_pLabel && m_pLabel != label)
    {
        removeChild(m_pLabel, true);
    }
    m_pLabel = label;
}

void CCMenuItemLabel::setString(const char* text)
{
    CCLabelProtocol* label = dynamic_cast<CCLabelProtocol*>(m_pLabel);
    if (label)
    {
        label->setString(text);
        setContentSize(m_pLabel->getContentSize());
    }
}

void CCMenuItemLabel::activate()
{
    if (m_bEnabled)
    {
        stopActionByTag(kZoomActionTag);
        setScale(m_fOriginalScale);
        CCMenuItem::activate();
    }
}

void CCMenuItemLabel::selected()
{
    if (!m_bEnabled)
    {
        return;
    }
    CCMenuItem::selected();
    CCAction* running = getActionByTag(kZoomActionTag);
    if (running)
    {
        stopAction(running);
    }
    else
    {
        m_fOriginalScale = getScale();
    }
    CCAction* zoom = CCScaleTo::create(0.1f, m_fOriginalScale * 1.2f);
    zoom->setTag(kZoomActionTag);
    runAction(zoom);
}

void CCMenuItemLabel::unselected()
{
    if (!m_bEnabled)
    {
        return;
    }
    CCMenuItem::unselected();
    stopActionByTag(kZoomActionTag);
    CCAction* zoom = CCScaleTo::create(0.1f, m_fOriginalScale);
    zoom->setTag(kZoomActionTag);
    runAction(zoom);
}

void CCMenuItemLabel::setEnabled(bool enabled)
{
    if (m_bEnabled != enabled)
    {
        CCRGBAProtocol* label = dynamic_cast<CCRGBAProtocol*>(m_pLabel);
        if (label)
        {
            if (!enabled)
            {
                m_tColorBackup = label->getColor();
                label->setColor(m_tDisabledColor);
            }
            else
            {
                label->setColor(m_tColorBackup);
            }
        }
    }
    CCMenuItem::setEnabled(enabled);
}

// CCMenuItemFont

void CCMenuItemFont::setFontSize(unsigned int size)
{
    s_fontSize = size;
}

unsigned int CCMenuItemFont::fontSize()
{
    return s_fontSize;
}

void CCMenuItemFont::setFontName(const char* name)
{
    s_fontName = name ? name : "";
}

const char* CCMenuItemFont::fontName()
{
    return s_fontName.c_str();
}

CCMenuItemFont* CCMenuItemFont::create(const char* value)
{
    return create(value, NULL, NULL);
}

CCMenuItemFont* CCMenuItemFont::create(const char* value, CCObject* target, SEL_MenuHandler selector)
{
    CCMenuItemFont* pRet = new CCMenuItemFont();
    if (pRet->initWithString(value, target, selector))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCMenuItemFont::initWithString(const char* value, CCObject* target, SEL_MenuHandler selector)
{
    CCLabelTTF* label = CCLabelTTF::create(value ? value : "", s_fontName.c_str(), (float)s_fontSize);
    return label && initWithLabel(label, target, selector);
}

// CCMenuItemSprite

CCMenuItemSprite::CCMenuItemSprite()
: m_pNormalImage(NULL)
, m_pSelectedImage(NULL)
, m_pDisabledImage(NULL)
{
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite)
{
    return create(normalSprite, selectedSprite, disabledSprite, NULL, NULL);
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normalSprite, CCNode* selectedSprite, CCObject* target,
                                           SEL_MenuHandler selector)
{
    return create(normalSprite, selectedSprite, NULL, target, selector);
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite,
                                           CCObject* target, SEL_MenuHandler selector)
{
    CCMenuItemSprite* pRet = new CCMenuItemSprite();
    if (pRet->initWithNormalSprite(normalSprite, selectedSprite, disabledSprite, target, selector))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCMenuItemSprite::initWithNormalSprite(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite,
                                            CCObject* target, SEL_MenuHandler selector)
{
    if (!initWithTarget(target, selector))
    {
        return false;
    }
    setNormalImage(normalSprite);
    setSelectedImage(selectedSprite);
    setDisabledImage(disabledSprite);
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    return true;
}

void CCMenuItemSprite::replaceImage(CCNode*& slot, CCNode* image, int tag)
{
    if (image == slot)
    {
        return;
    }
    if (image)
    {
        addChild(image, 0, tag);
        image->setAnchorPoint(ccp(0, 0));
    }
    if (slot)
    {
        removeChild(slot, true);
    }
    slot = image;
    updateImagesVisibility();
}

void CCMenuItemSprite::setNormalImage(CCNode* image)
{
    replaceImage(m_pNormalImage, image, kNormalTag);
    if (m_pNormalImage)
    {
        setContentSize(m_pNormalImage->getContentSize());
    }
}

void CCMenuItemSprite::setSelectedImage(CCNode* image)
{
    replaceImage(m_pSelectedImage, image, kSelectedTag);
}

void CCMenuItemSprite::setDisabledImage(CCNode* image)
{
    replaceImage(m_pDisabledImage, image, kDisabledTag);
}

void CCMenuItemSprite::selected()
{
    CCMenuItem::selected();
    updateImagesVisibility();
}

void CCMenuItemSprite::unselected()
{
    CCMenuItem::unselected();
    updateImagesVisibility();
}

void CCMenuItemSprite::setEnabled(bool enabled)
{
    CCMenuItem::setEnabled(enabled);
    updateImagesVisibility();
}

void CCMenuItemSprite::updateImagesVisibility()
{
    CCNode* shown = m_pNormalImage;
    if (!m_bEnabled)
    {
        shown = m_pDisabledImage ? m_pDisabledImage : m_pNormalImage;
    }
    else if (m_bSelected && m_pSelectedImage)
    {
        shown = m_pSelectedImage;
    }
    CCNode* images[] = { m_pNormalImage, m_pSelectedImage, m_pDisabledImage };
    for (CCNode* image : images)
    {
        if (image)
        {
            image->setVisible(image == shown);
        }
    }
}

// CCMenuItemImage

CCMenuItemImage* CCMenuItemImage::create()
{
    CCMenuItemImage* pRet = new CCMenuItemImage();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage)
{
    return create(normalImage, selectedImage, NULL, NULL, NULL);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage, const char* disabledImage)
{
    return create(normalImage, selectedImage, disabledImage, NULL, NULL);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage, CCObject* target,
                                         SEL_MenuHandler selector)
{
    return create(normalImage, selectedImage, NULL, target, selector);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage,
                                         const char* disabledImage, CCObject* target, SEL_MenuHandler selector)
{
    CCMenuItemImage* pRet = new CCMenuItemImage();
    if (pRet->initWithNormalImage(normalImage, selectedImage, disabledImage, target, selector))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCMenuItemImage::init()
{
    return initWithNormalSprite(NULL, NULL, NULL, NULL, NULL);
}

bool CCMenuItemImage::initWithNormalImage(const char* normalImage, const char* selectedImage,
                                          const char* disabledImage, CCObject* target, SEL_MenuHandler selector)
{
    CCNode* normal = normalImage ? CCSprite::create(normalImage) : NULL;
    if (!normal)
    {
        CCLog("ERROR: CCMenuItemImage - can't load the normal image '%s'", normalImage ? normalImage : "(null)");
        return false;
    }
    CCNode* selected = selectedImage ? CCSprite::create(selectedImage) : NULL;
    CCNode* disabled = disabledImage ? CCSprite::create(disabledImage) : NULL;
    return initWithNormalSprite(normal, selected, disabled, target, selector);
}

void CCMenuItemImage::setNormalSpriteFrame(CCSpriteFrame* frame)
{
    setNormalImage(frame ? CCSprite::createWithSpriteFrame(frame) : NULL);
}

void CCMenuItemImage::setSelectedSpriteFrame(CCSpriteFrame* frame)
{
    setSelectedImage(frame ? CCSprite::createWithSpriteFrame(frame) : NULL);
}

void CCMenuItemImage::setDisabledSpriteFrame(CCSpriteFrame* frame)
{
    setDisabledImage(frame ? CCSprite::createWithSpriteFrame(frame) : NULL);
}

NS_CC_END
