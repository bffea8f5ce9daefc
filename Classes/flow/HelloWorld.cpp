#include "HelloWorld.h"

#include "VornGameManager.h"

USING_NS_CC;

HelloWorld* HelloWorld::create()
{
    HelloWorld* layer = new HelloWorld();
    if (layer->init())
    {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return NULL;
}

bool HelloWorld::init()
{
    if (!CCLayer::init())
    {
        return false;
    }
    VornGameManager* gameManager = new VornGameManager();
    if (!gameManager->initVornGameManager())
    {
        // Its scheduled tick holds a reference too; clean up so a failed start frees it.
        gameManager->cleanup();
        gameManager->release();
        return false;
    }
    // The game manager is a scene used as a plain child node.
    addChild(gameManager);
    gameManager->release();
    return true;
}
