// Where an on-screen display appears: centred in the work area of the
// monitor that holds the window the user works in, or, where there is
// none, of the monitor under the cursor; Windows chooses the monitor (the
// one overlapped most, else the nearest). With one monitor that is the
// centre of its work area, as for any dialog of a hidden owner.
#pragma once

#include <windows.h>

// The work area to centre a display in, for hUserWindow (the foreground
// window when the display was asked for) and the cursor's position.
RECT OsdWorkArea(HWND hUserWindow, POINT cursor);

// The top-left corner that centres a window of this size in area.
POINT CentreIn(const RECT& area, SIZE size);

// Whether hWnd is a window the user works in: a visible, not minimised
// top-level window that is neither the desktop nor the taskbar.
BOOL IsUsersWindow(HWND hWnd);

// Moves hDlg, a display about to show, to the centre of the work area
// chosen for hUserWindow.
void PlaceOsd(HWND hDlg, HWND hUserWindow);
