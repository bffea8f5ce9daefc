#ifndef __CC_EXT_CONTROLS_MODULE_H__
#define __CC_EXT_CONTROLS_MODULE_H__

// Umbrella of the controls extension module.

#endif
