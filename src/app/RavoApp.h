// The application object: decides between passing "Close" to a running
// copy, leaving because a copy runs, or becoming the running copy with its
// named events, watcher thread and hidden main frame.
#pragma once

#include "afx/Afx.h"

#include <atomic>

class CRavoApp : public CWinApp {
public:
    CRavoApp();

    AFX_DECLARE_MESSAGE_MAP(CWinApp)

    BOOL InitInstance() override;

protected:
    // ID_APP_ABOUT: shows the About box unless one is open.
    void OnAppAbout();

private:
    // Creates both named events and the wait object, and starts the watcher.
    // FALSE when an event could not be created or opened.
    BOOL StartWatcher();
    // Waits on the two events forever and posts one message per wake-up.
    static UINT __cdecl WatcherThreadProc(LPVOID pParam);

    CSingleLock* m_pAboutLock = nullptr;
    CMutex m_aboutMutex;
    CEvent* m_pNotifyEvent = nullptr;
    CEvent* m_pCloseEvent = nullptr;
    CSyncObject* m_waitObjects[2] = {};
    CMultiLock* m_pWaitLock = nullptr;
    // Written once, last in start-up, by the UI thread; read by the watcher.
    std::atomic<HWND> m_hMainWnd{ nullptr };
};
