#include "SpriteFrameHelpers.h"

#include "CCDictionary.h"
#include "CCFileUtils.h"
#include "CCString.h"

#include <algorithm>
#include <string>

#include "CCSpriteFrameCache.h"

NS_CC_BEGIN

namespace
{
bool byteWiseLess(CCObject* a, CCObject* b)
{
    return static_cast<CCString*>(a)->m_sString < static_cast<CCString*>(b)->m_sString;
}
} // namespace

CCArray* getSortedSpriteFrameNames(const char* fileName)
{
    if (fileName == NULL)
    {
        CCLog("ERROR: Unable to open sprites file (null)");
        return NULL;
    }
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(fileName);
    std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathFromRelativePath(fileName);
    CCDictionary* sheet = CCDictionary::createWithContentsOfFile(fullPath.c_str());
    CCDictionary* frames = sheet ? dynamic_cast<CCDictionary*>(sheet->objectForKey("frames")) : NULL;
    if (frames == NULL)
    {
        CCLog("ERROR: Unable to open sprites file %s", fileName);
        return NULL;
    }
    CCArray* names = frames->allKeys();
    std::sort(names->data().begin(), names->data().end(), byteWiseLess);
    return names;
}

NS_CC_END
