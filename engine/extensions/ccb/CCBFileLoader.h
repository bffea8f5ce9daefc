#ifndef __CCB_FILE_LOADER_H__
#define __CCB_FILE_LOADER_H__

#include "CCNodeLoader.h"
#include "nodes/CCNode.h"

NS_CC_EXT_BEGIN

/** Placeholder of a sub-document while it is read; the reader swaps in the sub-document's root. */
class CCBFile : public cocos2d::CCNode
{
public:
    CCBFile() : m_pCCBFileNode(NULL) {}
    virtual ~CCBFile() { CC_SAFE_RELEASE(m_pCCBFileNode); }
    static CCBFile* create();

    cocos2d::CCNode* getCCBFileNode() { return m_pCCBFileNode; }
    /** Retains the new root, releases the old. */
    void setCCBFileNode(cocos2d::CCNode* pNode);

private:
    cocos2d::CCNode* m_pCCBFileNode;  ///< retained
};

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
