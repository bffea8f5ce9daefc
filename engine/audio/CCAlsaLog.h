#ifndef __CC_ALSA_LOG_H__
#define __CC_ALSA_LOG_H__

#include "CCPlatformMacros.h"

NS_CC_BEGIN

/** Sends the ALSA library's own error lines (a machine without a sound card prints a dozen) to the
 *  debug log, so a silent start says so once in the game's own words. Harmless where ALSA is absent. */
void CCAlsaLogToDebug();

NS_CC_END

#endif // __CC_ALSA_LOG_H__
