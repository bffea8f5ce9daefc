#ifndef __COCOS2D_H__
#define __COCOS2D_H__

// The engine's umbrella header: every module's public classes, namespace cocos2d.

#include "base/base.h"
#include "support/support.h"
#include "nodes/nodes.h"
#include "actions/actions.h"
#include "sprites/sprites.h"
#include "labels/labels.h"
#include "menus/menus.h"
#include "particles/particles.h"
#include "draw/draw.h"
#include "platform/platform.h"

#endif // __COCOS2D_H__
