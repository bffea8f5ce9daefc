#ifndef __CC_ACTIONS_MODULE_H__
#define __CC_ACTIONS_MODULE_H__

// Umbrella of the actions module: include every public header of the module here.

#endif
