#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "MessageBoxScreen.h"
#include "ScreenTestSupport.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
// The screen that asks: answers arrive on it, after the box has closed and before it goes.
class Asker : public CCNode
{
public:
    CREATE_FUNC(Asker);
    void onYes() { note("yes"); }
    void onNo() { note("no"); }
    void onBack() { note("back"); }
    void note(const char* answer)
    {
        answers.push_back(answer);
        boxHiddenButStillHere = box && !box->isVisible() && box->getParent() == this;
    }
    std::vector<std::string> answers;
    MessageBoxScreen* box = NULL;
    bool boxHiddenButStillHere = false;
};

CCMenuItem* itemOf(CCLabelBMFont* label)
{
    return label ? dynamic_cast<CCMenuItem*>(label->getParent()) : NULL;
}

class MessageBoxTest : public ::testing::Test
{
protected:
    virtual void SetUp()
    {
        CCPoolManager::sharedPoolManager()->push();
        CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
        CCDirector::sharedDirector()->setWinSize(CCSize(480, 340));
        CCScene* scene = CCScene::create();
        CCDirector::sharedDirector()->runWithScene(scene);
        m_asker = Asker::create();
        scene->addChild(m_asker);
        // Where pad focus was before the question.
        m_previous = CCMenuItem::create();
        CCMenuGamepad* menu = CCMenuGamepad::create(m_previous, NULL);
        scene->addChild(menu);
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setFocusMenuItem(m_previous, -1);
    }
    virtual void TearDown()
    {
        CCDirector::purgeSharedDirector();
        CCPoolManager::sharedPoolManager()->pop();
    }

    MessageBoxScreen* ask(const char* yes, const char* no)
    {
        m_asker->box = MessageBoxScreen::showMessageBox(m_asker, "Quit the game?", yes, no,
                                                        messagebox_selector(Asker::onYes),
                                                        messagebox_selector(Asker::onNo), NULL);
        return m_asker->box;
    }

    Asker* m_asker = NULL;
    CCMenuItem* m_previous = NULL;
};
} // namespace

TEST_F(MessageBoxTest, YesClosesTheBoxThenAnswersOnTheParentOnce)
{
    MessageBoxScreen* box = ask(NULL, NULL);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(m_asker, box->getParent());
    EXPECT_TRUE(box->isVisible());
    ASSERT_NE(nullptr, box->getMessageLabel());
    EXPECT_STREQ("Quit the game?", box->getMessageLabel()->getString());
    CCMenuItem* yes = itemOf(box->getYesLabel());
    CCMenuItem* no = itemOf(box->getNoLabel());
    ASSERT_NE(nullptr, yes);
    ASSERT_NE(nullptr, no);
    EXPECT_EQ(m_previous, box->getPreviousSelection());

    yes->activate();  // still opening: refused
    stepFrames(4, 0.1f);
    EXPECT_TRUE(box->isOpen());
    EXPECT_EQ(no, CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(0));
    EXPECT_TRUE(m_asker->answers.empty());

    yes->activate();
    no->activate();  // a second answer while closing is refused
    EXPECT_TRUE(m_asker->answers.empty());
    stepFrames(3, 0.1f);
    std::vector<std::string> expected = { "yes" };
    EXPECT_EQ(expected, m_asker->answers);
    EXPECT_TRUE(m_asker->boxHiddenButStillHere);
    EXPECT_EQ(0u, m_asker->getChildrenCount());
    for (int player = 0; player < 4; ++player)
    {
        EXPECT_EQ(m_previous, CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(player));
    }
}

TEST_F(MessageBoxTest, BackWithoutACallbackOnlyClosesAndRestoresFocus)
{
    MessageBoxScreen* box = ask("Sure", "Never");
    ASSERT_NE(nullptr, box);
    EXPECT_STREQ("Sure", box->getYesLabel()->getString());
    EXPECT_STREQ("Never", box->getNoLabel()->getString());
    stepFrames(4, 0.1f);
    ASSERT_NE(nullptr, box->getDefaultMenuItem());
    CCMenuGamepad* menu = dynamic_cast<CCMenuGamepad*>(box->getDefaultMenuItem()->getParent());
    ASSERT_NE(nullptr, menu);
    EXPECT_TRUE(menu->callSelector(kMenuGamepadInput_Back, 0));
    stepFrames(3, 0.1f);
    EXPECT_TRUE(m_asker->answers.empty());
    EXPECT_EQ(0u, m_asker->getChildrenCount());
    EXPECT_EQ(m_previous, CCMenuGamepadInputDispatcher::sharedDispatcher()->getFocusMenuItem(0));
}

TEST_F(MessageBoxTest, NullTextsKeepTheLayoutCaptionsAndNoAnswersTheNoCallback)
{
    MessageBoxScreen* box = ask(NULL, NULL);
    ASSERT_NE(nullptr, box);
    MessageBoxScreen* fresh = new MessageBoxScreen();
    ASSERT_TRUE(fresh->setup("", NULL, NULL, NULL));
    EXPECT_STREQ(fresh->getYesLabel()->getString(), box->getYesLabel()->getString());
    EXPECT_STREQ(fresh->getNoLabel()->getString(), box->getNoLabel()->getString());
    fresh->cleanup();
    fresh->release();

    stepFrames(4, 0.1f);
    itemOf(box->getNoLabel())->activate();
    stepFrames(3, 0.1f);
    std::vector<std::string> expected = { "no" };
    EXPECT_EQ(expected, m_asker->answers);
}

TEST_F(MessageBoxTest, AMissingLayoutGivesNoBoxAndALogLine)
{
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::makeTempDir("empty").c_str());
    vorntest::LogCapture log;
    EXPECT_EQ(nullptr, ask(NULL, NULL));
    EXPECT_TRUE(log.contains("Error: Unable to open message box 'Quit the game?'"));
    EXPECT_EQ(0u, m_asker->getChildrenCount());
    stepFrames(5, 0.1f);
    EXPECT_TRUE(m_asker->answers.empty());
}
