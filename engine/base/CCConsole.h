#ifndef __CC_CONSOLE_H__
#define __CC_CONSOLE_H__

#include "CCPlatformMacros.h"

NS_CC_BEGIN

/** Writes a printf-style line to standard output, newline added. Errors stay visible in every build. */
void CCLog(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));

/** Receives every logged line (without the newline); tests use it to see what was logged. */
typedef void (*CCLogObserver)(const char* line, void* userData);
/** Sets the one observer (NULL removes it); the line is still printed. */
void CCLogSetObserver(CCLogObserver observer, void* userData);

/** A failed assertion is logged and the program goes on, as callers expect in release builds. */
void CCAssertFailed(const char* condition, const char* message, const char* file, int line);

NS_CC_END

#define CCAssert(cond, msg) \
    do { if (!(cond)) { ::cocos2d::CCAssertFailed(#cond, (msg), __FILE__, __LINE__); } } while (0)

#define CCLOG(...) ::cocos2d::CCLog(__VA_ARGS__)
#define CCLOGINFO(...) do {} while (0)
#define CCLOGERROR(...) ::cocos2d::CCLog(__VA_ARGS__)
#define CCLOGWARN(...) ::cocos2d::CCLog(__VA_ARGS__)

#endif // __CC_CONSOLE_H__
