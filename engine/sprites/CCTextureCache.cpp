#include "sprites/CCTextureCache.h"

#include "sprites/CCImage.h"
#include "sprites/CCTexture2D.h"
#include "support/CCFileUtils.h"

NS_CC_BEGIN

namespace
{
CCTextureCache* s_sharedTextureCache = NULL;
}

CCTextureCache* CCTextureCache::sharedTextureCache()
{
    if (!s_sharedTextureCache)
    {
        s_sharedTextureCache = new CCTextureCache();
    }
    return s_sharedTextureCache;
}

void CCTextureCache::purgeSharedTextureCache()
{
    CC_SAFE_RELEASE_NULL(s_sharedTextureCache);
}

CCTextureCache::CCTextureCache()
{
}

CCTextureCache::~CCTextureCache()
{
    removeAllTextures();
}

std::string CCTextureCache::keyFor(const char* name)
{
    return CCFileUtils::sharedFileUtils()->fullPathForFilename(name);
}

CCTexture2D* CCTextureCache::addImage(const char* fileimage)
{
    if (!fileimage || !*fileimage)
    {
        CCLog("CCTextureCache::addImage - empty file name");
        return NULL;
    }
    const std::string fullPath = keyFor(fileimage);
    std::map<std::string, CCTexture2D*>::iterator it = m_textures.find(fullPath);
    if (it != m_textures.end())
    {
        return it->second;
    }
    if (!CCFileUtils::sharedFileUtils()->isFileExist(fullPath))
    {
        CCLog("ERROR: CCTextureCache::addImage - file not found: %s", fileimage);
        return NULL;
    }
    CCImage* image = new CCImage();
    CCTexture2D* texture = NULL;
    if (image->initWithImageFile(fullPath.c_str()))
    {
        texture = new CCTexture2D();
        if (texture->initWithImage(image))
        {
            m_textures[fullPath] = texture;   // the cache keeps the creation reference
        }
        else
        {
            texture->release();
            texture = NULL;
        }
    }
    image->release();
    if (!texture)
    {
        CCLog("ERROR: CCTextureCache::addImage - could not load %s", fullPath.c_str());
    }
    return texture;
}

CCTexture2D* CCTextureCache::addUIImage(CCImage* image, const char* key)
{
    if (!image)
    {
        return NULL;
    }
    std::string name;
    if (key && *key)
    {
        name = keyFor(key);
        std::map<std::string, CCTexture2D*>::iterator it = m_textures.find(name);
        if (it != m_textures.end())
        {
            return it->second;
        }
    }
    CCTexture2D* texture = new CCTexture2D();
    if (!texture->initWithImage(image))
    {
        texture->release();
        return NULL;
    }
    if (!name.empty())
    {
        m_textures[name] = texture;
        texture->retain();
    }
    texture->autorelease();
    return texture;
}

CCTexture2D* CCTextureCache::textureForKey(const char* key)
{
    if (!key)
    {
        return NULL;
    }
    std::map<std::string, CCTexture2D*>::iterator it = m_textures.find(keyFor(key));
    if (it == m_textures.end())
    {
        it = m_textures.find(key);
    }
    return it == m_textures.end() ? NULL : it->second;
}

void CCTextureCache::removeAllTextures()
{
    std::map<std::string, CCTexture2D*> textures;
    textures.swap(m_textures);
    for (std::map<std::string, CCTexture2D*>::iterator it = textures.begin(); it != textures.end(); ++it)
    {
        it->second->release();
    }
}

void CCTextureCache::removeUnusedTextures()
{
    std::map<std::string, CCTexture2D*>::iterator it = m_textures.begin();
    while (it != m_textures.end())
    {
        if (it->second->retainCount() == 1)
        {
            it->second->release();
            m_textures.erase(it++);
        }
        else
        {
            ++it;
        }
    }
}

void CCTextureCache::removeTexture(CCTexture2D* texture)
{
    for (std::map<std::string, CCTexture2D*>::iterator it = m_textures.begin(); it != m_textures.end(); ++it)
    {
        if (it->second == texture)
        {
            m_textures.erase(it);
            texture->release();
            return;
        }
    }
}

void CCTextureCache::removeTextureForKey(const char* textureKeyName)
{
    CCTexture2D* texture = textureForKey(textureKeyName);
    if (texture)
    {
        removeTexture(texture);
    }
}

void CCTextureCache::releaseSDLTextures()
{
    for (std::map<std::string, CCTexture2D*>::iterator it = m_textures.begin(); it != m_textures.end(); ++it)
    {
        it->second->releaseSDLTexture();
    }
}

NS_CC_END
