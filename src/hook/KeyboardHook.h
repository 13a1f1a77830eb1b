// CKeyboardHook: a handle on the process's one low-level keyboard hook. The
// hook and its target window are class-wide, so every instance controls the
// same hook: the latest Install names the only target.
#pragma once

#include <windows.h>

#include "shared/ExternalNames.h"

class CKeyboardHook {
public:
    virtual ~CKeyboardHook() {}

    // Aims the hook at target (always, even if installing fails), replacing
    // any hook still held. TRUE if a hook is installed afterwards.
    BOOL Install(HWND target, HINSTANCE module);
    // Removes the hook; the target keeps its value. The platform call's result.
    BOOL Uninstall();
    // Installs the hook afresh, first in line and aimed where it was, when
    // one is held; FALSE when none is.
    BOOL Reinstall(HINSTANCE module);
    // Whether a hook is held: installed by this program and not removed by
    // it (Windows may still have removed it without a word).
    static BOOL IsHeld() { return s_hHook != nullptr; }
    // The time stamp (a tick count) of the last key event the hook saw, or
    // the time of the last Install if that came after it: the keys of
    // earlier moments are accounted for.
    static DWORD LastKeyTime() { return s_dwLastKeyTime; }

    // Posts WM_HOOKKEY(flags, scanCode) to the target and passes the event on.
    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);

private:
    static HHOOK s_hHook;
    static HWND s_hWndTarget;
    static DWORD s_dwLastKeyTime;
};
