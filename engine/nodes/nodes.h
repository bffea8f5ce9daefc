#ifndef __CC_NODES_MODULE_H__
#define __CC_NODES_MODULE_H__

// Umbrella of the nodes module: the scene graph, scheduler, director and input protocols.

#include "nodes/CCProtocols.h"
#include "nodes/CCNode.h"
#include "nodes/CCScheduler.h"
#include "nodes/CCDirector.h"
#include "nodes/CCEvent.h"
#include "nodes/CCTouch.h"
#include "nodes/CCTouchDelegateProtocol.h"
#include "nodes/CCScene.h"
#include "nodes/CCLayer.h"
#include "nodes/CCLayerColor.h"

#endif
