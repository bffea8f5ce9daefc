#ifndef __CC_EXT_CCB_MODULE_H__
#define __CC_EXT_CCB_MODULE_H__

// Umbrella of the ccb extension module: the .ccbi format, its decoder and the reader.

#include "extensions/ccb/CCBFormat.h"
#include "extensions/ccb/CCBDocument.h"
#include "extensions/ccb/CCBDataReader.h"
#include "extensions/ccb/CCBDocumentDecoder.h"
#include "extensions/ccb/CCBKeyframeTrack.h"

#endif
