#include "afx/Wnd.h"

#include "afx/HandleMap.h"
#include "afx/ThreadSlot.h"
#include "afx/WinApp.h"

namespace {

// The message being handled, for Default().
struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What the framework keeps per thread, since windows belong to the thread
// that created them: the handle maps, the message being handled, and the
// object waiting for its window with the hook that attaches it. Made on a
// thread's first use and kept as long as the process.
struct ThreadState {
    CHandleMap permanent;  // attached objects, owned elsewhere
    CHandleMap temporary;  // FromHandle's wrappers, owned here
    CurrentMessage current = {};
    CWnd* pWndInit = nullptr;
    HHOOK hCreateHook = nullptr;
};
CThreadSlot s_threadState;

// This thread's state, or NULL before its first window.
ThreadState* PeekState()
{
    return static_cast<ThreadState*>(s_threadState.Get());
}

ThreadState& State()
{
    ThreadState* pState = PeekState();
    if (pState == nullptr) {
        pState = new ThreadState;
        s_threadState.Set(pState);
    }
    return *pState;
}

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
    const ThreadState* pState = PeekState();
    return pState != nullptr ? pState->permanent.Lookup(hWnd) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    CHandleMap& temporary = State().temporary;
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
    ThreadState* pState = PeekState();
    if (pState == nullptr)
        return;
    CHandleMap& temporary = pState->temporary;
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
    State().permanent.SetAt(hWnd, this);
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
    State().permanent.RemoveKey(m_hWnd);
    m_hWnd = nullptr;
}

// ---- creation ------------------------------------------------------------

LRESULT CALLBACK CWnd::CreationHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = State();
    const HHOOK hook = state.hCreateHook;
    if (nCode == HCBT_CREATEWND && state.pWndInit != nullptr) {
        // The first window created after HookWindowCreate is the object's:
        // attach it and take over its procedure before WM_NCCREATE.
        CWnd* pWnd = state.pWndInit;
        state.pWndInit = nullptr;
        const HWND hWnd = reinterpret_cast<HWND>(wParam);
        pWnd->Attach(hWnd);
        pWnd->m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
        ::UnhookWindowsHookEx(hook);
        state.hCreateHook = nullptr;
    }
    return ::CallNextHookEx(hook, nCode, wParam, lParam);
}

void CWnd::HookWindowCreate(CWnd* pWnd)
{
    ThreadState& state = State();
    if (state.hCreateHook == nullptr)
        state.hCreateHook = ::SetWindowsHookExA(WH_CBT, &CWnd::CreationHookProc, nullptr,
                                                ::GetCurrentThreadId());
    state.pWndInit = pWnd;
}

BOOL CWnd::UnhookWindowCreate()
{
    ThreadState& state = State();
    if (state.hCreateHook != nullptr) {
        ::UnhookWindowsHookEx(state.hCreateHook);
        state.hCreateHook = nullptr;
    }
    if (state.pWndInit != nullptr) {
        state.pWndInit = nullptr;
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
    if (!IsWindow())
        return FALSE;
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr,
                          x, y, cx, cy, nFlags);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return IsWindow() && ::ShowWindow(m_hWnd, nCmdShow); }

void CWnd::UpdateWindow()
{
    if (IsWindow())
        ::UpdateWindow(m_hWnd);
}

CWnd* CWnd::SetFocus() { return IsWindow() ? FromHandle(::SetFocus(m_hWnd)) : nullptr; }

BOOL CWnd::SetForegroundWindow() { return IsWindow() && ::SetForegroundWindow(m_hWnd); }

CWnd* CWnd::GetDlgItem(int nID) const
{
    return IsWindow() ? FromHandle(::GetDlgItem(m_hWnd, nID)) : nullptr;
}

BOOL CWnd::EnableWindow(BOOL bEnable) { return IsWindow() && ::EnableWindow(m_hWnd, bEnable); }

void CWnd::SetWindowText(LPCSTR lpszString)
{
    if (IsWindow())
        ::SetWindowTextA(m_hWnd, lpszString);
}

void CWnd::GetWindowText(CString& rString) const
{
    rString = "";
    if (!IsWindow())
        return;
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = new char[static_cast<size_t>(length) + 1];
    buffer[0] = '\0';
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    rString = buffer;
    delete[] buffer;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return IsWindow() ? ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return IsWindow() && ::KillTimer(m_hWnd, nIDEvent); }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags)
{
    return IsWindow() && ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return IsWindow() ? ::SendMessageA(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return IsWindow() && ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::CenterWindow()
{
    RECT rc;
    if (!IsWindow() || !::GetWindowRect(m_hWnd, &rc))
        return;
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
    CurrentMessage& current = State().current;
    const CurrentMessage saved = current;
    current = { message, wParam, lParam };
    ++pWnd->m_nMsgDepth;
    const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    current = saved;

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
    const CurrentMessage& current = State().current;
    return DefWindowProc(current.message, current.wParam, current.lParam);
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
