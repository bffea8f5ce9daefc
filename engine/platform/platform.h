#ifndef __CC_PLATFORM_MODULE_H__
#define __CC_PLATFORM_MODULE_H__

// Umbrella of the platform module: include every public header of the module here.

#endif
