// CTrayIcon: the program's one icon in the notification area, its tooltip,
// and the two mouse gestures on it (right click: context menu; left
// double-click: the menu's first command).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "afx/CmdTarget.h"

class CWnd;

// The shell's callback message: wParam = icon id, lParam = mouse message.
constexpr UINT WM_TRAY_NOTIFY = WM_USER + 0xC4;

class CTrayIcon : public CCmdTarget {
public:
    static const CRuntimeClass classCTrayIcon;
    const CRuntimeClass* GetRuntimeClass() const override;

    // uID names the icon, its first tooltip (string uID) and its context menu.
    explicit CTrayIcon(UINT uID);
    ~CTrayIcon() override;

    // Window and message for the shell's callbacks and the menu's commands;
    // they take effect with the next SetIcon that reaches the shell.
    void SetNotificationWnd(CWnd* pNotifyWnd, UINT uCbMsg);

    // Shows icon and string id together; 0 (or an id without an icon) removes the icon.
    BOOL SetIcon(UINT uID);
    // Adds, modifies or deletes the icon; lpTip NULL keeps the tooltip text.
    // For an icon: whether the shell shows it. For a removal: the shell's
    // result, or TRUE when nothing had to be done. Calls made meanwhile, from
    // messages handled inside the shell call, are reconciled before it returns.
    // After a failed add or modify the shell's state is unknown (a late
    // answer fails, yet the shell may still carry it out): the next icon is
    // modified first and added only if that fails, and a removal deletes.
    BOOL SetIcon(HICON hIcon, LPCSTR lpTip);

    // 1 if the mouse message for icon wParam was handled, else 0.
    virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);

    // The message the shell broadcasts to top-level windows when it (re)starts.
    static UINT TaskbarCreatedMessage();

protected:
    // The record handed to the shell. hIcon is the last picture given; a
    // removal keeps it, so that the delete names the icon it removes.
    NOTIFYICONDATAA m_nid;

private:
    // Makes the shell show what the frame asked for last (m_bWanted): asks
    // again until one answer came with no other call made meanwhile.
    BOOL Update();

    BOOL m_bWanted = FALSE;  // the frame asks for the icon to be shown
    BOOL m_bShown = FALSE;   // the shell shows it, by its last answer
    // m_bShown is exact: no call was waiting for the shell when that answer
    // came, none was made meanwhile, and the answer was no failed add or
    // modify.
    BOOL m_bSure = TRUE;
    // The shell's answer can take a while, and messages sent to the window
    // meanwhile are handled inside the call: one of them may ask for
    // another picture or a removal (a shut-down).
    UINT m_nCalls = 0;  // calls made to the shell, to see nested ones
    int m_nWaiting = 0; // calls waiting for the shell's answer
};
