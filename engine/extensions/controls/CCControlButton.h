#ifndef __CC_CONTROL_BUTTON_H__
#define __CC_CONTROL_BUTTON_H__

#include "extensions/controls/CCControl.h"

#include <map>
#include <string>

NS_CC_BEGIN
class CCSpriteFrame;
class CCString;
NS_CC_END

NS_CC_EXT_BEGIN

class CCScale9Sprite;

/**
 * A button: a title label over a stretchable background, each settable per control state (a
 * state without its own falls back to the normal one). With adjustBackgroundImage the
 * background wraps the title plus the margins; otherwise it takes the preferred size.
 */
class CCControlButton : public CCControl
{
public:
    CCControlButton();
    virtual ~CCControlButton();

    static CCControlButton* create();
    static CCControlButton* create(cocos2d::CCNode* label, CCScale9Sprite* backgroundSprite);
    static CCControlButton* create(const char* title, const char* fontName, float fontSize);
    static CCControlButton* create(CCScale9Sprite* sprite);
    virtual bool init();
    /** label: any node with the label protocols. */
    virtual bool initWithLabelAndBackgroundSprite(cocos2d::CCNode* label, CCScale9Sprite* backgroundSprite);

    // Per-state looks
    virtual cocos2d::CCString* getTitleForState(CCControlState state);
    virtual void setTitleForState(cocos2d::CCString* title, CCControlState state);
    virtual const cocos2d::ccColor3B getTitleColorForState(CCControlState state);
    virtual void setTitleColorForState(cocos2d::ccColor3B color, CCControlState state);
    virtual void setTitleTTFForState(const char* fontName, CCControlState state);
    virtual void setTitleTTFSizeForState(float size, CCControlState state);
    virtual void setTitleBMFontForState(const char* fntFile, CCControlState state);
    virtual CCScale9Sprite* getBackgroundSpriteForState(CCControlState state);
    virtual void setBackgroundSpriteForState(CCScale9Sprite* sprite, CCControlState state);
    virtual void setBackgroundSpriteFrameForState(cocos2d::CCSpriteFrame* spriteFrame, CCControlState state);

    // Layout
    cocos2d::CCNode* getTitleLabel() { return m_pTitleLabel; }
    CCScale9Sprite* getBackgroundSprite() { return m_pBackgroundSprite; }
    bool getAdjustBackgroundImage() { return m_bAdjustBackgroundImage; }
    void setAdjustBackgroundImage(bool adjust);
    cocos2d::CCSize getPreferredSize() { return m_preferredSize; }
    void setPreferredSize(cocos2d::CCSize size);
    cocos2d::CCPoint getLabelAnchorPoint() { return m_labelAnchorPoint; }
    void setLabelAnchorPoint(cocos2d::CCPoint point);
    bool getZoomOnTouchDown() { return m_bZoomOnTouchDown; }
    void setZoomOnTouchDown(bool zoom) { m_bZoomOnTouchDown = zoom; }
    void setMargins(int marginH, int marginV);
    int getHorizontalMargin() const { return m_nMarginH; }
    int getVerticalMargin() const { return m_nMarginV; }
    bool isPushed() { return m_bIsPushed; }
    virtual void needsLayout();

    virtual void setHighlighted(bool enabled);
    virtual void setOpacity(GLubyte opacity);
    virtual void setColor(const cocos2d::ccColor3B& color);

    virtual bool ccTouchBegan(cocos2d::CCTouch* pTouch, cocos2d::CCEvent* pEvent);
    virtual void ccTouchMoved(cocos2d::CCTouch* pTouch, cocos2d::CCEvent* pEvent);
    virtual void ccTouchEnded(cocos2d::CCTouch* pTouch, cocos2d::CCEvent* pEvent);
    virtual void ccTouchCancelled(cocos2d::CCTouch* pTouch, cocos2d::CCEvent* pEvent);

protected:
    void replaceTitleLabel(cocos2d::CCNode* label);

    bool m_bIsPushed;
    bool m_bParentInited;
    bool m_bAdjustBackgroundImage;
    bool m_bZoomOnTouchDown;
    int m_nMarginH;
    int m_nMarginV;
    cocos2d::CCSize m_preferredSize;
    cocos2d::CCPoint m_labelAnchorPoint;
    cocos2d::CCNode* m_pTitleLabel;             ///< a child
    CCScale9Sprite* m_pBackgroundSprite;        ///< the background shown now (a child)
    std::map<CCControlState, std::string> m_titles;
    std::map<CCControlState, cocos2d::ccColor3B> m_titleColors;
    std::map<CCControlState, CCScale9Sprite*> m_backgrounds;   ///< retained, children
    std::string m_sTTFName;
    float m_fTTFSize;
};

NS_CC_EXT_END

#endif // __CC_CONTROL_BUTTON_H__
