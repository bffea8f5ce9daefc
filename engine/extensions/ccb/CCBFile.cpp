#include "CCBFile.h"

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

NS_CC_EXT_END
