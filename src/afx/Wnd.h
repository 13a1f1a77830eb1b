// CWnd: a C++ object attached to a window handle. Messages reach the object
// through the framework's window procedure, which first looks in the
// object's message map and otherwise calls the window's original procedure.
#pragma once

#include "afx/AfxString.h"
#include "afx/CmdTarget.h"

struct CCreateContext;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    static const CRuntimeClass classCWnd;
    const CRuntimeClass* GetRuntimeClass() const override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Insert-after value of SetWindowPos for topmost windows.
    static const CWnd wndTopMost;

    // The object attached to hWnd, or a temporary one that lives until the
    // thread is next idle. NULL for a NULL handle.
    static CWnd* FromHandle(HWND hWnd);
    // The object attached to hWnd, or NULL.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Creation. The object is attached before the window's first message,
    // so that WM_CREATE reaches its map.
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight,
                          HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual BOOL DestroyWindow();

    // Attaches this object to an existing window and routes its messages here.
    BOOL SubclassWindow(HWND hWnd);

    // TRUE while the window exists. The object lets go of its handle when
    // the window is destroyed, which a nested message loop or a message sent
    // from another thread can do in the middle of a handler.
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }

    // Thin wrappers. On an object whose window is gone each one does nothing
    // and returns the call's failure value: Win32 would read a NULL handle
    // as the desktop or the thread.
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    void UpdateWindow();
    CWnd* SetFocus();
    BOOL SetForegroundWindow();
    CWnd* GetDlgItem(int nID) const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    void SetWindowText(LPCSTR lpszString);
    void GetWindowText(CString& rString) const;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // Centres the window over its owner, or in the work area when the owner
    // is hidden, minimised or absent.
    void CenterWindow();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Dispatch.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A message the parent reflects to this control (WM_DRAWITEM).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The original procedure's processing of the message being handled.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Base handlers: the original procedure's processing.
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnClose();
    void OnSetFocus(CWnd* pOldWnd);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();

    // Releases the temporary objects that FromHandle made on this thread.
    static void DeleteTempMap();

    // The framework's window procedure, shared by every attached window.
    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Called just before a window is subclassed by SubclassWindow.
    virtual void PreSubclassWindow();
    // The final step, after the window is gone and the object detached, once
    // the outermost message of the window has returned: the object may
    // delete itself here.
    virtual void PostNcDestroy();

    // Arranges for the next window this thread creates to be attached to pWnd.
    static void HookWindowCreate(CWnd* pWnd);
    // Removes the arrangement; FALSE when no window was attached.
    static BOOL UnhookWindowCreate();

private:
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    void Attach(HWND hWnd);
    void Detach();
    void OnNcDestroyed();
    void OnFinalMessage();
    static LRESULT CALLBACK CreationHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;
    // Messages of this window being handled now (nested loops stack them).
    int m_nMsgDepth = 0;
    // The window is gone; the final step waits for m_nMsgDepth to reach 0.
    BOOL m_bDestroyed = FALSE;
    // This was the thread's main window: its final step ends the loop.
    BOOL m_bQuitWhenFinal = FALSE;
};
