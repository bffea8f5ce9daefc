#ifndef __CINEMASCOPE_SCREEN_H__
#define __CINEMASCOPE_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

/** Letterbox bars for cut scenes, run in and out by the layout's "open" and "close" timelines. */
class CinemascopeScreen : public VornScreen
{
public:
    CinemascopeScreen();
    virtual ~CinemascopeScreen() {}
    CREATE_FUNC(CinemascopeScreen);

    /** Reads "hud-cinemascope"; hidden until opened. */
    virtual bool init();
    /** Gone at once; the top bar stays collapsed until "open" sets it again. */
    virtual void hide();

    virtual CCNode* getTopBar() { return m_pTopBar; }

private:
    CCNode* m_pTopBar;
};

NS_CC_END

#endif // __CINEMASCOPE_SCREEN_H__
