#ifndef __CC_SPRITE_H__
#define __CC_SPRITE_H__

#include "nodes/CCNode.h"
#include "nodes/CCProtocols.h"
#include "draw/ccQuadTypes.h"

NS_CC_BEGIN

class CCSpriteBatchNode;
class CCSpriteFrame;
class CCTexture2D;

/**
 * A textured rectangle. Its content size is the frame's original (untrimmed) size; the visible
 * quad sits inside it at the frame's trim offset, mirrored by the flips. Colour multiplies the
 * texture, opacity is its alpha (straight alpha).
 */
class CCSprite : public CCNodeRGBA, public CCTextureProtocol
{
public:
    CCSprite();
    virtual ~CCSprite();

    static CCSprite* create();
    /** NULL (and a log line) when the image can't be loaded. */
    static CCSprite* create(const char* pszFileName);
    static CCSprite* create(const char* pszFileName, const CCRect& rect);
    static CCSprite* createWithTexture(CCTexture2D* pTexture);
    static CCSprite* createWithTexture(CCTexture2D* pTexture, const CCRect& rect);
    static CCSprite* createWithSpriteFrame(CCSpriteFrame* pSpriteFrame);
    /** NULL (and a log line) when the frame cache has no such frame. */
    static CCSprite* createWithSpriteFrameName(const char* pszSpriteFrameName);

    virtual bool init(void);
    virtual bool initWithTexture(CCTexture2D* pTexture);
    virtual bool initWithTexture(CCTexture2D* pTexture, const CCRect& rect);
    virtual bool initWithTexture(CCTexture2D* pTexture, const CCRect& rect, bool rotated);
    virtual bool initWithSpriteFrame(CCSpriteFrame* pSpriteFrame);
    virtual bool initWithSpriteFrameName(const char* pszSpriteFrameName);
    virtual bool initWithFile(const char* pszFilename);
    virtual bool initWithFile(const char* pszFilename, const CCRect& rect);

    // Texture and frame
    virtual void setTexture(CCTexture2D* texture);
    virtual CCTexture2D* getTexture(void);
    virtual void setTextureRect(const CCRect& rect);
    /** The rect in texture pixels (unrotated size), the rotation, and the content size to show it in. */
    virtual void setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize);
    virtual void setVertexRect(const CCRect& rect);
    const CCRect& getTextureRect(void) { return m_obRect; }
    bool isTextureRectRotated(void) { return m_bRectRotated; }
    /** Shows a frame: content size becomes its original size and a trimmed frame is offset. */
    virtual void setDisplayFrame(CCSpriteFrame* pNewFrame);
    virtual bool isFrameDisplayed(CCSpriteFrame* pFrame);
    /** A new frame describing what is shown now. */
    virtual CCSpriteFrame* displayFrame(void);
    virtual void setDisplayFrameWithAnimationName(const char* animationName, int frameIndex);
    const CCPoint& getOffsetPosition(void) { return m_obOffsetPosition; }

    // Looks
    void setFlipX(bool bFlipX);
    bool isFlipX(void) { return m_bFlipX; }
    void setFlipY(bool bFlipY);
    bool isFlipY(void) { return m_bFlipY; }
    virtual void setBlendFunc(ccBlendFunc blendFunc) { m_sBlendFunc = blendFunc; }
    virtual ccBlendFunc getBlendFunc(void) { return m_sBlendFunc; }
    virtual void setColor(const ccColor3B& color3);
    virtual void updateDisplayedColor(const ccColor3B& parentColor);
    virtual void setOpacity(GLubyte opacity);
    virtual void updateDisplayedOpacity(GLubyte parentOpacity);
    virtual void setOpacityModifyRGB(bool modify) { m_bOpacityModifyRGB = modify; updateColor(); }
    virtual bool isOpacityModifyRGB(void) { return m_bOpacityModifyRGB; }

    /** The quad as it will be drawn (in the sprite's own space). */
    const ccSpriteQuad& getQuad(void) { return m_sQuad; }

    // Batch node: a batch node draws its sprites as plain children.
    CCSpriteBatchNode* getBatchNode(void) { return m_pobBatchNode; }
    void setBatchNode(CCSpriteBatchNode* pobSpriteBatchNode) { m_pobBatchNode = pobSpriteBatchNode; }
    bool isDirty(void) { return false; }
    void setDirty(bool bDirty) { CC_UNUSED_PARAM(bDirty); }

    virtual void draw(void);

protected:
    void setTextureCoords(const CCRect& rect);
    void updateColor(void);
    void updateBlendFunc(void);

    CCSpriteBatchNode* m_pobBatchNode;   ///< weak
    CCTexture2D* m_pobTexture;           ///< retained
    ccBlendFunc m_sBlendFunc;
    CCRect m_obRect;
    bool m_bRectRotated;
    CCPoint m_obOffsetPosition;
    CCPoint m_obUnflippedOffsetPositionFromCenter;
    ccSpriteQuad m_sQuad;
    bool m_bOpacityModifyRGB;
    bool m_bFlipX;
    bool m_bFlipY;
};

NS_CC_END

#endif // __CC_SPRITE_H__
