#ifndef __CC_APPLICATION_PROTOCOL_H__
#define __CC_APPLICATION_PROTOCOL_H__

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

/** The platform values the game asks about. */
typedef enum
{
    kTargetWindows = 1,
    kTargetLinux = 2,
    kTargetMacOS = 3,
    kTargetAndroid = 4,
    kTargetIphone = 5,
    kTargetIpad = 6,
    kTargetBlackBerry = 7,
    kTargetIOS = 8,
    kTargetOuya = 9,
    kTargetGameStick = 10,
    kTargetGamepadConsole = 11,
    kTarget_MAX
} TargetPlatform;

typedef enum
{
    kLanguageEnglish = 0,
    kLanguageChinese,
    kLanguageFrench,
    kLanguageItalian,
    kLanguageGerman,
    kLanguageSpanish,
    kLanguageRussian,
    kLanguageKorean,
    kLanguageJapanese,
    kLanguageHungarian,
    kLanguagePortuguese,
    kLanguageArabic,
    kLanguage_MAX
} ccLanguageType;

/** What the application loop calls on the game, and what the game may ask of it. */
class CCApplicationProtocol
{
public:
    virtual ~CCApplicationProtocol() {}
    /** The window and director are ready: build and run the first scene. False ends the run. */
    virtual bool applicationDidFinishLaunching() = 0;
    /** The window was minimised. */
    virtual void applicationDidEnterBackground() = 0;
    /** The window came back from being minimised. */
    virtual void applicationWillEnterForeground() = 0;
    /** The loop has ended (the window was closed or the director ended): last chance to save. */
    virtual void applicationWillTerminate() {}
    /** Seconds per frame of the loop. */
    virtual void setAnimationInterval(double interval) = 0;
    virtual ccLanguageType getCurrentLanguage() = 0;
    virtual TargetPlatform getTargetPlatform() = 0;
    virtual bool isTargetPlatform(TargetPlatform platform) = 0;
};

NS_CC_END

#endif // __CC_APPLICATION_PROTOCOL_H__
