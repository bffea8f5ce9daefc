#ifndef __CC_VISIBILITY_CHECK_NODE_LOADER_H__
#define __CC_VISIBILITY_CHECK_NODE_LOADER_H__

#include "CCNodeLoader.h"
#include "CCVisibilityCheckNode.h"

NS_CC_EXT_BEGIN

/** "CCVisibilityCheckNode": a plain node's properties. */
class CCVisibilityCheckNodeLoader : public CCNodeLoader
{
public:
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCVisibilityCheckNodeLoader, loader);

protected:
    CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(CCVisibilityCheckNode);
};

NS_CC_EXT_END

#endif // __CC_VISIBILITY_CHECK_NODE_LOADER_H__
