// What the benchmark driver and the baseline programs agree on: the
// baseline's window class, its private messages and its panel command.
#pragma once

#include <windows.h>

// The hidden main window of bench_baseline_app.exe and bench_nohook.exe.
constexpr char BASELINE_CLASS[] = "RavoBenchBaseline";

// Posted by the baseline's keyboard hook: wParam = flags, lParam = scan code
// (the same form and number Ravo uses).
constexpr UINT WM_BASELINE_KEY = WM_APP + 0x64;
// Sent by the panel after a write: re-read the register, refresh the icon.
constexpr UINT WM_BASELINE_REFRESH = WM_APP + 0x82;
// WM_COMMAND identifier that opens the panel without a key, as Ravo's tray
// menu "&Option" does (same number).
constexpr UINT ID_BASELINE_PANEL = 32771;

// Scan codes both programs act on.
constexpr DWORD SC_BENCH_HOTKEY = 0x04;  // with the extended flag
constexpr DWORD SC_BENCH_RIGHT = 0x4D;
constexpr DWORD SC_BENCH_LEFT = 0x4B;
constexpr DWORD SC_BENCH_ENTER = 0x1C;
constexpr DWORD SC_BENCH_RADIO = 0x71;
