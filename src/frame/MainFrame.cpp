#include "frame/MainFrame.h"

#include "frame/MessageFilter.h"
#include "frame/RadioState.h"
#include "hook/KeyboardHook.h"
#include "osd/RadioSelectDlg.h"
#include "osd/SwitchOffDlg.h"
#include "res/resource.h"
#include "shared/ExternalNames.h"

#include <wtsapi32.h>

namespace {

// The frame's handle on the one process-wide keyboard hook.
CKeyboardHook s_hook;

// TRUE while ShowOsd runs an on-screen display.
BOOL s_bOsdBusy = FALSE;
// TRUE between a console disconnect and the next console connect.
BOOL s_bConsoleDisconnected = FALSE;
// TRUE between a session lock and the next unlock.
BOOL s_bSessionLocked = FALSE;

// An add the shell refused is tried again this often, for this long.
const UINT_PTR IDT_TRAY_RETRY = 1;
const UINT TRAY_RETRY_MS = 2000;
const DWORD TRAY_RETRY_FOR_MS = 120000;

// The session services became ready after a refused registration.
const UINT WM_SESSION_SERVICES_READY = WM_APP + 0x100;

// The hook watchdog's check.
const UINT_PTR IDT_HOOK_CHECK = 2;

}  // namespace

const CRuntimeClass CMainFrame::classCMainFrame = { "CMainFrame", &CFrameWnd::classCFrameWnd };

const CRuntimeClass* CMainFrame::GetRuntimeClass() const
{
    return &classCMainFrame;
}

CMainFrame::CMainFrame() : m_trayIcon(IDR_MAINFRAME)
{
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = RAVO_CLASS_NAME;
    // Asked again with the class name set, as the start-up sequence does.
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_wndView.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMainFrame::InstallHook()
{
    s_hook.Install(m_hWnd, AfxGetInstanceHandle());
}

int CMainFrame::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const RECT empty = { 0, 0, 0, 0 };
    if (!m_wndView.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, empty, this,
                          AFX_IDW_PANE_FIRST, nullptr))
        return -1;

    AllowFromLowerIntegrity(m_hWnd);
    RefreshStatus();
    // The shell call handles messages other threads send: a shut-down among
    // them ends start-up here.
    if (!IsWindow())
        return -1;
    m_hSemaphore = ::CreateSemaphoreA(nullptr, 1, 1, RAVO_KEY_SEMAPHORE);
    m_session.Register(m_hWnd, WM_SESSION_SERVICES_READY);
    InstallHook();
    m_watchdog.Start(m_hWnd, IDT_HOOK_CHECK);
    return 0;
}

int CMainFrame::GetCurrentStatus()
{
    ::OutputDebugStringA("[RAVO] CMainFrame::GetCurrentStatus()");
    m_radio.Read();
    m_state = m_radio.State();
    const int status = StatusClassOf(m_state);
    if (status == STATUS_CLASS_NONE)
        ::OutputDebugStringA("[RAVO] No Device!");
    return status;
}

void CMainFrame::UpdateTrayIcon()
{
    m_trayIcon.SetNotificationWnd(this, WM_TRAY_NOTIFY);
    if (m_trayIcon.SetIcon(TrayStateIdOf(m_state)))
        StopTrayRetry();
    else
        StartTrayRetry();
}

void CMainFrame::StartTrayRetry()
{
    // A shut-down inside the shell call may have destroyed the window, and
    // a timer without a window would go to the thread.
    if (m_bTrayRetrying || !::IsWindow(m_hWnd))
        return;
    m_bTrayRetrying = TRUE;
    m_dwTrayRetryStart = ::GetTickCount();
    SetTimer(IDT_TRAY_RETRY, TRAY_RETRY_MS, nullptr);
}

void CMainFrame::StopTrayRetry()
{
    if (!m_bTrayRetrying)
        return;
    m_bTrayRetrying = FALSE;
    if (::IsWindow(m_hWnd))
        KillTimer(IDT_TRAY_RETRY);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == IDT_HOOK_CHECK) {
        // The program keeps the hook off while the session is locked or
        // the console is disconnected.
        m_watchdog.OnTimer(!s_bSessionLocked && !s_bConsoleDisconnected, AfxGetInstanceHandle());
        return;
    }
    if (nIDEvent != IDT_TRAY_RETRY || !m_bTrayRetrying)
        return;
    if (::GetTickCount() - m_dwTrayRetryStart >= TRAY_RETRY_FOR_MS)
        StopTrayRetry();
    else
        UpdateTrayIcon();  // stops the retries once the shell takes the icon
}

