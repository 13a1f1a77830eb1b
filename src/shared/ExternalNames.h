// The names through which the running copy is reached from outside: its
// window class, its named objects, its private window messages and the scan
// codes it acts on. The program, its tools, tests and benchmarks all take
// them from here. Depends on nothing but <windows.h>.
#pragma once

#include <windows.h>

// Named objects. No namespace prefix: they are local to the logon session.
// The single-instance mutex and the main frame's window class.
constexpr char RAVO_CLASS_NAME[] = "TorvaneClass";
// Auto-reset event: any program signals it to make the running copy re-read.
constexpr char RAVO_NOTIFY_EVENT[] = "TorvaneNotifyEvent";
// Auto-reset event: signalled by "Ravo.exe Close" (or anyone) to shut down.
constexpr char RAVO_CLOSE_EVENT[] = "TorvaneCloseEvent";
// Semaphore (count 1, maximum 1) held while a hotkey's action runs.
constexpr char RAVO_KEY_SEMAPHORE[] = "MERK_Semaphore";

// Private window messages to the main frame. Both carry wParam 0, lParam 0.
// Re-read the radio status and refresh the tray icon. Posted by the watcher
// thread for RAVO_NOTIFY_EVENT, sent by the on-screen displays, and open to
// any program of the session.
constexpr UINT WM_STATUS_CHANGED = WM_APP + 0x82;  // 0x8082
// Shut down. Posted by the watcher thread for RAVO_CLOSE_EVENT.
constexpr UINT WM_CLOSE_REQUEST = WM_APP + 0x78;   // 0x8078

// Posted by the keyboard hook for every key event: wParam = the event's
// KBDLLHOOKSTRUCT flags, lParam = its scan code, both unchanged.
constexpr UINT WM_HOOKKEY = WM_APP + 0x64;

// Scan codes the program acts on, typed as the handlers' lParam so that
// receivers compare without casts.
constexpr LPARAM SC_RADIO_EVENT = 0x71;    // firmware radio event, extended or not
constexpr LPARAM SC_OSD_HOTKEY = 0x04;     // only with LLKHF_EXTENDED
constexpr LPARAM SC_NOTIFY_HOTKEY = 0x62;  // only with LLKHF_EXTENDED
constexpr LPARAM SC_LEFT = 0x4B;
constexpr LPARAM SC_RIGHT = 0x4D;
constexpr LPARAM SC_ENTER = 0x1C;
