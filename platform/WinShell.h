#ifndef __VORN_WIN_SHELL_H__
#define __VORN_WIN_SHELL_H__

// The shell and cursor calls the game makes, under their Windows names, for Linux.

typedef void* HWND;
typedef void* HINSTANCE;
typedef void* HCURSOR;
typedef const char* LPCSTR;
typedef int INT;

#define SW_SHOWNORMAL 1
#define SW_SHOW 5

/**
 * "open" with an http or https URL runs xdg-open with the URL as one argument (no shell).
 * Answers a value above 32 on success, as Windows does; 2 (file not found) for a refused URL
 * or operation, 31 (no association) when the browser could not be started.
 */
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd);

/** SetCursor(NULL) hides the mouse cursor over the game's window; any other value shows it. */
HCURSOR SetCursor(HCURSOR hCursor);

#endif // __VORN_WIN_SHELL_H__
