#ifndef __CC_RGBA_CASCADE_H__
#define __CC_RGBA_CASCADE_H__

#include "nodes/CCNode.h"

NS_CC_BEGIN

// Shared by the RGBA node and layer: what a node passes down when its colour or opacity changes.

/** The opacity a node inherits: its parent's displayed one when the parent cascades, else 255. */
GLubyte ccInheritedOpacity(CCNode* node);
ccColor3B ccInheritedColor(CCNode* node);
void ccCascadeOpacityToChildren(CCNode* node, GLubyte displayedOpacity);
void ccCascadeColorToChildren(CCNode* node, const ccColor3B& displayedColor);

NS_CC_END

#endif
