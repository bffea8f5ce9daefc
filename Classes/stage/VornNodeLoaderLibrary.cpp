#include "VornNodeLoaderLibrary.h"

#include "VornCollisionLoader.h"
#include "VornLabelBMFontLoader.h"
#include "VornMenuItemImageLoader.h"
#include "VornObjectLoader.h"
#include "VornParticleSystemQuadLoader.h"
#include "VornSpriteLoader.h"
#include "VornTriggerLoader.h"

USING_NS_CC_EXT;

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

void VornNodeLoaderLibrary::registerVornNodeLoaders()
{
    unregisterCCNodeLoader("CCSprite");
    registerCCNodeLoader("CCSprite", VornSpriteLoader::loader());
    unregisterCCNodeLoader("CCLabelBMFont");
    registerCCNodeLoader("CCLabelBMFont", VornLabelBMFontLoader::loader());
    unregisterCCNodeLoader("CCMenuItemImage");
    registerCCNodeLoader("CCMenuItemImage", VornMenuItemImageLoader::loader());
    unregisterCCNodeLoader("CCParticleSystemQuad");
    registerCCNodeLoader("CCParticleSystemQuad", VornParticleSystemQuadLoader::loader());
    registerCCNodeLoader("VornTrigger", VornTriggerLoader::loader());
    registerCCNodeLoader("VornCollision", VornCollisionLoader::loader());
    registerCCNodeLoader("VornObject", VornObjectLoader::loader());
}
