#include "app/RavoApp.h"

#include "shared/ExternalNames.h"
#include "app/SingleInstance.h"
#include "app/UiLanguage.h"
#include "app/WatcherMessage.h"
#include "frame/MainFrame.h"
#include "osd/AboutDlg.h"
#include "res/resource.h"

CRavoApp::CRavoApp() = default;

BOOL CRavoApp::InitInstance()
{
    AfxEnableControlContainer();

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    if (cmdInfo.m_strFileName == "Close") {
        // Ask the running copy to close, and leave without waiting for it.
        if (::FindWindowA(RAVO_CLASS_NAME, nullptr) != nullptr) {
            // Never freed: the process ends straight after.
            m_pCloseEvent = new CEvent(FALSE, FALSE, RAVO_CLOSE_EVENT);
            m_pCloseEvent->SetEvent();
        }
        return FALSE;
    }

    CSingleInstance instance;
    if (!instance.Acquire(RAVO_CLASS_NAME))
        return FALSE;

    // Before the first text is loaded: the user's language where it can be
    // shown, English otherwise.
    SelectUiLanguage();

    m_pAboutLock = new CSingleLock(&m_aboutMutex, FALSE);
    m_pAboutLock->Unlock();

    if (!StartWatcher())
        return FALSE;

    WNDCLASSA wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = ::LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = RAVO_CLASS_NAME;
    if (!AfxRegisterClass(&wc))
        return FALSE;

    // Both steps belong to the start-up sequence, although neither changes
    // anything the program does.
    Enable3dControls();
    SetRegistryKey("Local AppWizard-Generated Applications");

    auto* pFrame = new CMainFrame;
    if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr))
        return FALSE;  // the frame deleted itself with its window
    m_pMainWnd = pFrame;
    pFrame->SetWindowPos(&CWnd::wndTopMost, -100, -100, 0, 0, SWP_NOACTIVATE | SWP_FRAMECHANGED);
    pFrame->ShowWindow(SW_HIDE);
    pFrame->UpdateWindow();
    m_hMainWnd = pFrame->m_hWnd;
    return TRUE;
}

// The events, the wait object and the thread object live as long as the
// process; start-up never frees them.
BOOL CRavoApp::StartWatcher()
{
    m_pNotifyEvent = new CEvent(FALSE, FALSE, RAVO_NOTIFY_EVENT);
    m_pCloseEvent = new CEvent(FALSE, FALSE, RAVO_CLOSE_EVENT);
    if (m_pNotifyEvent->m_hObject == nullptr || m_pCloseEvent->m_hObject == nullptr)
        return FALSE;
    m_waitObjects[0] = m_pNotifyEvent;
    m_waitObjects[1] = m_pCloseEvent;
    m_pWaitLock = new CMultiLock(m_waitObjects, 2, FALSE);

    CWinThread* pThread = AfxBeginThread(&CRavoApp::WatcherThreadProc, this,
                                         THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED, nullptr);
    if (pThread == nullptr)
        return FALSE;
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    return TRUE;
}

UINT __cdecl CRavoApp::WatcherThreadProc(LPVOID pParam)
{
    auto* pApp = static_cast<CRavoApp*>(pParam);
    for (;;) {
        const DWORD result = pApp->m_pWaitLock->Lock(INFINITE, FALSE, 0);
        // A signal before the frame exists goes to a null window: it is lost.
        if (const UINT message = WatcherMessageFor(result))
            ::PostMessageA(pApp->m_hMainWnd.load(), message, 0, 0);
    }
}

void CRavoApp::OnAppAbout()
{
    if (m_pAboutLock->IsLocked())
        return;  // one About box at a time
    m_pAboutLock->Lock(INFINITE);
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
    m_pAboutLock->Unlock();
}

const afx::MessageEntry* CRavoApp::MessageEntries()
{
    static const afx::MessageEntry entries[] = {
        afx::OnCommand<&CRavoApp::OnAppAbout>(ID_APP_ABOUT),
        afx::EndOfMap(),
    };
    return entries;
}
