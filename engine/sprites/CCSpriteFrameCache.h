#ifndef __CC_SPRITE_FRAME_CACHE_H__
#define __CC_SPRITE_FRAME_CACHE_H__

#include "base/CCDictionary.h"

#include <set>
#include <string>

NS_CC_BEGIN

class CCSpriteFrame;
class CCTexture2D;

/**
 * Named sprite frames, loaded from sprite-sheet plists (formats 0 to 3). A sheet's texture is
 * the file its "metadata"/"textureFileName" names, beside the plist; without one, the plist's name
 * with ".png". A name already in the cache keeps its first frame.
 */
class CCSpriteFrameCache : public CCObject
{
public:
    CCSpriteFrameCache();
    virtual ~CCSpriteFrameCache();

    static CCSpriteFrameCache* sharedSpriteFrameCache(void);
    static void purgeSharedSpriteFrameCache(void);

    /** Loads a sheet once; a missing or malformed sheet or texture is logged and adds nothing. */
    void addSpriteFramesWithFile(const char* pszPlist);
    void addSpriteFramesWithFile(const char* plist, const char* textureFileName);
    void addSpriteFramesWithFile(const char* pszPlist, CCTexture2D* pobTexture);
    /** The frames of an already parsed sheet, cut from the given texture. */
    void addSpriteFramesWithDictionary(CCDictionary* pobDictionary, CCTexture2D* pobTexture);
    void addSpriteFrame(CCSpriteFrame* pobFrame, const char* pszFrameName);

    void removeSpriteFrames(void);
    /** Drops the frames nothing else holds. */
    void removeUnusedSpriteFrames(void);
    void removeSpriteFrameByName(const char* pszName);
    void removeSpriteFramesFromFile(const char* plist);
    void removeSpriteFramesFromTexture(CCTexture2D* texture);

    /** The frame by name or alias; NULL (and a log line) when there is none. */
    CCSpriteFrame* spriteFrameByName(const char* pszName);

private:
    void loadSheet(const std::string& fullPlistPath, CCDictionary* dict, CCTexture2D* texture);

    CCDictionary* m_pSpriteFrames;          ///< name -> frame
    CCDictionary* m_pSpriteFramesAliases;   ///< alias -> CCString name
    std::set<std::string> m_loadedFileNames;
};

NS_CC_END

#endif // __CC_SPRITE_FRAME_CACHE_H__
