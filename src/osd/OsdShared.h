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

// COsdDlg: a display that, while open, takes the keys from the process's
// keyboard hook aimed at itself, and reads the firmware through its own
// CRadioControl.
class COsdDlg : public CDialog {
protected:
    COsdDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

    // Aims the keyboard hook at this display.
    void InstallHook();
    void UninstallHook();
    // Removes the hook and ends the display as with OK.
    void CloseOsd();

    CRadioControl m_radio;
};
