#include "VornTriggerLoader.h"

#include "VornTrigger.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

CCLayerColor* VornTriggerLoader::createCCNode(CCNode*, CCBReader*)
{
    return VornTrigger::create();
}

void VornTriggerLoader::onHandlePropTypeString(CCNode* pNode, CCNode*, const char* pPropertyName, const char* pString,
                                               CCBReader*)
{
    if (std::strcmp(pPropertyName, "triggerName") == 0)
    {
        static_cast<VornTrigger*>(pNode)->setTriggerName(pString);
    }
    else
    {
        logUnexpectedProperty(pPropertyName);
    }
}

void VornTriggerLoader::onHandlePropTypeCheck(CCNode* pNode, CCNode* pParent, const char* pPropertyName, bool pCheck,
                                              CCBReader* pCCBReader)
{
    VornTrigger* trigger = static_cast<VornTrigger*>(pNode);
    if (std::strcmp(pPropertyName, "repeatTrigger") == 0)
    {
        trigger->setRepeatTrigger(pCheck);
    }
    else if (std::strcmp(pPropertyName, "visibleTrigger") == 0)
    {
        trigger->setVisibleTrigger(pCheck);
    }
    else
    {
        CCLayerColorLoader::onHandlePropTypeCheck(pNode, pParent, pPropertyName, pCheck, pCCBReader);
    }
}

void VornTriggerLoader::onPropertiesParsed(CCNode* pNode, CCNode* pParent, CCBReader* pCCBReader)
{
    CCLayerColorLoader::onPropertiesParsed(pNode, pParent, pCCBReader);
    VornTrigger* trigger = static_cast<VornTrigger*>(pNode);
    // A trigger is an area, never drawn: a visible one only stays shown (for the nodes it holds)
    // while it is armed.
    trigger->setOpacity(0);
    trigger->setTriggered(false);
}

NS_CC_EXT_END
