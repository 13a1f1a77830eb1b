#include "osd/OsdShared.h"

#include "afx/WinApp.h"
#include "hook/KeyboardHook.h"
#include "shared/ExternalNames.h"

namespace {

// The displays' handle on the one process-wide keyboard hook.
CKeyboardHook s_hook;

}  // namespace

void RefreshMainFrame()
{
    const HWND hMainFrame = ::FindWindowA(RAVO_CLASS_NAME, nullptr);
    if (hMainFrame != nullptr)
        ::SendMessageA(hMainFrame, WM_STATUS_CHANGED, 0, 0);
}

void COsdDlg::InstallHook()
{
    s_hook.Install(m_hWnd, AfxGetInstanceHandle());
}

void COsdDlg::UninstallHook()
{
    s_hook.Uninstall();
}

void COsdDlg::CloseOsd()
{
    UninstallHook();
    OnOK();
}
