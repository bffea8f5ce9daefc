#ifndef __CC_CONSOLE_H__
#define __CC_CONSOLE_H__

#include "CCPlatformMacros.h"

NS_CC_BEGIN

/** Writes a printf-style line, newline added: problems ("ERROR...", "Class::method - ...", "... not
 *  found") to standard error, everything else to standard output. Errors stay visible in every build. */
void CCLog(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));

/** Like CCLog, for lines only a developer needs: printed only when VORN_LOG=debug. */
void CCLogDebug(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));

/** True when VORN_LOG=debug asks for the developer's lines. */
bool CCLogDebugEnabled();

/** True for a line that reports a problem (it goes to standard error). */
bool CCLogIsProblem(const char* line);

/** Receives every logged line (without the newline); tests use it to see what was logged. */
typedef void (*CCLogObserver)(const char* line, void* userData);
/** Sets the one observer (NULL removes it); the line is still printed. */
void CCLogSetObserver(CCLogObserver observer, void* userData);

/** A failed assertion is logged and the program goes on, as callers expect in release builds. */
void CCAssertFailed(const char* condition, const char* message, const char* file, int line);

NS_CC_END

#define CCAssert(cond, msg) \
    do { if (!(cond)) { ::cocos2d::CCAssertFailed(#cond, (msg), __FILE__, __LINE__); } } while (0)

#define CCLOG(...) ::cocos2d::CCLogDebug(__VA_ARGS__)
#define CCLOGINFO(...) ::cocos2d::CCLogDebug(__VA_ARGS__)
#define CCLOGERROR(...) ::cocos2d::CCLog(__VA_ARGS__)
#define CCLOGWARN(...) ::cocos2d::CCLog(__VA_ARGS__)

#endif // __CC_CONSOLE_H__
