#include "frame/SessionNotification.h"

#include "frame/SystemFunction.h"

#include <wtsapi32.h>

namespace {

// Session notifications (lock, unlock, console connect) came with Windows
// XP, whose wtsapi32.dll has both functions; Microsoft now documents them
// from Vista on, so they are looked up rather than imported.
BOOL RegisterWindow(HWND hWnd)
{
    using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
    const auto doRegister =
        SystemFunction<RegisterFn>("wtsapi32.dll", "WTSRegisterSessionNotification");
    return doRegister != nullptr && doRegister(hWnd, NOTIFY_FOR_THIS_SESSION);
}

void UnregisterWindow(HWND hWnd)
{
    using UnregisterFn = BOOL(WINAPI*)(HWND);
    if (const auto doUnregister =
            SystemFunction<UnregisterFn>("wtsapi32.dll", "WTSUnRegisterSessionNotification"))
        doUnregister(hWnd);
}

}  // namespace

CSessionNotification::~CSessionNotification()
{
    StopWaiting();
}

BOOL CSessionNotification::Register(HWND hWnd, UINT nReadyMessage)
{
    m_hWnd = hWnd;
    m_nReadyMessage = nReadyMessage;
    m_bRegistered = RegisterWindow(hWnd);
    if (!m_bRegistered && ::GetLastError() == RPC_S_INVALID_BINDING)
        WaitForServices();
    return m_bRegistered;
}

BOOL CSessionNotification::WaitForServices()
{
    // Without the event there are no such services to wait for.
    m_hReadyEvent = ::OpenEventA(SYNCHRONIZE, FALSE, "Global\\TermSrvReadyEvent");
    if (m_hReadyEvent != nullptr &&
        ::RegisterWaitForSingleObject(&m_hWait, m_hReadyEvent, &OnEventSet, this, INFINITE,
                                      WT_EXECUTEONLYONCE))
        return TRUE;
    m_hWait = nullptr;
    StopWaiting();
    return FALSE;
}

VOID CALLBACK CSessionNotification::OnEventSet(PVOID pContext, BOOLEAN)
{
    // A thread of the pool: the registration belongs to the window's thread.
    const auto* self = static_cast<const CSessionNotification*>(pContext);
    ::PostMessageA(self->m_hWnd, self->m_nReadyMessage, 0, 0);
}

BOOL CSessionNotification::OnServicesReady()
{
    if (m_hWait == nullptr)
        return FALSE;
    StopWaiting();
    m_bRegistered = RegisterWindow(m_hWnd);
    return m_bRegistered;
}

void CSessionNotification::Unregister()
{
    StopWaiting();
    if (m_bRegistered)
        UnregisterWindow(m_hWnd);
    m_bRegistered = FALSE;
}

void CSessionNotification::StopWaiting()
{
    // INVALID_HANDLE_VALUE: returns once a callback under way has ended, so
    // none runs on with this object gone.
    if (m_hWait != nullptr)
        ::UnregisterWaitEx(m_hWait, INVALID_HANDLE_VALUE);
    m_hWait = nullptr;
    if (m_hReadyEvent != nullptr)
        ::CloseHandle(m_hReadyEvent);
    m_hReadyEvent = nullptr;
}
