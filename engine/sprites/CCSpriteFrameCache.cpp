#include "sprites/CCSpriteFrameCache.h"

#include "sprites/CCNS.h"
#include "sprites/CCSpriteFrame.h"
#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"
#include "support/CCFileUtils.h"

#include <cmath>
#include <vector>

NS_CC_BEGIN

namespace
{
CCSpriteFrameCache* s_sharedSpriteFrameCache = NULL;

float number(CCDictionary* d, const char* key)
{
    return d->valueForKey(key)->floatValue();
}

const char* text(CCDictionary* d, const char* key)
{
    return d->valueForKey(key)->getCString();
}

bool flag(CCDictionary* d, const char* key)
{
    return d->valueForKey(key)->boolValue();
}

std::string pngBeside(const std::string& plistPath)
{
    std::string path = plistPath;
    size_t dot = path.rfind('.');
    size_t slash = path.rfind('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
    {
        path.erase(dot);
    }
    return path + ".png";
}
} // namespace

CCSpriteFrameCache* CCSpriteFrameCache::sharedSpriteFrameCache(void)
{
    if (!s_sharedSpriteFrameCache)
    {
        s_sharedSpriteFrameCache = new CCSpriteFrameCache();
    }
    return s_sharedSpriteFrameCache;
}

void CCSpriteFrameCache::purgeSharedSpriteFrameCache(void)
{
    CC_SAFE_RELEASE_NULL(s_sharedSpriteFrameCache);
}

CCSpriteFrameCache::CCSpriteFrameCache()
{
    m_pSpriteFrames = new CCDictionary();
    m_pSpriteFramesAliases = new CCDictionary();
}

CCSpriteFrameCache::~CCSpriteFrameCache()
{
    CC_SAFE_RELEASE(m_pSpriteFrames);
    CC_SAFE_RELEASE(m_pSpriteFramesAliases);
}

void CCSpriteFrameCache::addSpriteFramesWithDictionary(CCDictionary* dictionary, CCTexture2D* pobTexture)
{
    if (!dictionary)
    {
        CCLog("CCSpriteFrameCache::addSpriteFramesWithDictionary - dictionary is NULL");
        return;
    }
    CCDictionary* metadata = dynamic_cast<CCDictionary*>(dictionary->objectForKey(std::string("metadata")));
    CCDictionary* frames = dynamic_cast<CCDictionary*>(dictionary->objectForKey(std::string("frames")));
    if (!frames)
    {
        CCLog("ERROR: CCSpriteFrameCache - sprite sheet has no \"frames\" dictionary");
        return;
    }
    const int format = metadata ? metadata->valueForKey("format")->intValue() : 0;
    if (format < 0 || format > 3)
    {
        CCLog("ERROR: CCSpriteFrameCache - unsupported sprite sheet format %d", format);
        return;
    }

    CCDictElement* element = NULL;
    CCDICT_FOREACH(frames, element)
    {
        CCDictionary* f = dynamic_cast<CCDictionary*>(element->getObject());
        const std::string name = element->getStrKey();
        if (!f || m_pSpriteFrames->objectForKey(name))
        {
            continue;
        }
        CCSpriteFrame* frame = new CCSpriteFrame();
        if (format == 0)
        {
            const CCRect rect(number(f, "x"), number(f, "y"), number(f, "width"), number(f, "height"));
            const CCPoint offset(number(f, "offsetX"), number(f, "offsetY"));
            const CCSize original(fabsf(number(f, "originalWidth")), fabsf(number(f, "originalHeight")));
            frame->initWithTexture(pobTexture, rect, false, offset, original);
        }
        else if (format == 1 || format == 2)
        {
            const CCRect rect = CCRectFromString(text(f, "frame"));
            const bool rotated = format == 2 && flag(f, "rotated");
            const CCPoint offset = CCPointFromString(text(f, "offset"));
            const CCSize original = CCSizeFromString(text(f, "sourceSize"));
            frame->initWithTexture(pobTexture, rect, rotated, offset, original);
        }
        else
        {
            const CCSize spriteSize = CCSizeFromString(text(f, "spriteSize"));
            const CCPoint offset = CCPointFromString(text(f, "spriteOffset"));
            const CCSize original = CCSizeFromString(text(f, "spriteSourceSize"));
            const CCRect textureRect = CCRectFromString(text(f, "textureRect"));
            const bool rotated = flag(f, "textureRotated");
            CCArray* aliases = dynamic_cast<CCArray*>(f->objectForKey(std::string("aliases")));
            CCObject* alias = NULL;
            CCARRAY_FOREACH(aliases, alias)
            {
                CCString* aliasName = dynamic_cast<CCString*>(alias);
                if (aliasName)
                {
                    m_pSpriteFramesAliases->setObject(CCString::create(name), aliasName->getCString());
                }
            }
            frame->initWithTexture(pobTexture, CCRect(textureRect.origin.x, textureRect.origin.y, spriteSize.width,
                                                      spriteSize.height),
                                   rotated, offset, original);
        }
        m_pSpriteFrames->setObject(frame, name);
        frame->release();
    }
}

void CCSpriteFrameCache::loadSheet(const std::string& fullPlistPath, CCDictionary* dict, CCTexture2D* texture)
{
    if (!texture)
    {
        CCLog("ERROR: CCSpriteFrameCache - no texture for %s", fullPlistPath.c_str());
        return;
    }
    addSpriteFramesWithDictionary(dict, texture);
    m_loadedFileNames.insert(fullPlistPath);
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* pszPlist)
{
    if (!pszPlist || !*pszPlist)
    {
        return;
    }
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string fullPath = files->fullPathForFilename(pszPlist);
    if (m_loadedFileNames.count(fullPath))
    {
        return;
    }
    CCDictionary* dict = CCDictionary::createWithContentsOfFileThreadSafe(fullPath.c_str());
    if (!dict)
    {
        CCLog("ERROR: CCSpriteFrameCache::addSpriteFramesWithFile - could not read %s", pszPlist);
        return;
    }
    std::string texturePath;
    CCDictionary* metadata = dynamic_cast<CCDictionary*>(dict->objectForKey(std::string("metadata")));
    const char* textureName = metadata ? metadata->valueForKey("textureFileName")->getCString() : "";
    if (*textureName)
    {
        texturePath = files->fullPathFromRelativeFile(textureName, fullPath.c_str());
    }
    else
    {
        texturePath = pngBeside(fullPath);
    }
    loadSheet(fullPath, dict, CCTextureCache::sharedTextureCache()->addImage(texturePath.c_str()));
    dict->release();
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist, const char* textureFileName)
{
    if (!plist || !textureFileName)
    {
        return;
    }
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(textureFileName);
    if (!texture)
    {
        CCLog("ERROR: CCSpriteFrameCache - could not load texture %s", textureFileName);
        return;
    }
    addSpriteFramesWithFile(plist, texture);
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* pszPlist, CCTexture2D* pobTexture)
{
    if (!pszPlist)
    {
        return;
    }
    const std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(pszPlist);
    if (m_loadedFileNames.count(fullPath))
    {
        return;
    }
    CCDictionary* dict = CCDictionary::createWithContentsOfFileThreadSafe(fullPath.c_str());
    if (!dict)
    {
        CCLog("ERROR: CCSpriteFrameCache::addSpriteFramesWithFile - could not read %s", pszPlist);
        return;
    }
    loadSheet(fullPath, dict, pobTexture);
    dict->release();
}

void CCSpriteFrameCache::addSpriteFrame(CCSpriteFrame* pobFrame, const char* pszFrameName)
{
    if (pobFrame && pszFrameName)
    {
        m_pSpriteFrames->setObject(pobFrame, pszFrameName);
    }
}

void CCSpriteFrameCache::removeSpriteFrames(void)
{
    m_pSpriteFrames->removeAllObjects();
    m_pSpriteFramesAliases->removeAllObjects();
    m_loadedFileNames.clear();
}

void CCSpriteFrameCache::removeUnusedSpriteFrames(void)
{
    std::vector<std::string> unused;
    CCDictElement* element = NULL;
    CCDICT_FOREACH(m_pSpriteFrames, element)
    {
        if (element->getObject()->retainCount() == 1)
        {
            unused.push_back(element->getStrKey());
        }
    }
    for (size_t i = 0; i < unused.size(); ++i)
    {
        m_pSpriteFrames->removeObjectForKey(unused[i]);
    }
    if (!unused.empty())
    {
        // Which sheets are complete is no longer known: let them load again.
        m_loadedFileNames.clear();
    }
}

void CCSpriteFrameCache::removeSpriteFrameByName(const char* pszName)
{
    if (!pszName)
    {
        return;
    }
    CCString* key = dynamic_cast<CCString*>(m_pSpriteFramesAliases->objectForKey(std::string(pszName)));
    if (key)
    {
        m_pSpriteFrames->removeObjectForKey(key->m_sString);
        m_pSpriteFramesAliases->removeObjectForKey(std::string(pszName));
    }
    else
    {
        m_pSpriteFrames->removeObjectForKey(std::string(pszName));
    }
    m_loadedFileNames.clear();
}

void CCSpriteFrameCache::removeSpriteFramesFromFile(const char* plist)
{
    if (!plist)
    {
        return;
    }
    const std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(plist);
    CCDictionary* dict = CCDictionary::createWithContentsOfFileThreadSafe(fullPath.c_str());
    if (!dict)
    {
        CCLog("CCSpriteFrameCache::removeSpriteFramesFromFile - could not read %s", plist);
        return;
    }
    CCDictionary* frames = dynamic_cast<CCDictionary*>(dict->objectForKey(std::string("frames")));
    CCDictElement* element = NULL;
    CCDICT_FOREACH(frames, element)
    {
        m_pSpriteFrames->removeObjectForKey(std::string(element->getStrKey()));
    }
    m_loadedFileNames.erase(fullPath);
    dict->release();
}

void CCSpriteFrameCache::removeSpriteFramesFromTexture(CCTexture2D* texture)
{
    std::vector<std::string> names;
    CCDictElement* element = NULL;
    CCDICT_FOREACH(m_pSpriteFrames, element)
    {
        CCSpriteFrame* frame = static_cast<CCSpriteFrame*>(element->getObject());
        if (frame->getTexture() == texture)
        {
            names.push_back(element->getStrKey());
        }
    }
    for (size_t i = 0; i < names.size(); ++i)
    {
        m_pSpriteFrames->removeObjectForKey(names[i]);
    }
}

CCSpriteFrame* CCSpriteFrameCache::spriteFrameByName(const char* pszName)
{
    if (!pszName)
    {
        return NULL;
    }
    CCSpriteFrame* frame = static_cast<CCSpriteFrame*>(m_pSpriteFrames->objectForKey(std::string(pszName)));
    if (!frame)
    {
        CCString* key = dynamic_cast<CCString*>(m_pSpriteFramesAliases->objectForKey(std::string(pszName)));
        if (key)
        {
            frame = static_cast<CCSpriteFrame*>(m_pSpriteFrames->objectForKey(key->m_sString));
        }
    }
    if (!frame)
    {
        CCLog("CCSpriteFrameCache::spriteFrameByName - frame '%s' not found", pszName);
    }
    return frame;
}

NS_CC_END
