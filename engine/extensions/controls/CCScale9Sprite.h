#ifndef __CC_SCALE9_SPRITE_H__
#define __CC_SCALE9_SPRITE_H__

#include "nodes/CCNode.h"

NS_CC_BEGIN
class CCSprite;
class CCSpriteFrame;
class CCTexture2D;
NS_CC_END

NS_CC_EXT_BEGIN

/**
 * An image cut into a 3x3 grid by its cap insets: the corners keep their size, the edges stretch
 * along their length and the centre both ways, so the image fills any preferred size. Zero
 * insets cut the image into equal thirds. The nine pieces are sprites (children), in the order
 * bottom-left, bottom, bottom-right, left, centre, right, top-left, top, top-right.
 */
class CCScale9Sprite : public cocos2d::CCNodeRGBA
{
public:
    CCScale9Sprite();
    virtual ~CCScale9Sprite();

    static CCScale9Sprite* create();
    /** NULL (and a log line) when the image can't be loaded. */
    static CCScale9Sprite* create(const char* file);
    static CCScale9Sprite* create(const char* file, cocos2d::CCRect rect, cocos2d::CCRect capInsets);
    static CCScale9Sprite* createWithSpriteFrame(cocos2d::CCSpriteFrame* spriteFrame);
    static CCScale9Sprite* createWithSpriteFrame(cocos2d::CCSpriteFrame* spriteFrame, cocos2d::CCRect capInsets);
    static CCScale9Sprite* createWithSpriteFrameName(const char* spriteFrameName);
    virtual bool init();
    bool initWithSpriteFrame(cocos2d::CCSpriteFrame* spriteFrame, cocos2d::CCRect capInsets);
    /** rect: the part of the texture to use (zero for all of it). */
    bool initWithTexture(cocos2d::CCTexture2D* texture, cocos2d::CCRect rect, cocos2d::CCRect capInsets);

    /** Shows another image, keeping the preferred size and the insets. */
    virtual void setSpriteFrame(cocos2d::CCSpriteFrame* spriteFrame);
    cocos2d::CCSize getPreferredSize() { return m_preferredSize; }
    void setPreferredSize(cocos2d::CCSize size);
    virtual void setContentSize(const cocos2d::CCSize& size);
    cocos2d::CCSize getOriginalSize() const { return m_originalSize; }
    cocos2d::CCRect getCapInsets() { return m_capInsets; }
    void setCapInsets(cocos2d::CCRect capInsets);
    float getInsetLeft() const { return m_insetLeft; }
    void setInsetLeft(float v);
    float getInsetTop() const { return m_insetTop; }
    void setInsetTop(float v);
    float getInsetRight() const { return m_insetRight; }
    void setInsetRight(float v);
    float getInsetBottom() const { return m_insetBottom; }
    void setInsetBottom(float v);
    /** One of the nine pieces (0 bottom-left ... 8 top-right), NULL before an image is set. */
    cocos2d::CCSprite* getPiece(int index);

    virtual void setColor(const cocos2d::ccColor3B& color);
    virtual void setOpacity(GLubyte opacity);

protected:
    void updateCapInsetsFromSides();
    void rebuildPieces();
    void layoutPieces();
    bool initWithRegion(cocos2d::CCTexture2D* texture, cocos2d::CCRect rect, bool rotated, cocos2d::CCRect capInsets);
    cocos2d::CCRect regionOf(const cocos2d::CCRect& part) const;

    cocos2d::CCTexture2D* m_pTexture;   ///< retained
    cocos2d::CCRect m_spriteRect;       ///< the image's part of the texture (upright size)
    bool m_bRectRotated;                ///< stored turned a quarter clockwise, as packed
    cocos2d::CCSize m_originalSize;
    cocos2d::CCSize m_preferredSize;
    cocos2d::CCRect m_capInsets;        ///< the centre piece, in the image's own pixels (y down)
    float m_insetLeft;
    float m_insetTop;
    float m_insetRight;
    float m_insetBottom;
    cocos2d::CCSprite* m_pieces[9];     ///< children
};

NS_CC_EXT_END

#endif // __CC_SCALE9_SPRITE_H__
