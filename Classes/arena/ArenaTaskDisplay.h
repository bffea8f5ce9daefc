#ifndef __ARENA_TASK_DISPLAY_H__
#define __ARENA_TASK_DISPLAY_H__

#include "CCObject.h"

NS_CC_BEGIN

class CCLabelBMFont;
class CCNode;
class VornScreen;

/** A task's text and progress bar in an overlay's layout (filled in when the layout loads). */
class ArenaTaskDisplay : public CCObject
{
public:
    /** Registers both member names with the screen, so its layout fills the display. */
    static ArenaTaskDisplay* create(VornScreen* owner, const char* labelName, const char* barName);

    ArenaTaskDisplay();

    /** The label's text; nothing without a label. */
    void setText(const char* text);
    /** The bar's horizontal scale, 0 to 1 for none to done; nothing without a bar. */
    void setProgress(float progress);
    /** Long texts wrap inside the width the layout gave the label. */
    void fitLabelWidth();

    /** Both are the screen's members: the screen holds them, the display only points at them. */
    virtual CCLabelBMFont* getLabel() { return m_pLabel; }
    virtual void setLabel(CCLabelBMFont* label) { m_pLabel = label; }
    virtual CCNode* getProgressBar() { return m_pProgressBar; }
    virtual void setProgressBar(CCNode* bar) { m_pProgressBar = bar; }

protected:
    CCLabelBMFont* m_pLabel;
    CCNode* m_pProgressBar;
};

NS_CC_END

#endif // __ARENA_TASK_DISPLAY_H__
