// Where an on-screen display appears: centred in the work area of the
// monitor that holds the window the user works in, or, where there is
// none, of the monitor under the cursor. With one monitor that is the
// centre of its work area, as for any dialog of a hidden owner.
#pragma once

#include <windows.h>

#include <cstddef>

struct MonitorArea {
    RECT rcMonitor;
    RECT rcWork;
};

// The work area to centre a display in. pUserWindow: the rectangle of the
// user's window, or NULL for none; it picks the monitor it overlaps most
// (the nearest one when it overlaps none), the cursor picks the one it is
// on (the nearest one when it is on none). monitors[0] is the primary
// monitor, the answer when count is 0 is an empty rectangle.
RECT OsdWorkArea(const MonitorArea* monitors, size_t count, const RECT* pUserWindow,
                 POINT cursor);

// The top-left corner that centres a window of this size in area.
POINT CentreIn(const RECT& area, SIZE size);

// Whether hWnd is a window the user works in: a visible, not minimised
// top-level window that is neither the desktop nor the taskbar.
BOOL IsUsersWindow(HWND hWnd);

// Moves hDlg, a display about to show, to the centre of the work area
// chosen for hUserWindow (the foreground window when the display was asked
// for) on the present monitors.
void PlaceOsd(HWND hDlg, HWND hUserWindow);
