#include "tray/TrayIcon.h"

#include "afx/WinApp.h"
#include "afx/Wnd.h"

// The record layout with the 128-character tooltip and the balloon fields,
// without the GUID: understood by every shell version the program supports.
#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V2_SIZE == 488, "unexpected NOTIFYICONDATAA layout");
#endif

const CRuntimeClass CTrayIcon::classCTrayIcon = { "CTrayIcon", &CCmdTarget::classCCmdTarget };

const CRuntimeClass* CTrayIcon::GetRuntimeClass() const
{
    return &classCTrayIcon;
}

// Loads string id into the tooltip, cut to fit; an absent string empties it.
static void LoadTip(UINT id, NOTIFYICONDATAA& nid)
{
    if (::LoadStringA(AfxGetResourceHandle(), id, nid.szTip, sizeof(nid.szTip)) == 0)
        nid.szTip[0] = '\0';
}

CTrayIcon::CTrayIcon(UINT uID) : m_nid()
{
    m_nid.cbSize = NOTIFYICONDATAA_V2_SIZE;
    m_nid.uID = uID;
    LoadTip(uID, m_nid);
}

CTrayIcon::~CTrayIcon()
{
    SetIcon(0u);
}

void CTrayIcon::SetNotificationWnd(CWnd* pNotifyWnd, UINT uCbMsg)
{
    m_nid.hWnd = pNotifyWnd != nullptr ? pNotifyWnd->GetSafeHwnd() : nullptr;
    m_nid.uCallbackMessage = uCbMsg;
}

BOOL CTrayIcon::SetIcon(UINT uID)
{
    HICON hIcon = nullptr;
    if (uID != 0) {
        LoadTip(uID, m_nid);
        hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(uID));
    }
    return SetIcon(hIcon, nullptr);
}

BOOL CTrayIcon::SetIcon(HICON hIcon, LPCSTR lpTip)
{
    DWORD dwMessage;
    m_nid.uFlags = 0;
    if (hIcon != nullptr) {
        dwMessage = m_nid.hIcon != nullptr ? NIM_MODIFY : NIM_ADD;
        m_nid.hIcon = hIcon;
        m_nid.uFlags = NIF_ICON;
    } else {
        if (m_nid.hIcon == nullptr)
            return TRUE;
        dwMessage = NIM_DELETE;
    }

    if (lpTip != nullptr)
        ::lstrcpynA(m_nid.szTip, lpTip, sizeof(m_nid.szTip));
    if (m_nid.szTip[0] != '\0')
        m_nid.uFlags |= NIF_TIP;
    if (m_nid.uCallbackMessage != 0 && m_nid.hWnd != nullptr)
        m_nid.uFlags |= NIF_MESSAGE;

    // The shell's answer can take a while, and messages sent to the window
    // meanwhile are handled inside this call: one of them may remove the
    // icon (a shut-down) before the shell gets to this add or modify.
    const UINT nCall = ++m_nCalls;
    const BOOL result = ::Shell_NotifyIconA(dwMessage, &m_nid);
    if (nCall != m_nCalls) {
        if (result && dwMessage != NIM_DELETE && m_nid.hIcon == nullptr)
            ::Shell_NotifyIconA(NIM_DELETE, &m_nid);  // the later removal wins
        return result;
    }
    // The stored icon is the only record of what the shell shows: after a
    // delete, or any failure, assume nothing is shown.
    if (dwMessage == NIM_DELETE || !result)
        m_nid.hIcon = nullptr;
    return result;
}

LRESULT CTrayIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_nid.uID)
        return 0;
    if (lParam != WM_RBUTTONUP && lParam != WM_LBUTTONDBLCLK)
        return 0;

    const HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nid.uID));
    if (hMenu == nullptr)
        return 0;
    const HMENU hSubMenu = ::GetSubMenu(hMenu, 0);
    if (hSubMenu == nullptr) {
        ::DestroyMenu(hMenu);
        return 0;
    }

    if (lParam == WM_RBUTTONUP) {
        ::SetMenuDefaultItem(hSubMenu, 0, TRUE);
        POINT pt = {};
        ::GetCursorPos(&pt);
        // The window must be in the foreground for the menu to close when
        // the user clicks elsewhere, and it must get a message after the
        // menu closes, or the next menu may close as soon as it opens.
        ::SetForegroundWindow(m_nid.hWnd);
        ::TrackPopupMenu(hSubMenu, 0, pt.x, pt.y, 0, m_nid.hWnd, nullptr);
        // A command handled inside the menu's loop may have ended the program.
        if (::IsWindow(m_nid.hWnd))
            ::PostMessageA(m_nid.hWnd, WM_NULL, 0, 0);
    } else {
        const UINT id = ::GetMenuItemID(hSubMenu, 0);
        ::SendMessageA(m_nid.hWnd, WM_COMMAND, id, 0);
    }

    ::DestroyMenu(hMenu);
    return 1;
}

UINT CTrayIcon::TaskbarCreatedMessage()
{
    static const UINT s_uTaskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
    return s_uTaskbarCreated;
}