void CMainFrame::RefreshStatus()
{
    GetCurrentStatus();
    UpdateTrayIcon();
}

void CMainFrame::ShowOsd(HWND hookTarget)
{
    if (s_bOsdBusy)
        return;
    s_bOsdBusy = TRUE;
    s_hook.Uninstall();
    // The window in front now chooses the display's monitor and gets the
    // foreground back when the display ends.
    const HWND hPrevious = ::GetForegroundWindow();

    switch (GetCurrentStatus()) {
    case STATUS_CLASS_ON: {
        CRadioSelectDlg dlg;
        dlg.SetUserWindow(hPrevious);
        m_foreground.Activate();
        // A second attachment, part of the foreground sequence; its result
        // is unused. Undone at once, like the first (see Activate).
        const DWORD foregroundThreadId =
            ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
        if (CForegroundHelper::AttachTo(foregroundThreadId, TRUE))
            CForegroundHelper::AttachTo(foregroundThreadId, FALSE);
        // The foreground steps handle messages other threads send: after a
        // shut-down among them there is no owner for the panel.
        if (IsWindow())
            dlg.DoModal();
        break;
    }
    case STATUS_CLASS_OFF: {
        CSwitchOffDlg dlg;
        dlg.SetUserWindow(hPrevious);
        dlg.DoModal();
        break;
    }
    default:
        ::OutputDebugStringA("No Wireless or Bluetooth Device Exist!!");
        break;
    }

    // A shut-down from the display's loop destroyed the frame, and the
    // display with it: then there is no one to hand the hook back to.
    if (IsWindow()) {
        if (::IsWindow(hookTarget))
            s_hook.Install(hookTarget, AfxGetInstanceHandle());
        // The ended display handed activation to the hidden frame: the keys
        // the user types next belong to the program they were using.
        CForegroundHelper::GiveBack(hPrevious);
    }
    s_bOsdBusy = FALSE;
}

BOOL CMainFrame::Shutdown()
{
    m_trayIcon.SetIcon(0U);
    m_session.Unregister();
    s_hook.Uninstall();
    m_watchdog.Stop();
    return DestroyWindow();
}

void CMainFrame::OnClose()
{
    // The program ends only through Shutdown.
}

void CMainFrame::OnSetFocus(CWnd* /*pOldWnd*/)
{
    m_wndView.SetFocus();
}

void CMainFrame::OnExit()
{
    Shutdown();
}

void CMainFrame::OnOption()
{
    ShowOsd(m_hWnd);
}

LRESULT CMainFrame::OnCloseRequest(WPARAM, LPARAM)
{
    Shutdown();
    return 0;
}

LRESULT CMainFrame::OnStatusChanged(WPARAM, LPARAM)
{
    RefreshStatus();
    return 0;
}

LRESULT CMainFrame::OnHookKey(WPARAM wParam, LPARAM lParam)
{
    // Only key-downs of three keys have an action. Every other key event is
    // done with here, before the semaphore: taking and releasing it for keys
    // that do nothing would cost two kernel calls per key and briefly keep it
    // from the other programs that share it.
    if ((wParam & LLKHF_UP) != 0)
        return 0;
    const bool extended = (wParam & LLKHF_EXTENDED) != 0;
    const bool radioEvent = lParam == SC_RADIO_EVENT;
    const bool osdHotkey = lParam == SC_OSD_HOTKEY && extended;
    const bool notifyHotkey = lParam == SC_NOTIFY_HOTKEY && extended;
    if (!radioEvent && !osdHotkey && !notifyHotkey)
        return 0;

    if (::WaitForSingleObject(m_hSemaphore, 0) != WAIT_OBJECT_0)
        return 0;  // another holder has it: the key is dropped
    if (radioEvent) {
        RefreshStatus();
    } else if (osdHotkey) {
        ShowOsd(m_hWnd);  // runs modally with the semaphore held
    } else {
        m_radio.Notify({ NOTIFY_TAG, 0, 0 });
    }
    ::ReleaseSemaphore(m_hSemaphore, 1, nullptr);
    return 0;
}

