// The messages that programs of a lower integrity level may send the main
// frame when the program runs with UI access (Windows Vista and later).
#pragma once

#include <windows.h>

// Lets exactly the shell's restart broadcast and tray callbacks and the
// private refresh and close requests through to hWnd; WM_COMMAND and the
// rest stay closed. Windows 7 and later filter per window
// (ChangeWindowMessageFilterEx); Vista only per process
// (ChangeWindowMessageFilter). Both are looked up at run time, and XP,
// which has neither and no integrity levels, needs nothing.
void AllowFromLowerIntegrity(HWND hWnd);
