// What the on-screen displays share: the period of their timers, and the
// request that makes the main frame refresh.
#pragma once

#include "shared/ExternalNames.h"

#include <windows.h>

// The selection panel applies its highlighted choice, and the switch-off
// notice closes, after this long.
constexpr unsigned int OSD_TIMEOUT_MS = 4000;

// Asks the running copy's main frame, found by its window class, to re-read
// the status and refresh the tray icon, and waits until it has.
inline void RefreshMainFrame()
{
    const HWND hMainFrame = ::FindWindowA(RAVO_CLASS_NAME, nullptr);
    if (hMainFrame != nullptr)
        ::SendMessageA(hMainFrame, WM_STATUS_CHANGED, 0, 0);
}
