#ifndef __SPLASH_SCREEN_H__
#define __SPLASH_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

class CCSprite;

/**
 * The logos and tagline shown while the program starts. The whole animation is the layout's
 * "open" timeline: its end (the opened signal) lets the game build its world.
 */
class SplashScreen : public VornScreen
{
public:
    SplashScreen();
    virtual ~SplashScreen() {}
    CREATE_FUNC(SplashScreen);

    /** Reads "splash-screen-nudity"; hidden until opened. */
    virtual bool init();

    CCSprite* getLogoSprite() { return m_pLogoSprite; }
    CCSprite* getOskvellSprite() { return m_pOskvellSprite; }
    CCSprite* getTaglineSprite() { return m_pTaglineSprite; }

private:
    CCSprite* m_pLogoSprite;     ///< optional
    CCSprite* m_pOskvellSprite;  ///< optional
    CCSprite* m_pTaglineSprite;  ///< optional
};

NS_CC_END

#endif // __SPLASH_SCREEN_H__
