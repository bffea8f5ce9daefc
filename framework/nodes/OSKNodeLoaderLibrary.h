#ifndef __OSK_NODE_LOADER_LIBRARY_H__
#define __OSK_NODE_LOADER_LIBRARY_H__

#include "CCNodeLoaderLibrary.h"

NS_CC_EXT_BEGIN

/**
 * A loader library that knows the framework's node classes. Register the engine's loaders first
 * (registerDefaultCCNodeLoaders), then registerOSKNodeLoaders, then the game's own.
 */
class OSKNodeLoaderLibrary : public CCNodeLoaderLibrary
{
public:
    /** A new, autoreleased, empty library. */
    static OSKNodeLoaderLibrary* library();

    /** The framework's loaders; layouts' menus and bitmap-font labels become the framework's kinds. */
    void registerOSKNodeLoaders();
};

NS_CC_EXT_END

#endif // __OSK_NODE_LOADER_LIBRARY_H__
