// Private window messages to the main frame. Both carry wParam 0, lParam 0.
#pragma once

#include <windows.h>

// Re-read the radio status and refresh the tray icon. Posted by the watcher
// thread for "TorvaneNotifyEvent", sent by the on-screen displays, and open
// to any program of the session.
constexpr UINT WM_STATUS_CHANGED = WM_APP + 0x82;  // 0x8082

// Shut down. Posted by the watcher thread for "TorvaneCloseEvent".
constexpr UINT WM_CLOSE_REQUEST = WM_APP + 0x78;   // 0x8078
