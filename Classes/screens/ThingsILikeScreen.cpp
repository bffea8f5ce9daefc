#include "ThingsILikeScreen.h"

#include "CCApplication.h"
#include "CCLabelBMFont.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "CCSprite.h"
#include "CCSpriteFrameCache.h"
#include "CCString.h"
#include "GameManager.h"
#include "LocaleManager.h"
#include "SetupManager.h"
#include "SystemManager.h"
#include "ThingsILikeItem.h"
#include "ThingsILikeLink.h"

NS_CC_BEGIN

namespace
{
ThingsILikeScreen* s_pSharedThingsILikeScreen = NULL;

const char* const kItemsFile = "things-i-like.plist";
const char* const kItemsFileIOS = "things-i-like-ios.plist";
const char* const kItemsFileAndroid = "things-i-like-android.plist";
const char* const kSpriteSheet = "things-i-like-sprites.plist";

const GLubyte kLinkShown = 255;
const GLubyte kLinkMissing = 128;

/** The text of a key of a card dictionary; "" when missing or not a string. */
const char* stringFor(CCDictionary* dict, const char* key)
{
    CCString* value = dynamic_cast<CCString*>(dict->objectForKey(key));
    return value ? value->getCString() : "";
}

void showLocalized(CCLabelBMFont* label, const char* key)
{
    if (!label || !key || !*key)
    {
        return;
    }
    LocaleManager* locale = LocaleManager::sharedLocaleManager();
    label->setString(locale ? locale->localize(key) : key);
}
} // namespace

ThingsILikeScreen::ThingsILikeScreen()
    : m_pBackground(NULL), m_pTitleLabel(NULL), m_pTaglineLabel(NULL), m_pDescriptionLabel(NULL),
      m_pImageSprite(NULL), m_pOtherTitleLabel(NULL), m_pOtherTaglineLabel(NULL), m_pOtherDescriptionLabel(NULL),
      m_pOtherImageSprite(NULL), m_pLink1Label(NULL), m_pLink2Label(NULL), m_pBackMenuItem(NULL),
      m_pLink1MenuItem(NULL), m_pLink2MenuItem(NULL), m_pItems(NULL), m_nCurrentIndex(0)
{
    s_pSharedThingsILikeScreen = this;
}

ThingsILikeScreen::~ThingsILikeScreen()
{
    if (s_pSharedThingsILikeScreen == this)
    {
        s_pSharedThingsILikeScreen = NULL;
    }
    CC_SAFE_RELEASE(m_pItems);
}

ThingsILikeScreen* ThingsILikeScreen::sharedThingsILikeScreen()
{
    return s_pSharedThingsILikeScreen;
}

bool ThingsILikeScreen::init()
{
    registerMemberVariable("background", &m_pBackground);
    registerMemberVariable("titleLabel", &m_pTitleLabel);
    registerMemberVariable("taglineLabel", &m_pTaglineLabel);
    registerMemberVariable("descriptionLabel", &m_pDescriptionLabel);
    registerMemberVariable("imageSprite", &m_pImageSprite);
    registerMemberVariable("otherTitleLabel", &m_pOtherTitleLabel);
    registerMemberVariable("otherTaglineLabel", &m_pOtherTaglineLabel);
    registerMemberVariable("otherDescriptionLabel", &m_pOtherDescriptionLabel);
    registerMemberVariable("otherImageSprite", &m_pOtherImageSprite);
    registerMemberVariable("link1Label", &m_pLink1Label);
    registerMemberVariable("link2Label", &m_pLink2Label);
    registerMemberVariable("backMenuItem", &m_pBackMenuItem);
    registerMemberVariable("link1MenuItem", &m_pLink1MenuItem);
    registerMemberVariable("link2MenuItem", &m_pLink2MenuItem);
    registerMenuItemSelector("onBack", vornscreen_selector(VornScreen::close));
    registerMenuItemSelector("onNextItem", vornscreen_selector(ThingsILikeScreen::onNextItem));
    registerMenuItemSelector("onPrevItem", vornscreen_selector(ThingsILikeScreen::onPrevItem));
    registerMenuItemSelector("onLink1", vornscreen_selector(ThingsILikeScreen::onLink1));
    registerMenuItemSelector("onLink2", vornscreen_selector(ThingsILikeScreen::onLink2));
    if (!initWithCCBFile("things-i-like") || !loadItems(getItemsFileName()))
    {
        return false;
    }

    // The texts wrap at the card's width.
    if (m_pBackground)
    {
        float width = m_pBackground->getScaleX() * m_pBackground->getContentSize().width;
        CCLabelBMFont* labels[] = { m_pTitleLabel,      m_pTaglineLabel,      m_pDescriptionLabel,
                                    m_pOtherTitleLabel, m_pOtherTaglineLabel, m_pOtherDescriptionLabel };
        for (unsigned int i = 0; i < sizeof(labels) / sizeof(labels[0]); ++i)
        {
            if (labels[i])
            {
                labels[i]->setWidth(width);
            }
        }
    }
    setDefaultMenuItem(m_pLink1MenuItem);
    setVisible(false);
    return true;
}

