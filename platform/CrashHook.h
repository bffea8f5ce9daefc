#ifndef __VORN_CRASH_HOOK_H__
#define __VORN_CRASH_HOOK_H__

/**
 * Installs the fatal-signal handler (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT), run on its own
 * stack: it writes a crash report through SteamAPI_SetMiniDumpComment and SteamAPI_WriteMiniDump,
 * then lets the signal take its default action. Call once, first thing in the entry point.
 */
void VornInstallCrashHook();

#endif // __VORN_CRASH_HOOK_H__
