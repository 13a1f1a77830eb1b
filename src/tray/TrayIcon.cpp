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
    if (hIcon == nullptr && !m_bShown && m_bSure)
        return TRUE;  // nothing shown: nothing to remove
    if (hIcon != nullptr)
        m_nid.hIcon = hIcon;
    m_bWanted = hIcon != nullptr;
    if (lpTip != nullptr)
        ::lstrcpynA(m_nid.szTip, lpTip, sizeof(m_nid.szTip));
    const BOOL result = Update();
    // For a picture, whether the shell shows one, whatever was asked meanwhile.
    return hIcon != nullptr ? m_bShown : result;
}

BOOL CTrayIcon::Update()
{
    // Unsure what the shell shows, a wanted icon is modified first and added
    // only if the shell does not know it.
    BOOL bModifyFailed = FALSE;
    for (;;) {
        DWORD dwMessage = NIM_DELETE;
        if (m_bWanted)
            dwMessage = m_bShown || (!m_bSure && !bModifyFailed) ? NIM_MODIFY : NIM_ADD;
        else if (!m_bShown && m_bSure)
            return TRUE;

        m_nid.uFlags = dwMessage != NIM_DELETE ? NIF_ICON : 0;
        if (m_nid.szTip[0] != '\0')
            m_nid.uFlags |= NIF_TIP;
        if (m_nid.uCallbackMessage != 0 && m_nid.hWnd != nullptr)
            m_nid.uFlags |= NIF_MESSAGE;

        const BOOL bWasSure = m_bSure;
        const UINT nCall = ++m_nCalls;
        ++m_nWaiting;
        m_bSure = FALSE;
        const BOOL result = ::Shell_NotifyIconA(dwMessage, &m_nid);
        --m_nWaiting;
        // Shown for sure only after an add or modify the shell confirmed.
        m_bShown = dwMessage != NIM_DELETE && result;
        if (nCall != m_nCalls) {
            // Calls made meanwhile were answered first, but the shell may
            // apply this older record after theirs: ask again for the present.
            bModifyFailed = FALSE;
            continue;
        }
        // A shell that answers late reports failure, yet may still carry
        // the add or modify out: after one, nobody knows what it shows.
        m_bSure = m_nWaiting == 0 && (result || dwMessage == NIM_DELETE);
        if (!result && dwMessage == NIM_MODIFY && !bWasSure) {
            bModifyFailed = TRUE;  // the shell does not know the icon: add it
            continue;
        }
        return result;
    }
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
