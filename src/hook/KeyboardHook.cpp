#include "hook/KeyboardHook.h"

HHOOK CKeyboardHook::s_hHook = nullptr;
HWND CKeyboardHook::s_hWndTarget = nullptr;
DWORD CKeyboardHook::s_dwLastKeyTime = 0;

BOOL CKeyboardHook::Install(HWND target, HINSTANCE module)
{
    s_hWndTarget = target;
    if (s_hHook != nullptr)
        Uninstall();
    s_hHook = ::SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, module, 0);
    s_dwLastKeyTime = ::GetTickCount();
    return s_hHook != nullptr;
}

BOOL CKeyboardHook::Uninstall()
{
    const BOOL result = ::UnhookWindowsHookEx(s_hHook);
    s_hHook = nullptr;
    return result;
}

BOOL CKeyboardHook::Reinstall(HINSTANCE module)
{
    return s_hHook != nullptr && Install(s_hWndTarget, module);
}

LRESULT CALLBACK CKeyboardHook::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const KBDLLHOOKSTRUCT* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    ::PostMessageA(s_hWndTarget, WM_HOOKKEY, event->flags, event->scanCode);
    s_dwLastKeyTime = event->time;
    return ::CallNextHookEx(s_hHook, nCode, wParam, lParam);
}
