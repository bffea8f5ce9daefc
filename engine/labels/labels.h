#ifndef __CC_LABELS_MODULE_H__
#define __CC_LABELS_MODULE_H__

// Umbrella of the labels module: include every public header of the module here.

#include "labels/ccUTF8.h"
#include "labels/CCBMFontConfiguration.h"
#include "labels/CCLabelBMFont.h"
#include "labels/CCLabelTTF.h"

#endif
