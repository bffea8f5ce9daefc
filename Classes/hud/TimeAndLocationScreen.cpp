#include "TimeAndLocationScreen.h"

#include "CCLabelBMFont.h"

NS_CC_BEGIN

TimeAndLocationScreen::TimeAndLocationScreen() : m_pLocationNameLabel(NULL), m_pTimePeriodLabel(NULL) {}

bool TimeAndLocationScreen::init()
{
    registerMemberVariable("locationNameLabel", &m_pLocationNameLabel);
    registerMemberVariable("timePeriodLabel", &m_pTimePeriodLabel);
    if (!initWithCCBFile("time-and-location"))
    {
        return false;
    }
    setSlideDuration(0.25f);
    setVisible(false);
    return true;
}

void TimeAndLocationScreen::open()
{
    if (isVisible())
    {
        return;
    }
    setVisible(true);
    if (!startOrFinish("open", callfunc_selector(TimeAndLocationScreen::onOpened), true) && !hasTimeline("open"))
    {
        onOpened();
    }
}

void TimeAndLocationScreen::close()
{
    if (!isVisible())
    {
        return;
    }
    m_bClosing = true;
    if (!startOrFinish("close", callfunc_selector(TimeAndLocationScreen::onClosed), true) && !hasTimeline("close"))
    {
        onClosed();
    }
}

void TimeAndLocationScreen::setTexts(const char* timePeriod, const char* locationName)
{
    if (m_pTimePeriodLabel)
    {
        m_pTimePeriodLabel->setString(timePeriod ? timePeriod : "");
    }
    if (m_pLocationNameLabel)
    {
        m_pLocationNameLabel->setString(locationName ? locationName : "");
    }
}

NS_CC_END
