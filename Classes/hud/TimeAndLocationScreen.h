#ifndef __TIME_AND_LOCATION_SCREEN_H__
#define __TIME_AND_LOCATION_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

class CCLabelBMFont;

/** The caption naming a level's place and time, shown by "open" and taken away by "close". */
class TimeAndLocationScreen : public VornScreen
{
public:
    TimeAndLocationScreen();
    virtual ~TimeAndLocationScreen() {}
    CREATE_FUNC(TimeAndLocationScreen);

    /** Reads "time-and-location"; hidden until opened. */
    virtual bool init();
    virtual void open();
    /** Also while "open" still runs: the caption can go before it has fully arrived. */
    virtual void close();

    /** Sets both texts (already localised or plain). */
    void setTexts(const char* timePeriod, const char* locationName);

    virtual CCLabelBMFont* getLocationNameLabel() { return m_pLocationNameLabel; }
    virtual CCLabelBMFont* getTimePeriodLabel() { return m_pTimePeriodLabel; }

private:
    CCLabelBMFont* m_pLocationNameLabel;
    CCLabelBMFont* m_pTimePeriodLabel;
};

NS_CC_END

#endif // __TIME_AND_LOCATION_SCREEN_H__
