#ifndef __CC_DRAW_MODULE_H__
#define __CC_DRAW_MODULE_H__

// Umbrella of the draw module: include every public header of the module here.

#endif
