#include "CCLayerLoader.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

void CCLayerLoader::onHandlePropTypeCheck(CCNode* pNode, CCNode* pParent, const char* pPropertyName, bool pCheck,
                                          CCBReader* pCCBReader)
{
    CCLayer* layer = static_cast<CCLayer*>(pNode);
    if (std::strcmp(pPropertyName, "isTouchEnabled") == 0) layer->setTouchEnabled(pCheck);
    else if (std::strcmp(pPropertyName, "isKeyboardEnabled") == 0) layer->setKeypadEnabled(pCheck);
    else if (std::strcmp(pPropertyName, "isAccelerometerEnabled") == 0 || std::strcmp(pPropertyName, "isMouseEnabled") == 0)
    {
        // No accelerometer, and the mouse arrives as touches.
    }
    else CCNodeLoader::onHandlePropTypeCheck(pNode, pParent, pPropertyName, pCheck, pCCBReader);
}

NS_CC_EXT_END
