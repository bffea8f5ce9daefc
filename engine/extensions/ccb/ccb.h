#ifndef __CC_EXT_CCB_MODULE_H__
#define __CC_EXT_CCB_MODULE_H__

// Umbrella of the ccb extension module.

#endif
