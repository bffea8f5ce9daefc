#ifndef __VORN_WIN_SHELL_H__
#define __VORN_WIN_SHELL_H__

// The shell and cursor calls the game makes, under their Windows names, for Linux.

#include "WinTypes.h"

#define SW_SHOWNORMAL 1
#define SW_SHOW 5

/**
 * "open" with an http or https URL runs xdg-open with the URL as one argument (no shell).
 * Answers a value above 32 on success, as Windows does; 2 (file not found) for a refused URL
 * or operation, 31 (no association) when the browser could not be started.
 */
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd);

/**
 * SetCursor(NULL) hides the mouse cursor over the game's window until the mouse next moves; any
 * other value shows it.
 */
HCURSOR SetCursor(HCURSOR hCursor);

/**
 * The program ShellExecuteA starts for a link; NULL (the default) means "xdg-open" from PATH.
 * Lets a test put a recording script in the browser's place.
 */
void VornShell_setOpenProgram(const char* program);

#endif // __VORN_WIN_SHELL_H__
