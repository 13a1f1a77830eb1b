#include "hook/HookWatchdog.h"

namespace {

// A raw key is looked for this long after it arrived. The loss of the hook
// then shows within two periods of the first key it missed.
const UINT CHECK_MS = 300;

// Keyboards on HID usage page 1 (generic desktop), usage 6.
const USHORT USAGE_PAGE_GENERIC = 1;
const USHORT USAGE_KEYBOARD = 6;

// Time stamps are tick counts: compared by their difference, which stays
// right across the wrap-around after 49.7 days.
bool IsLater(DWORD a, DWORD b)
{
    return static_cast<LONG>(a - b) > 0;
}

BOOL RegisterKeyboard(DWORD flags, HWND hWnd)
{
    RAWINPUTDEVICE keyboard = { USAGE_PAGE_GENERIC, USAGE_KEYBOARD, flags, hWnd };
    return ::RegisterRawInputDevices(&keyboard, 1, sizeof(keyboard));
}

}  // namespace

BOOL CHookWatchdog::Start(HWND hWnd, UINT_PTR nTimerId)
{
    m_hWnd = hWnd;
    m_nTimerId = nTimerId;
    return RegisterKeyboard(RIDEV_INPUTSINK, hWnd);
}

void CHookWatchdog::Stop()
{
    StopChecking();
    RegisterKeyboard(RIDEV_REMOVE, nullptr);
}

void CHookWatchdog::OnRawInput(DWORD time)
{
    // Where the program has taken the hook off, there is nothing to watch.
    if (!CKeyboardHook::IsHeld())
        return;
    m_dwLatest = time;
    if (m_bChecking)
        return;
    m_dwChecked = time;
    m_bChecking = ::SetTimer(m_hWnd, m_nTimerId, CHECK_MS, nullptr) != 0;
}

void CHookWatchdog::OnTimer(BOOL bAllowed, HINSTANCE module)
{
    if (!m_bChecking)
        return;  // posted before the timer was killed
    const DWORD seen = CKeyboardHook::LastKeyTime();
    if (seen != m_dwReinstalledAt)
        m_bReinstalled = FALSE;  // the hook has seen a key, or was installed anew
    if (IsLater(m_dwChecked, seen)) {
        // A whole period after the key, the hook has not seen it: gone. Once
        // only: a hook installed afresh that still gets no key misses them
        // for another reason, and installing it again and again would only
        // reorder the chain.
        if (bAllowed && !m_bReinstalled && m_hook.Reinstall(module)) {
            m_bReinstalled = TRUE;
            m_dwReinstalledAt = CKeyboardHook::LastKeyTime();
        }
        StopChecking();
    } else if (IsLater(m_dwLatest, seen)) {
        m_dwChecked = m_dwLatest;  // keys came meanwhile: the latest is next
    } else {
        StopChecking();
    }
}

void CHookWatchdog::StopChecking()
{
    if (m_bChecking)
        ::KillTimer(m_hWnd, m_nTimerId);
    m_bChecking = FALSE;
}
