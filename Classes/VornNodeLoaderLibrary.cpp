#include "VornNodeLoaderLibrary.h"

VornNodeLoaderLibrary* VornNodeLoaderLibrary::library()
{
    VornNodeLoaderLibrary* library = new VornNodeLoaderLibrary();
    library->autorelease();
    return library;
}

VornNodeLoaderLibrary* VornNodeLoaderLibrary::newGameLibrary()
{
    VornNodeLoaderLibrary* library = VornNodeLoaderLibrary::library();
    library->registerDefaultCCNodeLoaders();
    library->registerOSKNodeLoaders();
    library->registerVornNodeLoaders();
    return library;
}

void VornNodeLoaderLibrary::registerVornNodeLoaders() {}
