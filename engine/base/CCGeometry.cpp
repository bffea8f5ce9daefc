#include "CCGeometry.h"

NS_CC_BEGIN

const CCPoint CCPointZero = CCPoint(0.0f, 0.0f);
const CCSize CCSizeZero = CCSize(0.0f, 0.0f);
const CCRect CCRectZero = CCRect(0.0f, 0.0f, 0.0f, 0.0f);

NS_CC_END
