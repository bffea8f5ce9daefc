#ifndef __CC_NODE_LOADER_LISTENER_H__
#define __CC_NODE_LOADER_LISTENER_H__

#include "base/CCObject.h"

NS_CC_BEGIN
class CCNode;
NS_CC_END

NS_CC_EXT_BEGIN

class CCNodeLoader;

/** Told when a node and all its children have been read; a node class may implement it itself. */
class CCNodeLoaderListener
{
public:
    virtual ~CCNodeLoaderListener() {}
    virtual void onNodeLoaded(cocos2d::CCNode* pNode, CCNodeLoader* pNodeLoader) = 0;
};

NS_CC_EXT_END

#endif // __CC_NODE_LOADER_LISTENER_H__
