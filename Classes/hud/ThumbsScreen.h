#ifndef __THUMBS_SCREEN_H__
#define __THUMBS_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

class CCLabelBMFont;
class CCSprite;

/**
 * Hints at the left and right edges of the screen: a thumb pointing at the touch controls with a
 * short text in a box. Each side shows and hides by its own timelines; showing one side hides the
 * other when its show ends. Without touch controls the thumbs are left out and the texts sit in
 * the corners.
 */
class ThumbsScreen : public VornScreen
{
public:
    ThumbsScreen();
    virtual ~ThumbsScreen();
    CREATE_FUNC(ThumbsScreen);

    /** Reads "thumbs"; the root's children 0 and 1 are the two sides, both hidden. */
    virtual bool init();

    void showLeftThumb(const char* text);
    void showRightThumb(const char* text);
    /** Runs the side's hide timeline (refused while another timeline runs); false when refused. */
    bool hideLeftThumb();
    bool hideRightThumb();
    /** Both sides gone at once; the screen's own visibility is left alone. */
    virtual void hide();

    /** Ends of the side timelines. */
    void onLeftThumbShown();
    void onRightThumbShown();
    void onLeftThumbHidden();
    void onRightThumbHidden();

    virtual CCNode* getLeftThumbNode() { return m_pLeftThumbNode; }
    virtual CCNode* getRightThumbNode() { return m_pRightThumbNode; }
    virtual CCSprite* getLeftThumbSprite() { return m_pLeftThumbSprite; }
    virtual CCSprite* getRightThumbSprite() { return m_pRightThumbSprite; }
    virtual CCNode* getLeftThumbLabelBox() { return m_pLeftThumbLabelBox; }
    virtual CCNode* getRightThumbLabelBox() { return m_pRightThumbLabelBox; }
    virtual CCLabelBMFont* getLeftThumbLabel() { return m_pLeftThumbLabel; }
    virtual CCLabelBMFont* getRightThumbLabel() { return m_pRightThumbLabel; }
    virtual const CCSize& getLabelMargin() { return m_labelMargin; }
    virtual void setLabelMargin(const CCSize& margin) { m_labelMargin = margin; }

    /** Sizes and places a box round a label's bounding box, with the margin split on both sides. */
    static void fitLabelBox(CCNode* box, CCNode* label, const CCSize& margin);

private:
    void applyControlLayout();

    CCNode* m_pLeftThumbNode;   ///< retained
    CCNode* m_pRightThumbNode;  ///< retained
    CCSprite* m_pLeftThumbSprite;
    CCSprite* m_pRightThumbSprite;
    CCNode* m_pLeftThumbLabelBox;
    CCNode* m_pRightThumbLabelBox;
    CCLabelBMFont* m_pLeftThumbLabel;
    CCLabelBMFont* m_pRightThumbLabel;
    CCSize m_labelMargin;
};

NS_CC_END

#endif // __THUMBS_SCREEN_H__
