#ifndef __CC_LABEL_TTF_LOADER_H__
#define __CC_LABEL_TTF_LOADER_H__

#include "CCNodeLoader.h"
#include "labels/CCLabelTTF.h"

NS_CC_EXT_BEGIN

/** "CCLabelTTF": fontName, fontSize, dimensions, alignments, string, color, opacity, blendFunc. */
class CCLabelTTFLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCLabelTTFLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(cocos2d::CCLabelTTF);
    virtual void onHandlePropTypeColor3(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                        cocos2d::ccColor3B pCCColor3B, CCBReader* pCCBReader);
    virtual void onHandlePropTypeByte(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      unsigned char pByte, CCBReader* pCCBReader);
    virtual void onHandlePropTypeBlendFunc(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                           cocos2d::ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFontTTF(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                         const char* pFontTTF, CCBReader* pCCBReader);
    virtual void onHandlePropTypeText(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      const char* pText, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFloatScale(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                            float pFloatScale, CCBReader* pCCBReader);
    virtual void onHandlePropTypeIntegerLabeled(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent,
                                                const char* pPropertyName, int pIntegerLabeled, CCBReader* pCCBReader);
    virtual void onHandlePropTypeSize(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      cocos2d::CCSize pSize, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_LABEL_TTF_LOADER_H__
