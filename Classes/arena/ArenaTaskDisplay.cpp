#include "ArenaTaskDisplay.h"

#include "CCLabelBMFont.h"
#include "CCNode.h"
#include "VornScreen.h"

NS_CC_BEGIN

ArenaTaskDisplay* ArenaTaskDisplay::create(VornScreen* owner, const char* labelName, const char* barName)
{
    ArenaTaskDisplay* display = new ArenaTaskDisplay();
    display->autorelease();
    if (owner)
    {
        owner->registerMemberVariable(labelName, &display->m_pLabel);
        owner->registerMemberVariable(barName, &display->m_pProgressBar);
    }
    return display;
}

ArenaTaskDisplay::ArenaTaskDisplay() : m_pLabel(NULL), m_pProgressBar(NULL)
{
}

void ArenaTaskDisplay::setText(const char* text)
{
    if (m_pLabel)
    {
        m_pLabel->setString(text ? text : "");
    }
}

void ArenaTaskDisplay::setProgress(float progress)
{
    if (m_pProgressBar)
    {
        m_pProgressBar->setScaleX(progress);
    }
}

void ArenaTaskDisplay::fitLabelWidth()
{
    if (m_pLabel)
    {
        m_pLabel->setWidth(m_pLabel->getContentSize().width * m_pLabel->getScaleX());
    }
}

NS_CC_END
