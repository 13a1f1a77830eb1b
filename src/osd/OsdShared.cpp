#include "osd/OsdShared.h"

#include "afx/WinApp.h"
#include "hook/KeyboardHook.h"
#include "osd/OsdPlacement.h"
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

CString AccessibleName(LPCSTR pszText)
{
    const int length = ::lstrlenA(pszText);
    char* name = new char[static_cast<size_t>(length) + 1];
    int n = 0;
    bool bBlank = false;  // a blank is due before the next visible character
    for (int i = 0; i < length; ++i) {
        const char c = pszText[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            bBlank = n > 0;
        } else if (c != '&' || pszText[i + 1] == '&') {
            if (bBlank)
                name[n++] = ' ';
            bBlank = false;
            name[n++] = c;
            i += c == '&';  // "&&" is one '&'
        }
    }
    CString result(name, n);
    delete[] name;
    return result;
}

void COsdDlg::PlaceOnUsersMonitor()
{
    PlaceOsd(m_hWnd, m_hUserWindow);
}

LRESULT COsdDlg::OnSchemeChange(WPARAM, LPARAM)
{
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
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
    CDialog::OnOK();
}

const afx::MessageEntry* COsdDlg::MessageEntries()
{
    static const afx::MessageEntry entries[] = {
        afx::OnMessage<&COsdDlg::OnSchemeChange>(WM_SYSCOLORCHANGE),
        afx::OnMessage<&COsdDlg::OnSchemeChange>(WM_SETTINGCHANGE),
        afx::EndOfMap(),
    };
    return entries;
}
