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
    // The logos are scaled up smoothly, unlike the game's pixel art.
    CCSprite* sprites[] = { m_pLogoSprite, m_pOskvellSprite, m_pTaglineSprite };
    for (size_t i = 0; i < sizeof(sprites) / sizeof(sprites[0]); ++i)
    {
        if (sprites[i] && sprites[i]->getTexture())
        {
            sprites[i]->getTexture()->setAntiAliasTexParameters();
        }
    }
    setVisible(false);
    return true;
}

NS_CC_END
