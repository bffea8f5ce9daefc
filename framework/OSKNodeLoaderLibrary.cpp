#include "OSKNodeLoaderLibrary.h"

#include "CCAnimatingSpriteLoader.h"
#include "CCSpriteBatchNodeLoader.h"
#include "CCVisibilityCheckNodeLoader.h"
#include "CCVisibilityCheckSpriteLoader.h"

NS_CC_EXT_BEGIN

OSKNodeLoaderLibrary* OSKNodeLoaderLibrary::library()
{
    OSKNodeLoaderLibrary* library = new OSKNodeLoaderLibrary();
    library->autorelease();
    return library;
}

void OSKNodeLoaderLibrary::registerOSKNodeLoaders()
{
    registerCCNodeLoader("CCAnimatingSprite", CCAnimatingSpriteLoader::loader());
    registerCCNodeLoader("CCSpriteBatchNode", CCSpriteBatchNodeLoader::loader());
    registerCCNodeLoader("CCVisibilityCheckNode", CCVisibilityCheckNodeLoader::loader());
    registerCCNodeLoader("CCVisibilityCheckSprite", CCVisibilityCheckSpriteLoader::loader());
}

NS_CC_EXT_END
