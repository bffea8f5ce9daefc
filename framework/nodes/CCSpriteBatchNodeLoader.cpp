#include "CCSpriteBatchNodeLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCSpriteBatchNodeLoader::onHandlePropTypeTexture(CCNode* pNode, CCNode*, const char* pPropertyName,
                                                      CCTexture2D* pCCTexture2D, CCBReader*)
{
    if (std::strcmp(pPropertyName, "texture") == 0) static_cast<CCSpriteBatchNode*>(pNode)->setTexture(pCCTexture2D);
    else logUnexpectedProperty(pPropertyName);
}

NS_CC_EXT_END
