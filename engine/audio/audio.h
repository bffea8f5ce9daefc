#ifndef __CC_AUDIO_MODULE_H__
#define __CC_AUDIO_MODULE_H__

// Umbrella of the audio module: include every public header of the module here.
#include "SimpleAudioEngine.h"

#endif
