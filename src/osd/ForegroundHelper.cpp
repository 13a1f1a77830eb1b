#include "osd/ForegroundHelper.h"

#include "afx/WinApp.h"
#include "afx/Wnd.h"

BOOL CForegroundHelper::AttachTo(DWORD threadId, BOOL bAttach)
{
    return ::AttachThreadInput(threadId, ::GetCurrentThreadId(), bAttach);
}

BOOL CForegroundHelper::Activate()
{
    m_dwForegroundThreadId = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    const BOOL ok = AttachTo(m_dwForegroundThreadId, TRUE);
    if (CWnd* pMainWnd = AfxGetMainWnd()) {
        pMainWnd->SetForegroundWindow();
        pMainWnd->SetFocus();
        pMainWnd->ShowWindow(SW_HIDE);
    }
    // Attached threads share one input state: a hung foreground program
    // would then stall this thread, which runs the keyboard hook, in its
    // next focus or activation call. The steps above need the attachment
    // only while they run.
    if (ok)
        AttachTo(m_dwForegroundThreadId, FALSE);
    return ok != FALSE;
}

BOOL CForegroundHelper::GiveBack(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindow(hWnd) || !::IsWindowVisible(hWnd))
        return FALSE;
    const HWND hForeground = ::GetForegroundWindow();
    if (hForeground == hWnd)
        return TRUE;
    // No foreground window: the secure desktop (lock screen, consent
    // prompt) is in front, or another program is activating. Either way the
    // choice is no longer this program's to make.
    if (hForeground == nullptr)
        return FALSE;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hForeground, &pid);
    if (pid != ::GetCurrentProcessId())
        return FALSE;  // the user has moved on to another program
    return ::SetForegroundWindow(hWnd);
}
