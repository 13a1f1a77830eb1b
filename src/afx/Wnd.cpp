#include "afx/Wnd.h"

#include "afx/HandleMap.h"
#include "afx/WinApp.h"

namespace {

// Windows belong to the thread that created them, so the handle maps are
// per thread. They are made on a thread's first use and live as long as the
// process: thread-local objects with destructors hang thread exit under the
// posix-thread runtime, so only a plain pointer is thread-local.
struct HandleMaps {
    CHandleMap permanent;  // attached objects, owned elsewhere
    CHandleMap temporary;  // FromHandle's wrappers, owned here
};
thread_local HandleMaps* t_maps = nullptr;

HandleMaps& Maps()
{
    if (t_maps == nullptr)
        t_maps = new HandleMaps;
    return *t_maps;
}

// The message being handled on this thread, for Default().
struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
thread_local CurrentMessage t_current = {};

// The object waiting for its window, and the hook that attaches it.
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hCreateHook = nullptr;

}  // namespace

CWnd* AfxWndFromHandle(HWND hWnd)
{
    return CWnd::FromHandle(hWnd);
}

const CRuntimeClass CWnd::classCWnd = { "CWnd", &CCmdTarget::classCCmdTarget };
const CRuntimeClass* CWnd::GetRuntimeClass() const { return &classCWnd; }

const CWnd CWnd::wndTopMost(HWND_TOPMOST);

CWnd::~CWnd()
{
    // Only an attached window (one whose procedure was taken over) is owned.
    if (m_hWnd != nullptr && m_pfnSuper != nullptr)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return t_maps != nullptr ? t_maps->permanent.Lookup(hWnd) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    CHandleMap& temporary = Maps().temporary;
    if (CWnd* pWnd = temporary.Lookup(hWnd))
        return pWnd;
    auto* pWnd = new CWnd(hWnd);
    if (!temporary.SetAt(hWnd, pWnd)) {
        delete pWnd;
        return nullptr;
    }
    return pWnd;
}

void CWnd::DeleteTempMap()
{
    if (t_maps == nullptr)
        return;
    CHandleMap& temporary = t_maps->temporary;
    for (int i = 0; i < temporary.GetCount(); ++i) {
        CWnd* pWnd = temporary.GetAt(i);
        pWnd->m_hWnd = nullptr;  // a temporary never owns its window
        delete pWnd;
    }
    temporary.RemoveAll();
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    Maps().permanent.SetAt(hWnd, this);
}

void CWnd::Detach()
{
    if (m_hWnd == nullptr)
        return;
    // Put the old procedure back only if nobody subclassed the window after
    // us; otherwise that procedure would lose its place in the chain.
    if (m_pfnSuper != nullptr &&
        ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc))
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Maps().permanent.RemoveKey(m_hWnd);
    m_hWnd = nullptr;
}

// ---- creation ------------------------------------------------------------

LRESULT CALLBACK CWnd::CreationHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hook = t_hCreateHook;
    if (nCode == HCBT_CREATEWND && t_pWndInit != nullptr) {
        // The first window created after HookWindowCreate is the object's:
        // attach it and take over its procedure before WM_NCCREATE.
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        const HWND hWnd = reinterpret_cast<HWND>(wParam);
        pWnd->Attach(hWnd);
        pWnd->m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
        ::UnhookWindowsHookEx(hook);
        t_hCreateHook = nullptr;
    }
    return ::CallNextHookEx(hook, nCode, wParam, lParam);
}

void CWnd::HookWindowCreate(CWnd* pWnd)
{
    if (t_hCreateHook == nullptr)
        t_hCreateHook = ::SetWindowsHookExA(WH_CBT, &CWnd::CreationHookProc, nullptr,
                                            ::GetCurrentThreadId());
    t_pWndInit = pWnd;
}

BOOL CWnd::UnhookWindowCreate()
{
    if (t_hCreateHook != nullptr) {
        ::UnhookWindowsHookEx(t_hCreateHook);
        t_hCreateHook = nullptr;
    }
    if (t_pWndInit != nullptr) {
        t_pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight,
                    HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    HookWindowCreate(this);
    const HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                                        static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                        cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!UnhookWindowCreate())
        PostNcDestroy();  // no window was ever attached: clean up as if destroyed
    return hWnd != nullptr;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* /*pContext*/)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return cs.lpszClass != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == nullptr || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    Attach(hWnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

// ---- wrappers ------------------------------------------------------------

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr,
                          x, y, cx, cy, nFlags);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
void CWnd::SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }

void CWnd::GetWindowText(CString& rString) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = new char[static_cast<size_t>(length) + 1];
    buffer[0] = '\0';
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    rString = buffer;
    delete[] buffer;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::CenterWindow()
{
    RECT area;
    const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner != nullptr && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner)) {
        ::GetWindowRect(hOwner, &area);
    } else {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        HMONITOR monitor = ::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY);
        if (monitor != nullptr && ::GetMonitorInfoA(monitor, &info))
            area = info.rcWork;
        else
            ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const int x = area.left + ((area.right - area.left) - width) / 2;
    const int y = area.top + ((area.bottom - area.top) - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- dispatch ------------------------------------------------------------

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    // A handler may run a nested message loop, and the window may be
    // destroyed inside it; the object must outlive every handler of its
    // still on the stack. So messages are counted, WM_NCDESTROY only marks
    // the object, and the final step runs when the outermost one returns.
    const CurrentMessage saved = t_current;
    t_current = { message, wParam, lParam };
    ++pWnd->m_nMsgDepth;
    const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    t_current = saved;

    if (message == WM_NCDESTROY)
        pWnd->OnNcDestroyed();
    if (--pWnd->m_nMsgDepth == 0 && pWnd->m_bDestroyed)
        pWnd->OnFinalMessage();  // may delete pWnd
    return result;
}

void CWnd::OnNcDestroyed()
{
    // The window is gone: the object lets go of it at once, so that code
    // resuming after a nested loop sees m_hWnd NULL, and a new window that
    // gets the same handle is not mistaken for it.
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == this) {
        pThread->m_pMainWnd = nullptr;
        m_bQuitWhenFinal = TRUE;
    }
    Detach();
    m_bDestroyed = TRUE;
}

void CWnd::OnFinalMessage()
{
    m_bDestroyed = FALSE;
    // Destroying the main window ends the thread's message loop. Posted only
    // now, with every nested loop of the window's handlers already left.
    if (m_bQuitWhenFinal) {
        m_bQuitWhenFinal = FALSE;
        ::PostQuitMessage(0);
    }
    PostNcDestroy();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        // Owner-drawn controls paint themselves.
        const auto* pDraw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CWnd* pChild = pDraw != nullptr ? FromHandlePermanent(pDraw->hwndItem) : nullptr;
        if (pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult))
            return TRUE;
    }
    const afx::MessageEntry* entry = afx::FindMessageEntry(GetMessageMap(), message);
    if (entry == nullptr)
        return FALSE;
    *pResult = entry->thunk(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM /*lParam*/)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == nullptr)
        return 0;  // the window is already gone
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

int CWnd::OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnPaint() { Default(); }
