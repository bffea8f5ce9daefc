#ifndef __CC_NODES_MODULE_H__
#define __CC_NODES_MODULE_H__

// Umbrella of the nodes module: include every public header of the module here.

#endif