const char* ThingsILikeScreen::getItemsFileName()
{
    CCApplication* app = CCApplication::sharedApplication();
    if (app && app->isTargetPlatform(kTargetIOS))
    {
        return kItemsFileIOS;
    }
    GameManager* game = GameManager::getInstance();
    SetupManager* setup = game ? game->getSetupManager() : NULL;
    if (setup && setup->isOnlineHandlerEnabled("GooglePlayServices"))
    {
        return kItemsFileAndroid;
    }
    return kItemsFile;
}

bool ThingsILikeScreen::loadItems(const char* fileName)
{
    CCArray* list = CCArray::createWithContentsOfFile(fileName);
    if (!list)
    {
        CCLog("ThingsILikeScreen::loadItems - %s cannot be read", fileName);
        return false;
    }
    CCArray* items = CCArray::create();
    for (unsigned int i = 0; i < list->count(); ++i)
    {
        CCDictionary* dict = dynamic_cast<CCDictionary*>(list->objectAtIndex(i));
        if (!dict)
        {
            CCLog("ThingsILikeScreen::loadItems - %s: entry %u is not a card; skipped", fileName, i);
            continue;
        }
        ThingsILikeItem* item = ThingsILikeItem::create();
        items->addObject(item);
        item->setTitle(stringFor(dict, "Title"));
        item->setTagline(stringFor(dict, "Tagline"));
        item->setDescription(stringFor(dict, "Description"));
        CCArray* links = dynamic_cast<CCArray*>(dict->objectForKey("Links"));
        for (unsigned int j = 0; links && j < links->count(); ++j)
        {
            CCDictionary* link = dynamic_cast<CCDictionary*>(links->objectAtIndex(j));
            if (link)
            {
                item->getLinks()->addObject(ThingsILikeLink::create(stringFor(link, "Label"), stringFor(link, "URL")));
            }
        }
        item->setImageName(stringFor(dict, "Image"));
    }
    if (items->count() == 0)
    {
        CCLog("ThingsILikeScreen::loadItems - %s holds no cards", fileName);
    }
    items->retain();
    CC_SAFE_RELEASE(m_pItems);
    m_pItems = items;
    if (m_nCurrentIndex >= (int)m_pItems->count())
    {
        m_nCurrentIndex = 0;
    }
    return true;
}

void ThingsILikeScreen::loadImages()
{
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    cache->addSpriteFramesWithFile(kSpriteSheet);
    for (unsigned int i = 0; m_pItems && i < m_pItems->count(); ++i)
    {
        ThingsILikeItem* item = static_cast<ThingsILikeItem*>(m_pItems->objectAtIndex(i));
        item->setImageFrame(*item->getImageName() ? cache->spriteFrameByName(item->getImageName()) : NULL);
    }
}

ThingsILikeItem* ThingsILikeScreen::getCurrentItem()
{
    if (!m_pItems || m_nCurrentIndex < 0 || m_nCurrentIndex >= (int)m_pItems->count())
    {
        return NULL;
    }
    return static_cast<ThingsILikeItem*>(m_pItems->objectAtIndex(m_nCurrentIndex));
}

