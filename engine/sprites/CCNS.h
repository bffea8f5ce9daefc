#ifndef __CC_NS_H__
#define __CC_NS_H__

#include "base/CCGeometry.h"

NS_CC_BEGIN

// Sprite-sheet geometry strings. Anything malformed gives zero values.

/** "{{x,y},{w,h}}" */
CCRect CCRectFromString(const char* pszContent);
/** "{x,y}" */
CCPoint CCPointFromString(const char* pszContent);
/** "{w,h}" */
CCSize CCSizeFromString(const char* pszContent);

NS_CC_END

#endif // __CC_NS_H__
