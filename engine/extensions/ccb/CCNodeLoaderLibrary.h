#ifndef __CC_NODE_LOADER_LIBRARY_H__
#define __CC_NODE_LOADER_LIBRARY_H__

#include "base/CCObject.h"

#include <string>
#include <vector>

NS_CC_EXT_BEGIN

class CCNodeLoader;

/** Which loader makes the nodes of each layout class name. */
class CCNodeLoaderLibrary : public cocos2d::CCObject
{
public:
    CCNodeLoaderLibrary();
    virtual ~CCNodeLoaderLibrary();

    /** A new, autoreleased, empty library. */
    static CCNodeLoaderLibrary* library();
    /** A new, autoreleased library with the stock loaders. */
    static CCNodeLoaderLibrary* newDefaultCCNodeLoaderLibrary();

    /** The stock loaders of the node classes this engine has. */
    void registerDefaultCCNodeLoaders();
    /** Retains the loader; a later registration under the same name replaces the earlier one. */
    void registerCCNodeLoader(const char* pClassName, CCNodeLoader* pCCNodeLoader);
    void unregisterCCNodeLoader(const char* pClassName);
    /** NULL when no loader is registered under the name. */
    CCNodeLoader* getCCNodeLoader(const char* pClassName);
    void purge(bool releaseCCNodeLoaders);

private:
    std::vector<std::pair<std::string, CCNodeLoader*> > m_loaders;  ///< loaders retained
};

NS_CC_EXT_END

#endif // __CC_NODE_LOADER_LIBRARY_H__
