#include "nodes/CCRGBACascade.h"

NS_CC_BEGIN

GLubyte ccInheritedOpacity(CCNode* node)
{
    CCRGBAProtocol* parent = dynamic_cast<CCRGBAProtocol*>(node->getParent());
    if (parent && parent->isCascadeOpacityEnabled())
    {
        return parent->getDisplayedOpacity();
    }
    return 255;
}

ccColor3B ccInheritedColor(CCNode* node)
{
    CCRGBAProtocol* parent = dynamic_cast<CCRGBAProtocol*>(node->getParent());
    if (parent && parent->isCascadeColorEnabled())
    {
        return parent->getDisplayedColor();
    }
    return ccWHITE;
}

void ccCascadeOpacityToChildren(CCNode* node, GLubyte displayedOpacity)
{
    CCObject* obj = NULL;
    CCARRAY_FOREACH(node->getChildren(), obj)
    {
        CCRGBAProtocol* child = dynamic_cast<CCRGBAProtocol*>(obj);
        if (child)
        {
            child->updateDisplayedOpacity(displayedOpacity);
        }
    }
}

void ccCascadeColorToChildren(CCNode* node, const ccColor3B& displayedColor)
{
    CCObject* obj = NULL;
    CCARRAY_FOREACH(node->getChildren(), obj)
    {
        CCRGBAProtocol* child = dynamic_cast<CCRGBAProtocol*>(obj);
        if (child)
        {
            child->updateDisplayedColor(displayedColor);
        }
    }
}

NS_CC_END