void ThingsILikeScreen::showTexts(ThingsILikeItem* item, CCLabelBMFont* title, CCLabelBMFont* tagline,
                                  CCLabelBMFont* description, CCSprite* image)
{
    if (!item)
    {
        return;
    }
    showLocalized(title, item->getTitle());
    showLocalized(tagline, item->getTagline());
    showLocalized(description, item->getDescription());
    if (image && item->getImageFrame())
    {
        image->setDisplayFrame(item->getImageFrame());
    }
}

void ThingsILikeScreen::showLink(ThingsILikeItem* item, unsigned int index, CCLabelBMFont* label, CCMenuItem* menuItem)
{
    ThingsILikeLink* link = item ? item->getLink(index) : NULL;
    if (label)
    {
        label->setOpacity(link ? kLinkShown : kLinkMissing);
        if (link)
        {
            // Captions are shown as written: they name things, they are not translated.
            label->setString(link->getLabel());
        }
    }
    if (menuItem)
    {
        menuItem->setEnabled(link != NULL);
    }
}

void ThingsILikeScreen::showItem()
{
    ThingsILikeItem* item = getCurrentItem();
    showTexts(item, m_pTitleLabel, m_pTaglineLabel, m_pDescriptionLabel, m_pImageSprite);
    showLink(item, 0, m_pLink1Label, m_pLink1MenuItem);
    showLink(item, 1, m_pLink2Label, m_pLink2MenuItem);
}

void ThingsILikeScreen::showItemOnOtherCard(unsigned int index)
{
    if (!m_pItems || index >= m_pItems->count())
    {
        return;
    }
    ThingsILikeItem* item = static_cast<ThingsILikeItem*>(m_pItems->objectAtIndex(index));
    showTexts(item, m_pOtherTitleLabel, m_pOtherTaglineLabel, m_pOtherDescriptionLabel, m_pOtherImageSprite);
}

void ThingsILikeScreen::open()
{
    loadImages();
    showItem();
    VornScreen::open();
    // The page takes the keys as it appears: the panel beneath must not get them meanwhile.
    if (m_pBackMenuItem && isVisible())
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setFocusMenuItem(m_pBackMenuItem, 0);
    }
}

void ThingsILikeScreen::onOpened()
{
    VornScreen::onOpened();
    if (m_pBackMenuItem)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setFocusMenuItem(m_pBackMenuItem, 0);
    }
}

void ThingsILikeScreen::onNextItem()
{
    // Nothing to move between without cards; one card moves onto itself.
    int count = m_pItems ? (int)m_pItems->count() : 0;
    if (isTimelineRunning() || count == 0)
    {
        return;
    }
    showItemOnOtherCard(m_nCurrentIndex);
    m_nCurrentIndex = (m_nCurrentIndex + 1) % count;
    showItem();
    runTimeline("nextItem", NULL, false);
}

void ThingsILikeScreen::onPrevItem()
{
    int count = m_pItems ? (int)m_pItems->count() : 0;
    if (isTimelineRunning() || count == 0)
    {
        return;
    }
    showItemOnOtherCard(m_nCurrentIndex);
    m_nCurrentIndex = m_nCurrentIndex > 0 ? m_nCurrentIndex - 1 : count - 1;
    showItem();
    runTimeline("prevItem", NULL, false);
}

void ThingsILikeScreen::openLink(unsigned int index)
{
    ThingsILikeItem* item = getCurrentItem();
    ThingsILikeLink* link = item ? item->getLink(index) : NULL;
    if (!link || !*link->getURL())
    {
        return;
    }
    GameManager* game = GameManager::getInstance();
    SystemManager* system = game ? game->getSystemManager() : NULL;
    if (system != NULL && system->openURL(link->getURL()))
    {
        return;
    }
    // No browser took it: the player can still type the address in by hand.
    CCLog("ThingsILikeScreen::openLink - %s could not be opened", link->getURL());
    if (m_pDescriptionLabel)
    {
        LocaleManager* locale = LocaleManager::sharedLocaleManager();
        std::string text = locale ? locale->localize("THINGS_LINK_NOT_OPENED") : "THINGS_LINK_NOT_OPENED";
        m_pDescriptionLabel->setString((text + "\n" + link->getURL()).c_str());
    }
}

void ThingsILikeScreen::onLink1()
{
    openLink(0);
}

void ThingsILikeScreen::onLink2()
{
    openLink(1);
}

NS_CC_END
