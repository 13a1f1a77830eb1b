// What the on-screen displays share: the period of their timers, the
// request that makes the main frame refresh, and their base class.
#pragma once

#include "afx/Dialog.h"
#include "radio/RadioControl.h"

#include <windows.h>

// The selection panel applies its highlighted choice, and the switch-off
// notice closes, after this long.
constexpr unsigned int OSD_TIMEOUT_MS = 4000;

// Asks the running copy's main frame, found by its window class, to re-read
// the status and refresh the tray icon, and waits until it has.
void RefreshMainFrame();

// A control's text as a screen reader's name for it: its lines joined into
// one by single blanks, without leading or trailing blanks and without the
// mnemonic marker '&' ("&&" stands for one '&').
CString AccessibleName(LPCSTR pszText);

// COsdDlg: a display that, while open, takes the keys from the process's
// keyboard hook aimed at itself, and reads the firmware through its own
// CRadioControl. It appears on the monitor the user works on and repaints
// when the colour scheme changes (high contrast switched on or off).
class COsdDlg : public CDialog {
public:
    // The window the user worked in when the display was asked for, which
    // chooses the monitor; NULL (or the desktop or taskbar): the cursor's.
    void SetUserWindow(HWND hWnd) { m_hUserWindow = hWnd; }

    AFX_DECLARE_MESSAGE_MAP(CDialog)

protected:
    COsdDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

    // Centres the display on the user's monitor; from OnInitDialog.
    void PlaceOnUsersMonitor();
    LRESULT OnSchemeChange(WPARAM wParam, LPARAM lParam);

    // Aims the keyboard hook at this display.
    void InstallHook();
    void UninstallHook();
    // Removes the hook and ends the display as with OK.
    void CloseOsd();

    CRadioControl m_radio;

private:
    HWND m_hUserWindow = nullptr;
};
