#include "hook/KeyboardHook.h"

HHOOK CKeyboardHook::s_hHook = nullptr;
HWND CKeyboardHook::s_hWndTarget = nullptr;

BOOL CKeyboardHook::Install(HWND target, HINSTANCE module)
{
    s_hWndTarget = target;
    if (s_hHook != nullptr)
        Uninstall();
    s_hHook = ::SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, module, 0);
    return s_hHook != nullptr;
}

BOOL CKeyboardHook::Uninstall()
{
    const BOOL result = ::UnhookWindowsHookEx(s_hHook);
    s_hHook = nullptr;
    return result;
}

LRESULT CALLBACK CKeyboardHook::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const KBDLLHOOKSTRUCT* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    ::PostMessageA(s_hWndTarget, WM_HOOKKEY, event->flags, event->scanCode);
    return ::CallNextHookEx(s_hHook, nCode, wParam, lParam);
}
