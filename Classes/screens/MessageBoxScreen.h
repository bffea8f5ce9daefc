#ifndef __MESSAGE_BOX_SCREEN_H__
#define __MESSAGE_BOX_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

class CCMenuGamepad;

class CCLabelBMFont;

/** A handler without argument of the node that asked; called on that node. */
typedef SEL_CallFunc MessageBoxCallback;
#define messagebox_selector(_SELECTOR) callfunc_selector(_SELECTOR)

/**
 * A modal yes/no question. It is made on demand as a child of the screen that asks, opens at
 * once, answers once (yes, no or back) and then removes itself; the answer's callback runs on the
 * asking node after the box has closed, and pad focus returns to where it was.
 */
class MessageBoxScreen : public VornScreen
{
public:
    MessageBoxScreen();
    virtual ~MessageBoxScreen();

    /**
     * Asks the question: texts are already localised; a NULL yes or no text keeps the layout's
     * caption; NULL callbacks are skipped. The box belongs to parent. NULL, logged, on failure.
     */
    static MessageBoxScreen* showMessageBox(CCNode* parent, const char* text, const char* yesText,
                                            const char* noText, MessageBoxCallback yesCallback,
                                            MessageBoxCallback noCallback, MessageBoxCallback backCallback);

    /** Reads "message-box", sets the text, keeps the callbacks; hidden until opened. */
    virtual bool setup(const char* text, MessageBoxCallback yesCallback, MessageBoxCallback noCallback,
                       MessageBoxCallback backCallback);

    virtual CCLabelBMFont* getMessageLabel() { return m_pMessageLabel; }
    virtual CCLabelBMFont* getNoLabel() { return m_pNoLabel; }
    virtual CCLabelBMFont* getYesLabel() { return m_pYesLabel; }
    virtual CCMenuItem* getPreviousSelection() { return m_pPreviousSelection; }

    void onYes();
    void onNo();
    void onBack();

private:
    /** Closes the box, then runs the answer; a second answer while closing is refused. */
    void answer(MessageBoxCallback callback);
    void onAnswerClosed();

    MessageBoxCallback m_yesCallback;
    MessageBoxCallback m_noCallback;
    MessageBoxCallback m_backCallback;
    MessageBoxCallback m_pendingCallback;
    bool m_bAnswered;
    CCLabelBMFont* m_pMessageLabel;
    CCLabelBMFont* m_pNoLabel;
    CCLabelBMFont* m_pYesLabel;
    CCMenuItem* m_pPreviousSelection;  ///< retained
    CCMenuGamepad* m_pPreviousMenu;    ///< retained; takes the focus back when no item had it
};

NS_CC_END

#endif // __MESSAGE_BOX_SCREEN_H__
