#include "OSKNodeLoaderLibrary.h"

#include "CCAnimatingSpriteLoader.h"
#include "CCLabelBMFontLocaleLoader.h"
#include "CCMenuGamepadLoader.h"
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
    // Every menu a layout names becomes a gamepad menu, every bitmap-font label a localised one.
    unregisterCCNodeLoader("CCMenu");
    registerCCNodeLoader("CCMenu", CCMenuGamepadLoader::loader());
    unregisterCCNodeLoader("CCLabelBMFont");
    registerCCNodeLoader("CCLabelBMFont", CCLabelBMFontLocaleLoader::loader());
    registerCCNodeLoader("CCLabelBMFontLocale", CCLabelBMFontLocaleLoader::loader());
    registerCCNodeLoader("CCMenuGamepad", CCMenuGamepadLoader::loader());
}

NS_CC_EXT_END
