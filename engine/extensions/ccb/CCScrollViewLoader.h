#ifndef __CC_SCROLL_VIEW_LOADER_H__
#define __CC_SCROLL_VIEW_LOADER_H__

#include "CCNodeLoader.h"
#include "extensions/controls/CCScrollView.h"

NS_CC_EXT_BEGIN

/**
 * "CCScrollView": its "container" sub-document, "direction", "clipsToBounds", "bounces", and
 * "contentSize" as the size of the view (the container brings its own size).
 */
class CCScrollViewLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCScrollViewLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCScrollView);
    virtual void onHandlePropTypeSize(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                      cocos2d::CCSize pSize, CCBReader* pCCBReader);
    virtual void onHandlePropTypeCCBFile(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                         cocos2d::CCNode* pCCBFileNode, CCBReader* pCCBReader);
    virtual void onHandlePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                       bool pCheck, CCBReader* pCCBReader);
    virtual void onHandlePropTypeIntegerLabeled(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent,
                                                const char* pPropertyName, int pIntegerLabeled, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CC_SCROLL_VIEW_LOADER_H__
