// libFuzzer entry: any bytes handed to the layout reader with the stock loaders must give a node
// graph or NULL, never a crash, a leak or a hang, and a graph read must survive a few frames of its
// timelines in a running scene.
#include "FuzzQuiet.h"
#include "cocos-ext.h"

#include <cstdint>
#include <cstdlib>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
CCScene* s_scene = NULL;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzQuietLog();
    // Images and sub-documents that layouts name, copied next to each other by the build.
    const char* resources = getenv("VORN_FUZZ_CCB_RESOURCES");
    CCFileUtils::sharedFileUtils()->setResourceDirectory(resources ? resources : VORN_FUZZ_CCB_RESOURCES);
    CCDirector* director = CCDirector::sharedDirector();
    director->setWinSize(CCSizeMake(480, 320));
    CCPoolManager::sharedPoolManager()->push();
    s_scene = CCScene::create();
    s_scene->retain();
    director->runWithScene(s_scene);
    director->step(0);
    CCPoolManager::sharedPoolManager()->pop();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCDirector* director = CCDirector::sharedDirector();
    {
        CCScopedAutoreleasePool pool;
        CCBReader* reader = new CCBReader(CCNodeLoaderLibrary::newDefaultCCNodeLoaderLibrary());
        CCNode* root = reader->readNodeGraphFromData(data, size, NULL, director->getWinSize());
        if (root)
        {
            s_scene->addChild(root);
            // Timelines (auto-play, chains, callbacks) run for a short while, then the graph goes.
            for (int frame = 0; frame < 4; ++frame) director->step(0.25f);
            s_scene->removeChild(root, true);
        }
        reader->release();
    }
    // Every input starts from empty caches, so a crash replays from its input alone.
    CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrames();
    CCTextureCache::sharedTextureCache()->removeAllTextures();
    return 0;
}