LRESULT CMainFrame::OnPowerBroadcast(WPARAM wParam, LPARAM)
{
    if (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMEAUTOMATIC) {
        // Windows removes a hook that once missed its time-out without a
        // word, and a resume is such a slow moment: install it afresh, but
        // only where the frame holds it (a display has its own, a locked or
        // disconnected session none).
        if (wParam == PBT_APMRESUMEAUTOMATIC && !s_bOsdBusy && !s_bSessionLocked &&
            !s_bConsoleDisconnected)
            InstallHook();
        RefreshStatus();
    }
    return TRUE;  // every request is granted
}

LRESULT CMainFrame::OnSessionChange(WPARAM wParam, LPARAM)
{
    switch (wParam) {
    case WTS_CONSOLE_CONNECT:
        InstallHook();
        RefreshStatus();
        s_bConsoleDisconnected = FALSE;
        break;
    case WTS_CONSOLE_DISCONNECT:
        s_bConsoleDisconnected = TRUE;
        break;
    case WTS_SESSION_LOCK:
        s_hook.Uninstall();
        s_bSessionLocked = TRUE;
        break;
    case WTS_SESSION_UNLOCK:
        s_bSessionLocked = FALSE;
        if (!s_bConsoleDisconnected)
            InstallHook();
        RefreshStatus();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CMainFrame::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    return m_trayIcon.OnTrayNotification(wParam, lParam);
}

LRESULT CMainFrame::OnTaskbarCreated(WPARAM, LPARAM)
{
    // The shell (re)started: show the present state afresh. Delete first, so
    // that a broadcast while the shell still shows the icon does not end in
    // adds that fail for good; a new shell just refuses the delete. The
    // add here replaces any retry still pending.
    StopTrayRetry();
    m_trayIcon.SetIcon(0U);
    if (IsWindow())  // no shut-down arrived during the shell call
        UpdateTrayIcon();
    return 0;
}

LRESULT CMainFrame::OnRawInput(WPARAM, LPARAM)
{
    m_watchdog.OnRawInput(static_cast<DWORD>(::GetMessageTime()));
    return Default();  // frees the input
}

LRESULT CMainFrame::OnSessionServicesReady(WPARAM, LPARAM)
{
    m_session.OnServicesReady();
    return 0;
}

const afx::MessageEntry* CMainFrame::MessageEntries()
{
    static const afx::MessageEntry entries[] = {
        afx::OnMessage<&CMainFrame::OnClose>(WM_CLOSE),
        afx::OnMessage<&CMainFrame::OnCreate>(WM_CREATE),
        afx::OnMessage<&CMainFrame::OnSetFocus>(WM_SETFOCUS),
        afx::OnMessage<&CMainFrame::OnTimer>(WM_TIMER),
        afx::OnCommand<&CMainFrame::OnExit>(ID_APP_EXIT),
        afx::OnCommand<&CMainFrame::OnOption>(ID_OPTION),
        afx::OnMessage<&CMainFrame::OnCloseRequest>(WM_CLOSE_REQUEST),
        afx::OnMessage<&CMainFrame::OnStatusChanged>(WM_STATUS_CHANGED),
        afx::OnMessage<&CMainFrame::OnHookKey>(WM_HOOKKEY),
        afx::OnMessage<&CMainFrame::OnPowerBroadcast>(WM_POWERBROADCAST),
        afx::OnMessage<&CMainFrame::OnSessionChange>(WM_WTSSESSION_CHANGE),
        afx::OnMessage<&CMainFrame::OnTrayNotify>(WM_TRAY_NOTIFY),
        afx::OnMessage<&CMainFrame::OnTaskbarCreated>(CTrayIcon::TaskbarCreatedMessage()),
        afx::OnMessage<&CMainFrame::OnRawInput>(WM_INPUT),
        afx::OnMessage<&CMainFrame::OnSessionServicesReady>(WM_SESSION_SERVICES_READY),
        afx::EndOfMap(),
    };
    return entries;
}
