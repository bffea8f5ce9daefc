#ifndef __CC_DRAW_MODULE_H__
#define __CC_DRAW_MODULE_H__

// Umbrella of the draw module: the renderer every node draws through, and debug primitives.

#include "draw/ccQuadTypes.h"
#include "draw/CCRenderer.h"
#include "draw/CCDrawingPrimitives.h"

#endif
