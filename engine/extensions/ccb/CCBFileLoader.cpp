#include "CCBFileLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

CCBFile* CCBFile::create()
{
    CCBFile* file = new CCBFile();
    if (file->init())
    {
        file->autorelease();
        return file;
    }
    delete file;
    return NULL;
}

void CCBFile::setCCBFileNode(CCNode* pNode)
{
    CC_SAFE_RETAIN(pNode);
    CC_SAFE_RELEASE(m_pCCBFileNode);
    m_pCCBFileNode = pNode;
}

void CCBFileLoader::onHandlePropTypeCCBFile(CCNode* pNode, CCNode* pParent, const char* pPropertyName,
                                            CCNode* pCCBFileNode, CCBReader* pCCBReader)
{
    if (std::strcmp(pPropertyName, "ccbFile") == 0) static_cast<CCBFile*>(pNode)->setCCBFileNode(pCCBFileNode);
    else CCNodeLoader::onHandlePropTypeCCBFile(pNode, pParent, pPropertyName, pCCBFileNode, pCCBReader);
}

NS_CC_EXT_END
