#include "SplashScreen.h"

#include "CCSprite.h"
#include "CCTexture2D.h"

NS_CC_BEGIN

SplashScreen::SplashScreen() : m_pLogoSprite(NULL), m_pOskvellSprite(NULL), m_pTaglineSprite(NULL) {}

bool SplashScreen::init()
{
    registerMemberVariable("logoSprite", &m_pLogoSprite);
    registerMemberVariable("oskvellSprite", &m_pOskvellSprite);
    registerMemberVariable("taglineSprite", &m_pTaglineSprite);
    if (!initWithCCBFile("splash-screen-nudity"))
    {
        return false;
    }
    // The logos are scaled smoothly, unlike the game's pixel art. Each gets a texture of its own:
    // the title and the achievement pop-ups show the same images from the shared cache, and their
    // layouts set those to nearest filtering while the world is built behind the held splash.
    CCSprite* sprites[] = { m_pLogoSprite, m_pOskvellSprite, m_pTaglineSprite };
    for (size_t i = 0; i < sizeof(sprites) / sizeof(sprites[0]); ++i)
    {
        CCTexture2D* shared = sprites[i] ? sprites[i]->getTexture() : NULL;
        if (!shared || !shared->getSurface())
        {
            continue;
        }
        CCTexture2D* own = new CCTexture2D();
        if (own->initWithSurface(shared->getSurface()))
        {
            own->setAntiAliasTexParameters();
            sprites[i]->setTexture(own);
        }
        else
        {
            CCLog("SplashScreen::init - could not copy a logo's texture; it shares the title's filtering");
            shared->setAntiAliasTexParameters();
        }
        own->release();
    }
    setVisible(false);
    return true;
}

NS_CC_END
