#ifndef __CC_EXT_CCB_MODULE_H__
#define __CC_EXT_CCB_MODULE_H__

// Umbrella of the ccb extension module: the .ccbi format, its decoder and the reader.

#include "extensions/ccb/CCBFormat.h"
#include "extensions/ccb/CCBDocument.h"
#include "extensions/ccb/CCBDataReader.h"
#include "extensions/ccb/CCBDocumentDecoder.h"
#include "extensions/ccb/CCBKeyframeTrack.h"
#include "extensions/ccb/CCBSelectorResolver.h"
#include "extensions/ccb/CCBMemberVariableAssigner.h"
#include "extensions/ccb/CCNodeLoaderListener.h"
#include "extensions/ccb/CCNodeLoader.h"
#include "extensions/ccb/CCNodeLoaderLibrary.h"
#include "extensions/ccb/CCBAnimationManager.h"
#include "extensions/ccb/CCBReader.h"
#include "extensions/ccb/CCBFile.h"
#include "extensions/ccb/CCBFileLoader.h"
#include "extensions/ccb/CCLayerLoader.h"
#include "extensions/ccb/CCLayerColorLoader.h"
#include "extensions/ccb/CCSpriteLoader.h"
#include "extensions/ccb/CCLabelBMFontLoader.h"
#include "extensions/ccb/CCLabelTTFLoader.h"
#include "extensions/ccb/CCMenuLoader.h"
#include "extensions/ccb/CCMenuItemLoader.h"
#include "extensions/ccb/CCMenuItemImageLoader.h"
#include "extensions/ccb/CCParticleSystemQuadLoader.h"
#include "extensions/ccb/CCScale9SpriteLoader.h"
#include "extensions/ccb/CCControlLoader.h"
#include "extensions/ccb/CCControlButtonLoader.h"
#include "extensions/ccb/CCScrollViewLoader.h"

#endif
