#include "CCBFileLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCBFileLoader::onHandlePropTypeCCBFile(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                            CCNode* pCCBFileNode, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "ccbFile") == 0) static_cast<CCBFile*>(pNode)->setCCBFileNode(pCCBFileNode);
    else CCNodeLoader::onHandlePropTypeCCBFile(pNode, pParent, pPropertyName, pCCBFileNode, pCCBReader);
}

NS_CC_EXT_END
