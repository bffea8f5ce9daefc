#include "CCLabelBMFontLocaleLoader.h"

#include "LocaleManager.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

CCLabelBMFontLocale* CCLabelBMFontLocaleLoader::createCCNode(CCNode*, CCBReader*)
{
    return CCLabelBMFontLocale::create();
}

void CCLabelBMFontLocaleLoader::onHandlePropTypeString(CCNode* pNode, CCNode*, const char* pPropertyName,
                                                       const char* pString, CCBReader*)
{
    if (std::strcmp(pPropertyName, "stringID") != 0)
    {
        logUnexpectedProperty(pPropertyName);
        return;
    }
    LocaleManager* locale = LocaleManager::sharedLocaleManager();
    if (locale == NULL)
    {
        CCLog("CCLabelBMFontLocaleLoader - no locale manager for '%s'", pString);
    }
    static_cast<CCLabelBMFontLocale*>(pNode)->setString(locale ? locale->localize(pString) : pString);
}

void CCLabelBMFontLocaleLoader::onHandlePropTypeCheck(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                                      bool pCheck, CCBReader* pCCBReader)
{
    CCLabelBMFontLocale* label = static_cast<CCLabelBMFontLocale*>(pNode);
    // Present means locked: layouts rely on it whatever the box says.
    if (std::strcmp(pPropertyName, "lockWidth") == 0)
    {
        label->setWidth(label->getContentSize().width * label->getScaleX());
    }
    else if (std::strcmp(pPropertyName, "lockHeight") == 0)
    {
        label->setLockHeight(label->getContentSize().height * label->getScaleY());
    }
    else
    {
        CCLabelBMFontLoader::onHandlePropTypeCheck(pNode, pParent, pPropertyName, pCheck, pCCBReader);
    }
}

NS_CC_EXT_END
