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

// A registration refused again is tried again this often, this many times.
const DWORD RETRY_MS = 2000;
const int MAX_RETRIES = 60;

}  // namespace

CSessionNotification::~CSessionNotification()
{
    StopWaiting();
}

BOOL CSessionNotification::Register(HWND hWnd, UINT nReadyMessage)
{
    StopWaiting();
    m_hWnd = hWnd;
    m_nReadyMessage = nReadyMessage;
    m_nRetries = 0;
    return TryRegister();
}

BOOL CSessionNotification::TryRegister()
{
    m_bRegistered = RegisterWindow(m_hWnd);
    if (!m_bRegistered && ::GetLastError() == RPC_S_INVALID_BINDING && m_nRetries++ < MAX_RETRIES)
        WaitForServices();
    return m_bRegistered;
}

void CSessionNotification::WaitForServices()
{
    // Where the event is not there (yet), or is set and the registration
    // was refused all the same, an event that nobody sets stands in for
    // it: the wait then ends only by its time-out.
    DWORD timeout = INFINITE;
    m_hReadyEvent = ::OpenEventA(SYNCHRONIZE, FALSE, "Global\\TermSrvReadyEvent");
    if (m_hReadyEvent == nullptr || ::WaitForSingleObject(m_hReadyEvent, 0) == WAIT_OBJECT_0) {
        if (m_hReadyEvent != nullptr)
            ::CloseHandle(m_hReadyEvent);
        m_hReadyEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        timeout = RETRY_MS;
    }
    if (m_hReadyEvent == nullptr ||
        !::RegisterWaitForSingleObject(&m_hWait, m_hReadyEvent, &OnEventSet, this, timeout,
                                       WT_EXECUTEONLYONCE)) {
        m_hWait = nullptr;
        StopWaiting();
    }
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
    return TryRegister();
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
