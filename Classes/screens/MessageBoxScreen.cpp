#include "MessageBoxScreen.h"

#include "CCLabelBMFont.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"

NS_CC_BEGIN

MessageBoxScreen::MessageBoxScreen()
    : m_yesCallback(NULL), m_noCallback(NULL), m_backCallback(NULL), m_pendingCallback(NULL), m_bAnswered(false),
      m_pMessageLabel(NULL), m_pNoLabel(NULL), m_pYesLabel(NULL), m_pPreviousSelection(NULL),
      m_pPreviousMenu(NULL)
{
}

MessageBoxScreen::~MessageBoxScreen()
{
    CC_SAFE_RELEASE(m_pPreviousSelection);
    CC_SAFE_RELEASE(m_pPreviousMenu);
}

MessageBoxScreen* MessageBoxScreen::showMessageBox(CCNode* parent, const char* text, const char* yesText,
                                                   const char* noText, MessageBoxCallback yesCallback,
                                                   MessageBoxCallback noCallback, MessageBoxCallback backCallback)
{
    const char* shown = text ? text : "";
    MessageBoxScreen* box = new MessageBoxScreen();
    if (!parent || !box->setup(text, yesCallback, noCallback, backCallback))
    {
        CCLog("Error: Unable to open message box '%s'", shown);
        // The box's selector proxies hold it; cleanup lets them go so it can be freed.
        box->cleanup();
        box->release();
        return NULL;
    }
    if (yesText && box->m_pYesLabel)
    {
        box->m_pYesLabel->setString(yesText);
    }
    if (noText && box->m_pNoLabel)
    {
        box->m_pNoLabel->setString(noText);
    }
    parent->addChild(box);
    box->release();
    box->open();
    return box;
}

bool MessageBoxScreen::setup(const char* text, MessageBoxCallback yesCallback, MessageBoxCallback noCallback,
                             MessageBoxCallback backCallback)
{
    registerMemberVariable("messageLabel", &m_pMessageLabel);
    registerMemberVariable("noLabel", &m_pNoLabel);
    registerMemberVariable("yesLabel", &m_pYesLabel);
    registerMenuItemSelector("onNo", vornscreen_selector(MessageBoxScreen::onNo));
    registerMenuItemSelector("onYes", vornscreen_selector(MessageBoxScreen::onYes));
    registerMenuItemSelector("onBack", vornscreen_selector(MessageBoxScreen::onBack));
    if (!initWithCCBFile("message-box"))
    {
        return false;
    }
    CCMenuItem* previous = CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(0);
    CC_SAFE_RETAIN(previous);
    CC_SAFE_RELEASE(m_pPreviousSelection);
    m_pPreviousSelection = previous;
    // The item that asked has given up the focus when it was activated: its menu gets it back.
    CCMenuGamepad* menu = CCMenuGamepadInputDispatcher::sharedDispatcher()->getActiveMenu(0);
    CC_SAFE_RETAIN(menu);
    CC_SAFE_RELEASE(m_pPreviousMenu);
    m_pPreviousMenu = menu;
    if (m_pMessageLabel)
    {
        m_pMessageLabel->setString(text ? text : "");
    }
    m_yesCallback = yesCallback;
    m_noCallback = noCallback;
    m_backCallback = backCallback;
    setVisible(false);
    return true;
}

void MessageBoxScreen::onYes()
{
    answer(m_yesCallback);
}

void MessageBoxScreen::onNo()
{
    answer(m_noCallback);
}

void MessageBoxScreen::onBack()
{
    answer(m_backCallback);
}

void MessageBoxScreen::answer(MessageBoxCallback callback)
{
    if (m_bAnswered)
    {
        return;
    }
    if (runTimeline("close", callfunc_selector(MessageBoxScreen::onAnswerClosed), false))
    {
        m_bAnswered = true;
        m_bClosing = true;
        m_pendingCallback = callback;
        return;
    }
    if (!isTimelineRunning())
    {
        // No "close" in the layout: answer at once rather than leave the question up for good.
        CCLog("MessageBoxScreen - the layout has no 'close' timeline; the box closes at once");
        m_bAnswered = true;
        m_bClosing = true;
        m_pendingCallback = callback;
        onAnswerClosed();
    }
}

void MessageBoxScreen::onAnswerClosed()
{
    // Removal below drops the parent's reference; stay alive until the end.
    retain();
    onClosed();
    // Before the answer's handler, so a handler that moves on to another menu keeps the focus there.
    if (!(m_pPreviousSelection && m_pPreviousSelection->getParent()) && m_pPreviousMenu &&
        m_pPreviousMenu->getParent())
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setActiveMenu(m_pPreviousMenu, -1);
    }
    CCNode* parent = getParent();
    if (parent && m_pendingCallback)
    {
        (parent->*m_pendingCallback)();
    }
    if (m_pPreviousSelection && m_pPreviousSelection->getParent())
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setFocusMenuItem(m_pPreviousSelection, -1);
    }

    removeFromParentAndCleanup(true);
    release();
}

NS_CC_END
