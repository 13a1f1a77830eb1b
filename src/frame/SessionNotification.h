// CSessionNotification: the frame's registration for session notifications
// (lock and unlock, console connect and disconnect). A program started
// before the Terminal Services are ready (the Run key can start it that
// early) is refused with RPC_S_INVALID_BINDING; it registers once the
// services set the global event "Global\TermSrvReadyEvent", or, without
// the event, tries again every few seconds for two minutes. A thread-pool
// wait watches the event, so the window's thread never blocks on it.
#pragma once

#include <windows.h>

class CSessionNotification {
public:
    CSessionNotification() = default;
    ~CSessionNotification();
    CSessionNotification(const CSessionNotification&) = delete;
    CSessionNotification& operator=(const CSessionNotification&) = delete;

    // Registers hWnd for the notifications of its own session. Refused
    // because the services are not ready yet, it posts nReadyMessage to
    // hWnd when they are; the window then calls OnServicesReady.
    BOOL Register(HWND hWnd, UINT nReadyMessage);
    // The registration that waited for the services, made once (or waiting
    // again). FALSE when none was waiting or it failed.
    BOOL OnServicesReady();
    // Ends the registration, or the wait for the services.
    void Unregister();

private:
    static VOID CALLBACK OnEventSet(PVOID pContext, BOOLEAN bTimedOut);
    BOOL TryRegister();
    void WaitForServices();
    void StopWaiting();

    HWND m_hWnd = nullptr;
    UINT m_nReadyMessage = 0;
    HANDLE m_hReadyEvent = nullptr;  // owned, while waiting
    HANDLE m_hWait = nullptr;        // the thread pool's wait, while waiting
    BOOL m_bRegistered = FALSE;
    int m_nRetries = 0;
};
