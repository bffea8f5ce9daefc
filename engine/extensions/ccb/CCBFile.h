#ifndef __CCB_FILE_H__
#define __CCB_FILE_H__

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

NS_CC_EXT_END

#endif // __CCB_FILE_H__
