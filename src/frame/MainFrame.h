// The hidden main frame: owns the radio state, the tray icon and the key
// semaphore, and is the hub every event passes through: hook keys, tray
// gestures and commands, power and session notifications, and the private
// messages of the watcher thread and the on-screen displays.
#pragma once

#include "afx/Afx.h"
#include "frame/ChildView.h"
#include "frame/SessionNotification.h"
#include "hook/HookWatchdog.h"
#include "osd/ForegroundHelper.h"
#include "radio/RadioControl.h"
#include "tray/TrayIcon.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();

    static const CRuntimeClass classCMainFrame;
    const CRuntimeClass* GetRuntimeClass() const override;
    AFX_DECLARE_MESSAGE_MAP(CFrameWnd)

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // Reads the firmware once, refreshes the cached bits and returns the
    // status class.
    int GetCurrentStatus();
    // Shows the tray StateId that fits the cached bits.
    void UpdateTrayIcon();
    // Runs the on-screen display that fits the present status, then aims the
    // keyboard hook at hookTarget.
    void ShowOsd(HWND hookTarget);
    // Removes the tray icon, the session notifications and the hook, and
    // destroys the window, which ends the program. Any display or menu open
    // at the time goes with the window, and its loop ends.
    BOOL Shutdown();

protected:
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnClose();
    void OnSetFocus(CWnd* pOldWnd);
    void OnTimer(UINT_PTR nIDEvent);
    void OnExit();
    void OnOption();
    LRESULT OnCloseRequest(WPARAM wParam, LPARAM lParam);
    LRESULT OnStatusChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnHookKey(WPARAM wParam, LPARAM lParam);
    LRESULT OnPowerBroadcast(WPARAM wParam, LPARAM lParam);
    LRESULT OnSessionChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
    LRESULT OnRawInput(WPARAM wParam, LPARAM lParam);
    LRESULT OnSessionServicesReady(WPARAM wParam, LPARAM lParam);

private:
    void InstallHook();
    // Tries a refused tray add again on a timer, for a while.
    void StartTrayRetry();
    void StopTrayRetry();
    // Reads the firmware and shows the result in the tray.
    void RefreshStatus();

    CRadioControl m_radio;
    RadioState m_state = {};
    CForegroundHelper m_foreground;
    CChildView m_wndView;
    CTrayIcon m_trayIcon;
    HANDLE m_hSemaphore = nullptr;
    CSessionNotification m_session;
    CHookWatchdog m_watchdog;
    BOOL m_bTrayRetrying = FALSE;
    DWORD m_dwTrayRetryStart = 0;
};
