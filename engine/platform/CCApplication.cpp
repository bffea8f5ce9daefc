#include "platform/CCApplication.h"

#include "base/CCConsole.h"
#include "nodes/CCDirector.h"
#include "platform/CCEGLView.h"

#include <SDL.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

NS_CC_BEGIN

CCApplication* CCApplication::sm_pSharedApplication = NULL;

CCApplication::CCApplication() : m_nExitStatus(0)
{
    sm_pSharedApplication = this;
}

CCApplication::~CCApplication()
{
    if (sm_pSharedApplication == this)
    {
        sm_pSharedApplication = NULL;
    }
}

CCApplication* CCApplication::sharedApplication()
{
    return sm_pSharedApplication;
}

int CCApplication::run()
{
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    if (!view || !view->isOpenGLReady())
    {
        CCLog("ERROR: CCApplication::run - no window to run in");
        return 1;
    }
    if (!applicationDidFinishLaunching())
    {
        // A game that could not start must not look like one that ended normally.
        CCLog("ERROR: CCApplication::run - the application failed to launch");
        return 1;
    }
    view->show();

    const Uint64 frequency = SDL_GetPerformanceFrequency();
    Uint64 nextFrame = SDL_GetPerformanceCounter();
    for (;;)
    {
        view->pollEvents();
        CCDirector* director = CCDirector::sharedDirector();
        if (view->isCloseRequested() || director->isEnding())
        {
            break;
        }
        director->mainLoop();

        double interval = director->getAnimationInterval();
        if (!(interval > 0.0))
        {
            interval = 1.0 / 60.0;
        }
        const Uint64 frameTicks = (Uint64)(interval * (double)frequency);
        nextFrame += frameTicks;
        const Uint64 now = SDL_GetPerformanceCounter();
        if (now < nextFrame)
        {
            const Uint32 ms = (Uint32)((nextFrame - now) * 1000 / frequency);
            if (ms > 0)
            {
                SDL_Delay(ms);
            }
        }
        else if (now - nextFrame > frameTicks * 4)
        {
            // Far behind (a stall): start counting again rather than racing to catch up.
            nextFrame = now;
        }
    }
    applicationWillTerminate();
    return m_nExitStatus;
}

void CCApplication::setAnimationInterval(double interval)
{
    CCDirector::sharedDirector()->setAnimationInterval(interval);
}

ccLanguageType CCApplication::languageForLocale(const char* locale)
{
    if (!locale || strlen(locale) < 2)
    {
        return kLanguageEnglish;
    }
    const char code[3] = { (char)tolower((unsigned char)locale[0]), (char)tolower((unsigned char)locale[1]), 0 };
    static const struct
    {
        const char* code;
        ccLanguageType language;
    } kCodes[] = {
        { "en", kLanguageEnglish },  { "zh", kLanguageChinese },    { "fr", kLanguageFrench },
        { "it", kLanguageItalian },  { "de", kLanguageGerman },     { "es", kLanguageSpanish },
        { "ru", kLanguageRussian },  { "ko", kLanguageKorean },     { "ja", kLanguageJapanese },
        { "hu", kLanguageHungarian }, { "pt", kLanguagePortuguese }, { "ar", kLanguageArabic },
    };
    for (size_t i = 0; i < sizeof(kCodes) / sizeof(kCodes[0]); ++i)
    {
        if (strcmp(code, kCodes[i].code) == 0)
        {
            return kCodes[i].language;
        }
    }
    return kLanguageEnglish;
}

ccLanguageType CCApplication::getCurrentLanguage()
{
    ccLanguageType language = kLanguageEnglish;
    SDL_Locale* locales = SDL_GetPreferredLocales();
    if (locales && locales[0].language)
    {
        language = languageForLocale(locales[0].language);
    }
    else
    {
        const char* env = getenv("LANG");
        language = languageForLocale(env);
    }
    SDL_free(locales);
    return language;
}

TargetPlatform CCApplication::getTargetPlatform()
{
    return kTargetWindows;
}

bool CCApplication::isTargetPlatform(TargetPlatform platform)
{
    return platform == kTargetWindows;
}

NS_CC_END
