#ifndef __CC_LABEL_BMFONT_LOADER_H__
#define __CC_LABEL_BMFONT_LOADER_H__

#include "CCNodeLoader.h"
#include "labels/CCLabelBMFont.h"

NS_CC_EXT_BEGIN

/** "CCLabelBMFont": fntFile, string, color, opacity, blendFunc and alignment. */
class CCLabelBMFontLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCLabelBMFontLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(cocos2d::CCLabelBMFont);
    virtual void onHandlePropTypeColor3(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        cocos2d::ccColor3B pCCColor3B, CCBReader* pCCBReader);
    virtual void onHandlePropTypeByte(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      unsigned char pByte, CCBReader* pCCBReader);
    virtual void onHandlePropTypeBlendFunc(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                           cocos2d::ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFntFile(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                         const char* pFntFile, CCBReader* pCCBReader);
    virtual void onHandlePropTypeText(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      const char* pText, CCBReader* pCCBReader);
    virtual void onHandlePropTypeInteger(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                         int pInteger, CCBReader* pCCBReader);
    virtual void onHandlePropTypeIntegerLabeled(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent,
                                                const char* pPropertyName, int pIntegerLabeled, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_LABEL_BMFONT_LOADER_H__
