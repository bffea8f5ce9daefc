#ifndef __CC_LABEL_BMFONT_LOCALE_LOADER_H__
#define __CC_LABEL_BMFONT_LOCALE_LOADER_H__

#include "CCLabelBMFontLoader.h"
#include "CCLabelBMFontLocale.h"

NS_CC_EXT_BEGIN

/**
 * "CCLabelBMFontLocale" (and "CCLabelBMFont" in the framework's library): the stock label's
 * properties, "stringID" (the text becomes that id's text in the current language), and
 * "lockWidth" / "lockHeight", which lock the label to its size and scale at that point of the
 * layout whenever they are present, checked or not.
 */
class CCLabelBMFontLocaleLoader : public CCLabelBMFontLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCLabelBMFontLocaleLoader, loader);

protected:
    virtual cocos2d::CCLabelBMFontLocale* createCCNode(cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual void onHandlePropTypeString(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        const char* pString, CCBReader* pCCBReader);
    virtual void onHandlePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       bool pCheck, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_LABEL_BMFONT_LOCALE_LOADER_H__
