#include "CCNodeLoaderLibrary.h"

#include "CCBFileLoader.h"
#include "CCControlButtonLoader.h"
#include "CCLabelBMFontLoader.h"
#include "CCLabelTTFLoader.h"
#include "CCLayerColorLoader.h"
#include "CCLayerLoader.h"
#include "CCMenuItemImageLoader.h"
#include "CCMenuLoader.h"
#include "CCNodeLoader.h"
#include "CCParticleSystemQuadLoader.h"
#include "CCScale9SpriteLoader.h"
#include "CCScrollViewLoader.h"
#include "CCSpriteLoader.h"

NS_CC_EXT_BEGIN

CCNodeLoaderLibrary::CCNodeLoaderLibrary()
{
}

CCNodeLoaderLibrary::~CCNodeLoaderLibrary()
{
    purge(true);
}

CCNodeLoaderLibrary* CCNodeLoaderLibrary::library()
{
    CCNodeLoaderLibrary* library = new CCNodeLoaderLibrary();
    library->autorelease();
    return library;
}

CCNodeLoaderLibrary* CCNodeLoaderLibrary::newDefaultCCNodeLoaderLibrary()
{
    CCNodeLoaderLibrary* library = CCNodeLoaderLibrary::library();
    library->registerDefaultCCNodeLoaders();
    return library;
}

void CCNodeLoaderLibrary::registerDefaultCCNodeLoaders()
{
    registerCCNodeLoader("CCNode", CCNodeLoader::loader());
    registerCCNodeLoader("CCLayer", CCLayerLoader::loader());
    registerCCNodeLoader("CCLayerColor", CCLayerColorLoader::loader());
    registerCCNodeLoader("CCSprite", CCSpriteLoader::loader());
    registerCCNodeLoader("CCLabelBMFont", CCLabelBMFontLoader::loader());
    registerCCNodeLoader("CCLabelTTF", CCLabelTTFLoader::loader());
    registerCCNodeLoader("CCMenu", CCMenuLoader::loader());
    registerCCNodeLoader("CCMenuItemImage", CCMenuItemImageLoader::loader());
    registerCCNodeLoader("CCParticleSystemQuad", CCParticleSystemQuadLoader::loader());
    registerCCNodeLoader("CCScale9Sprite", CCScale9SpriteLoader::loader());
    registerCCNodeLoader("CCControlButton", CCControlButtonLoader::loader());
    registerCCNodeLoader("CCScrollView", CCScrollViewLoader::loader());
    registerCCNodeLoader("CCBFile", CCBFileLoader::loader());
}

void CCNodeLoaderLibrary::registerCCNodeLoader(const char* pClassName, CCNodeLoader* pCCNodeLoader)
{
    if (!pClassName || !pCCNodeLoader) return;
    pCCNodeLoader->retain();
    for (size_t i = 0; i < m_loaders.size(); ++i)
    {
        if (m_loaders[i].first == pClassName)
        {
            m_loaders[i].second->release();
            m_loaders[i].second = pCCNodeLoader;
            return;
        }
    }
    m_loaders.push_back(std::make_pair(std::string(pClassName), pCCNodeLoader));
}

void CCNodeLoaderLibrary::unregisterCCNodeLoader(const char* pClassName)
{
    for (size_t i = 0; pClassName && i < m_loaders.size(); ++i)
    {
        if (m_loaders[i].first == pClassName)
        {
            CCNodeLoader* loader = m_loaders[i].second;
            m_loaders.erase(m_loaders.begin() + (long)i);
            loader->release();
            return;
        }
    }
}

CCNodeLoader* CCNodeLoaderLibrary::getCCNodeLoader(const char* pClassName)
{
    for (size_t i = 0; pClassName && i < m_loaders.size(); ++i)
    {
        if (m_loaders[i].first == pClassName) return m_loaders[i].second;
    }
    return NULL;
}

void CCNodeLoaderLibrary::purge(bool releaseCCNodeLoaders)
{
    std::vector<std::pair<std::string, CCNodeLoader*> > loaders;
    loaders.swap(m_loaders);
    for (size_t i = 0; releaseCCNodeLoaders && i < loaders.size(); ++i) loaders[i].second->release();
}

NS_CC_EXT_END
