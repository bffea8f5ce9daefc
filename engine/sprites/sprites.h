#ifndef __CC_SPRITES_MODULE_H__
#define __CC_SPRITES_MODULE_H__

// Umbrella of the sprites module: include every public header of the module here.

#endif
