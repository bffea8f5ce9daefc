#include "AppDelegate.h"

#include "CCDirector.h"
#include "CCEGLView.h"
#include "CCScene.h"
#include "GameManager.h"
#include "HelloWorld.h"

USING_NS_CC;

AppDelegate::AppDelegate() {}

AppDelegate::~AppDelegate() {}

bool AppDelegate::applicationDidFinishLaunching()
{
    CCDirector* director = CCDirector::sharedDirector();
    director->setOpenGLView(CCEGLView::sharedOpenGLView());
    director->setDisplayStats(false);
    director->setAnimationInterval(1.0 / 60);
    director->setDepthTest(false);
    director->setProjection(kCCDirectorProjection2D);

    CCScene* scene = CCScene::create();
    HelloWorld* layer = HelloWorld::create();
    if (!layer)
    {
        CCLog("ERROR: The game manager could not be started");
        return false;
    }
    scene->addChild(layer);
    director->runWithScene(scene);
    return true;
}

void AppDelegate::applicationDidEnterBackground()
{
    CCDirector::sharedDirector()->pause();
    // Minimising before the game manager exists must not crash.
    if (GameManager::getInstance())
    {
        GameManager::getInstance()->applicationDidEnterBackground();
    }
}

void AppDelegate::applicationWillEnterForeground()
{
    CCDirector::sharedDirector()->resume();
    if (GameManager::getInstance())
    {
        GameManager::getInstance()->applicationWillEnterForeground();
    }
}

void AppDelegate::applicationWillTerminate()
{
    if (GameManager::getInstance())
    {
        GameManager::getInstance()->applicationWillTerminate();
    }
}
