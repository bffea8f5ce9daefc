#ifndef __CC_SCENE_H__
#define __CC_SCENE_H__

#include "nodes/CCNode.h"

NS_CC_BEGIN

/** The root of what the director runs: window-sized, anchored in the middle, positioned by its corner. */
class CCScene : public CCNode
{
public:
    CCScene();
    static CCScene* create(void);
    virtual bool init();
};

NS_CC_END

#endif // __CC_SCENE_H__
