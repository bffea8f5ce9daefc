#ifndef __CCB_FILE_LOADER_H__
#define __CCB_FILE_LOADER_H__

#include "CCBFile.h"
#include "CCNodeLoader.h"

NS_CC_EXT_BEGIN

/** Loader of "CCBFile" nodes: the property "ccbFile" names the sub-document. */
class CCBFileLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCBFileLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCBFile);
    virtual void onHandlePropTypeCCBFile(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName,
                                         cocos2d::CCNode* pCCBFileNode, CCBReader* pCCBReader);
};

NS_CC_EXT_END

#endif // __CCB_FILE_LOADER_H__
