#ifndef __CC_TEXTURE_CACHE_H__
#define __CC_TEXTURE_CACHE_H__

#include "base/CCObject.h"

#include <map>
#include <string>

NS_CC_BEGIN

class CCImage;
class CCTexture2D;

/** Loads each image once, keyed by its full path. */
class CCTextureCache : public CCObject
{
public:
    CCTextureCache();
    virtual ~CCTextureCache();

    static CCTextureCache* sharedTextureCache();
    static void purgeSharedTextureCache();

    /** The texture of an image file (resolved through CCFileUtils); NULL and a log line when it can't be read. */
    CCTexture2D* addImage(const char* fileimage);
    /** A texture made from pixels in memory, cached under key when one is given. */
    CCTexture2D* addUIImage(CCImage* image, const char* key);
    /** An already loaded texture, by the name it was added under (file name or full path). */
    CCTexture2D* textureForKey(const char* key);

    void removeAllTextures();
    /** Drops the textures nothing else holds. */
    void removeUnusedTextures();
    void removeTexture(CCTexture2D* texture);
    void removeTextureForKey(const char* textureKeyName);
    /** Destroys every texture's renderer copy (the renderer is going away). */
    void releaseSDLTextures();

private:
    std::string keyFor(const char* name);
    std::map<std::string, CCTexture2D*> m_textures;   ///< retained
};

NS_CC_END

#endif // __CC_TEXTURE_CACHE_H__
