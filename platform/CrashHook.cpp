#include "CrashHook.h"

#include "VornSteamBackend.h"
#include "steam_api.h"

#include <signal.h>
#include <string.h>

namespace
{
const int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// Its own stack, so a stack overflow can still be reported.
char s_alternateStack[64 * 1024];
volatile sig_atomic_t s_crashing = 0;

void onFatalSignal(int sig, siginfo_t* info, void* context)
{
    (void)context;
    // A second fault while reporting goes straight to the default action.
    if (!s_crashing)
    {
        s_crashing = 1;
        SteamAPI_SetMiniDumpComment("Minidump comment: SteamworksExample.exe\n");
        SteamAPI_WriteMiniDump((uint32)sig, info, 0);
    }
    struct sigaction fallback;
    memset(&fallback, 0, sizeof(fallback));
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(sig, &fallback, NULL);
    raise(sig);
}
} // namespace

void VornInstallCrashHook()
{
    VornSteamBackend::prepareCrashReport();

    stack_t stack;
    memset(&stack, 0, sizeof(stack));
    stack.ss_sp = s_alternateStack;
    stack.ss_size = sizeof(s_alternateStack);
    sigaltstack(&stack, NULL);

    struct sigaction action;
    memset(&action, 0, sizeof(action));
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < sizeof(kFatalSignals) / sizeof(kFatalSignals[0]); ++i)
    {
        sigaction(kFatalSignals[i], &action, NULL);
    }
}
