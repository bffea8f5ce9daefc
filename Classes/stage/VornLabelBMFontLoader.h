#ifndef __VORN_LABEL_BMFONT_LOADER_H__
#define __VORN_LABEL_BMFONT_LOADER_H__

#include "CCLabelBMFontLocaleLoader.h"

NS_CC_EXT_BEGIN

/** "CCLabelBMFont" as a localised label whose font texture is drawn without smoothing. */
class VornLabelBMFontLoader : public CCLabelBMFontLocaleLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(VornLabelBMFontLoader, loader);

protected:
    virtual void onPropertiesParsed(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __VORN_LABEL_BMFONT_LOADER_H__
