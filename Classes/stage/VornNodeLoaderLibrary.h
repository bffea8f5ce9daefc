#ifndef __VORN_NODE_LOADER_LIBRARY_H__
#define __VORN_NODE_LOADER_LIBRARY_H__

#include "OSKNodeLoaderLibrary.h"

/** The loaders every layout of the game is read with: the engine's, the framework's, then the game's. */
class VornNodeLoaderLibrary : public cocos2d::extension::OSKNodeLoaderLibrary
{
public:
    /** A new, autoreleased, empty library. */
    static VornNodeLoaderLibrary* library();
    /** A new, autoreleased library with every loader the game's layouts use, in order. */
    static VornNodeLoaderLibrary* newGameLibrary();

    /**
     * The game's loaders: sprites, bitmap labels and image items draw their textures without
     * smoothing, particle systems keep relative positions, and the stage classes "VornTrigger",
     * "VornCollision" and "VornObject" are known. Call after the engine's and the framework's.
     */
    void registerVornNodeLoaders();
};

#endif // __VORN_NODE_LOADER_LIBRARY_H__
