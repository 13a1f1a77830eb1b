// CHookWatchdog: installs the keyboard hook again when Windows has removed
// it. Windows 7 and later remove a low-level hook whose thread once answers
// later than LowLevelHooksTimeout, and tell no one: the keys no longer
// reach the program. The keyboard's raw input reaches a window outside the
// hook chain and without that time-out, so a raw key event that the hook
// has still not seen a moment later shows that the hook is gone.
//
// Nothing runs while nobody types: a check is due only after a raw key,
// and it stops once the hook has seen every key. A loss is mended once.
#pragma once

#include "hook/KeyboardHook.h"

class CHookWatchdog {
public:
    // Asks for the keyboard's raw input at hWnd, also while other programs
    // are in front. hWnd hands its WM_INPUT to OnRawInput (and then to
    // DefWindowProc, which frees the input) and its timer nTimerId to
    // OnTimer. FALSE when Windows refuses the raw input.
    BOOL Start(HWND hWnd, UINT_PTR nTimerId);
    // Stops the raw input and any check that is due.
    void Stop();

    // A raw key event, with its time stamp (WM_INPUT's message time).
    void OnRawInput(DWORD time);
    // The check: a key the hook missed installs it afresh where it was
    // aimed, unless bAllowed is FALSE (the program keeps the hook off).
    void OnTimer(BOOL bAllowed, HINSTANCE module);

private:
    void StopChecking();

    CKeyboardHook m_hook;
    HWND m_hWnd = nullptr;
    UINT_PTR m_nTimerId = 0;
    BOOL m_bChecking = FALSE;
    DWORD m_dwChecked = 0;  // time of the raw key the next check looks for
    DWORD m_dwLatest = 0;   // time of the latest raw key
    BOOL m_bReinstalled = FALSE;  // a loss was mended; no key seen since
    DWORD m_dwReinstalledAt = 0;  // its time stamp then
};
