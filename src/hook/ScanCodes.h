// The message that carries key events from the keyboard hook to its target
// window, and the scan codes its receivers act on.
#pragma once

#include <windows.h>

// Posted for every key event: wParam = the event's KBDLLHOOKSTRUCT flags,
// lParam = its scan code, both unchanged.
constexpr UINT WM_HOOKKEY = WM_APP + 0x64;

// Typed as the handlers' lParam, so that receivers compare without casts.
constexpr LPARAM SC_RADIO_EVENT = 0x71;    // firmware radio event, extended or not
constexpr LPARAM SC_OSD_HOTKEY = 0x04;     // only with LLKHF_EXTENDED
constexpr LPARAM SC_NOTIFY_HOTKEY = 0x62;  // only with LLKHF_EXTENDED
constexpr LPARAM SC_LEFT = 0x4B;
constexpr LPARAM SC_RIGHT = 0x4D;
constexpr LPARAM SC_ENTER = 0x1C;
