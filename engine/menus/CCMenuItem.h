#ifndef __CC_MENU_ITEM_H__
#define __CC_MENU_ITEM_H__

#include "nodes/CCNode.h"

NS_CC_BEGIN

class CCSpriteFrame;

/**
 * Something a menu can select and activate. Activation calls the target's selector with the
 * item; the target is not retained (its owner keeps it alive).
 */
class CCMenuItem : public CCNodeRGBA
{
public:
    CCMenuItem();
    virtual ~CCMenuItem();

    static CCMenuItem* create();
    static CCMenuItem* create(CCObject* rec, SEL_MenuHandler selector);
    bool initWithTarget(CCObject* rec, SEL_MenuHandler selector);

    /** The item's rectangle in its parent's space. */
    CCRect rect();
    /** Calls the selector when the item is enabled. */
    virtual void activate();
    virtual void selected();
    virtual void unselected();
    virtual bool isEnabled();
    virtual void setEnabled(bool value);
    virtual bool isSelected();
    void setTarget(CCObject* rec, SEL_MenuHandler selector);
    CCObject* getTarget() { return m_pListener; }
    SEL_MenuHandler getSelector() { return m_pfnSelector; }

protected:
    bool m_bSelected;
    bool m_bEnabled;
    CCObject* m_pListener;   ///< weak
    SEL_MenuHandler m_pfnSelector;
};

/**
 * An item shown by a label (any node with CCLabelProtocol and CCRGBAProtocol). Selection zooms
 * the label to 1.2 times its scale; a disabled item shows the disabled colour.
 */
class CCMenuItemLabel : public CCMenuItem
{
public:
    CCMenuItemLabel();
    static CCMenuItemLabel* create(CCNode* label, CCObject* target, SEL_MenuHandler selector);
    static CCMenuItemLabel* create(CCNode* label);
    bool initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector);

    void setString(const char* label);
    CCNode* getLabel() { return m_pLabel; }
    /** Replaces the label child; the item takes the new label's size. */
    void setLabel(CCNode* label);
    const ccColor3B& getDisabledColor() { return m_tDisabledColor; }
    void setDisabledColor(const ccColor3B& color) { m_tDisabledColor = color; }

    virtual void activate();
    virtual void selected();
    virtual void unselected();
    virtual void setEnabled(bool enabled);

protected:
    ccColor3B m_tColorBackup;
    ccColor3B m_tDisabledColor;
    float m_fOriginalScale;
    CCNode* m_pLabel;   ///< a child
};

/** A label item made with a TTF label in the menu font (settable for all later items). */
class CCMenuItemFont : public CCMenuItemLabel
{
public:
    static void setFontSize(unsigned int size);
    static unsigned int fontSize();
    static void setFontName(const char* name);
    static const char* fontName();
    static CCMenuItemFont* create(const char* value);
    static CCMenuItemFont* create(const char* value, CCObject* target, SEL_MenuHandler selector);
    bool initWithString(const char* value, CCObject* target, SEL_MenuHandler selector);
};

/**
 * An item drawn with a normal, a selected and a disabled image (any nodes; the last two may be
 * NULL). The item has the normal image's size.
 */
class CCMenuItemSprite : public CCMenuItem
{
public:
    CCMenuItemSprite();
    static CCMenuItemSprite* create(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite = NULL);
    static CCMenuItemSprite* create(CCNode* normalSprite, CCNode* selectedSprite, CCObject* target, SEL_MenuHandler selector);
    static CCMenuItemSprite* create(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite,
                                    CCObject* target, SEL_MenuHandler selector);
    bool initWithNormalSprite(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite,
                              CCObject* target, SEL_MenuHandler selector);

    CCNode* getNormalImage() { return m_pNormalImage; }
    void setNormalImage(CCNode* image);
    CCNode* getSelectedImage() { return m_pSelectedImage; }
    void setSelectedImage(CCNode* image);
    CCNode* getDisabledImage() { return m_pDisabledImage; }
    void setDisabledImage(CCNode* image);

    virtual void selected();
    virtual void unselected();
    virtual void setEnabled(bool enabled);

protected:
    virtual void updateImagesVisibility();
    void replaceImage(CCNode*& slot, CCNode* image, int tag);

    CCNode* m_pNormalImage;     ///< children
    CCNode* m_pSelectedImage;
    CCNode* m_pDisabledImage;
};

/** A sprite item made from image files or sprite frames. */
class CCMenuItemImage : public CCMenuItemSprite
{
public:
    static CCMenuItemImage* create();
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage);
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, const char* disabledImage);
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, CCObject* target,
                                   SEL_MenuHandler selector);
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, const char* disabledImage,
                                   CCObject* target, SEL_MenuHandler selector);
    virtual bool init();
    /** False (and a log line) when the normal image can't be loaded. */
    bool initWithNormalImage(const char* normalImage, const char* selectedImage, const char* disabledImage,
                             CCObject* target, SEL_MenuHandler selector);

    void setNormalSpriteFrame(CCSpriteFrame* frame);
    void setSelectedSpriteFrame(CCSpriteFrame* frame);
    void setDisabledSpriteFrame(CCSpriteFrame* frame);
};

NS_CC_END

#endif // __CC_MENU_ITEM_H__
