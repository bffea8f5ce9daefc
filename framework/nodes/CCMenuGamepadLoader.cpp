#include "CCMenuGamepadLoader.h"

#include "CCBReader.h"
#include "CCBSelectorResolver.h"
#include "CCMenuGamepadSelectorResolver.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

namespace
{
const char* const kSelectorNames[kMenuGamepadInput_MAX] = {
    "upSelector", "downSelector", "leftSelector", "rightSelector", "actionSelector", "backSelector",
};

int selectorIndex(const char* propertyName)
{
    for (int i = 0; i < kMenuGamepadInput_MAX; ++i)
    {
        if (std::strcmp(propertyName, kSelectorNames[i]) == 0) return i;
    }
    return -1;
}
} // namespace

CCMenuGamepad* CCMenuGamepadLoader::createCCNode(CCNode*, CCBReader*)
{
    return CCMenuGamepad::create();
}

void CCMenuGamepadLoader::onHandlePropTypeString(CCNode* pNode, CCNode*, const char* pPropertyName,
                                                 const char* pString, CCBReader* pCCBReader)
{
    int index = selectorIndex(pPropertyName);
    if (index < 0)
    {
        logUnexpectedProperty(pPropertyName);
        return;
    }
    if (pCCBReader->getOwner() == NULL)
    {
        return;  // nobody to call
    }
    CCMenuGamepad* menu = static_cast<CCMenuGamepad*>(pNode);
    CCBSelectorResolver* resolver = pCCBReader->getCCBSelectorResolver();
    if (resolver == NULL)
    {
        menu->setGamepadHandler(index, pCCBReader->getOwner(), NULL);
        return;
    }
    CCObject* target = resolver->onResolveCCBSelectorTarget(pString);
    SEL_MenuGamepadHandler handler = NULL;
    if (CCMenuGamepadSelectorResolver* gamepad = dynamic_cast<CCMenuGamepadSelectorResolver*>(resolver))
    {
        handler = gamepad->onResolveCCBMenuGamepadSelector(target, pString);
    }
    else
    {
        CCLog("CCMenuGamepadLoader - the resolver cannot bind gamepad handler '%s'", pString);
    }
    menu->setGamepadHandler(index, target, handler);
}

void CCMenuGamepadLoader::onHandlePropTypeCheck(CCNode* pNode, CCNode* pParent, const char* pPropertyName, bool pCheck,
                                                CCBReader* pCCBReader)
{
    CCMenuGamepad* menu = static_cast<CCMenuGamepad*>(pNode);
    if (std::strcmp(pPropertyName, "gamepadEnabled") == 0) menu->setGamepadEnabled(pCheck);
    else if (std::strcmp(pPropertyName, "gamepadLocked") == 0) menu->setGamepadLocked(pCheck);
    else if (std::strcmp(pPropertyName, "activateOnSelection") == 0) menu->setActivateOnSelection(pCheck);
    else CCLayerLoader::onHandlePropTypeCheck(pNode, pParent, pPropertyName, pCheck, pCCBReader);
}

NS_CC_EXT_END
