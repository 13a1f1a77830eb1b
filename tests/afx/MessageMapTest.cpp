// Message maps: chaining to the base map, default processing, notifications.
#include "afx/Afx.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT WM_BASE_ONLY = WM_APP + 1;
constexpr UINT WM_DERIVED_ONLY = WM_APP + 2;
constexpr UINT WM_BOTH = WM_APP + 3;
constexpr UINT WM_NOBODY = WM_APP + 4;

// The class's own procedure: what "default processing" must reach.
LRESULT CALLBACK OriginalProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOBODY || message == WM_BOTH)
        return 1000 + static_cast<LRESULT>(wParam);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

const char* RegisterOriginalClass()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OriginalProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "AfxTestOriginal";
    AfxRegisterClass(&wc);
    return wc.lpszClassName;
}

class BaseWnd : public CWnd {
public:
    static const afx::MessageMap* GetThisMessageMap()
    {
        static const afx::MessageEntry entries[] = {
            afx::OnMessage<&BaseWnd::OnBaseOnly>(WM_BASE_ONLY),
            afx::OnMessage<&BaseWnd::OnBothInBase>(WM_BOTH),
            afx::EndOfMap(),
        };
        static const afx::MessageMap map = { &CWnd::GetThisMessageMap, entries };
        return &map;
    }
    const afx::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    LRESULT OnBaseOnly(WPARAM wParam, LPARAM lParam) { return 10 + wParam + lParam; }
    LRESULT OnBothInBase(WPARAM, LPARAM) { return 30; }
};

class DerivedWnd : public BaseWnd {
public:
    static const afx::MessageMap* GetThisMessageMap()
    {
        static const afx::MessageEntry entries[] = {
            afx::OnMessage<&DerivedWnd::OnDerivedOnly>(WM_DERIVED_ONLY),
            afx::OnMessage<&DerivedWnd::OnBothInDerived>(WM_BOTH),
            afx::OnMessage<&DerivedWnd::OnTimer>(WM_TIMER),
            afx::OnControl<&DerivedWnd::OnClicked>(BN_CLICKED, 7),
            afx::OnControl<&DerivedWnd::OnDoubleClicked>(BN_DOUBLECLICKED, 7),
            afx::OnControl<&DerivedWnd::OnDoubleClicked>(BN_DOUBLECLICKED, 8),
            afx::EndOfMap(),
        };
        static const afx::MessageMap map = { &BaseWnd::GetThisMessageMap, entries };
        return &map;
    }
    const afx::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    LRESULT OnDerivedOnly(WPARAM, LPARAM) { return 20; }
    LRESULT OnBothInDerived(WPARAM wParam, LPARAM)
    {
        // A handler may still ask for the original procedure's result.
        return 2 * Default() + static_cast<LRESULT>(wParam) * 0;
    }
    void OnTimer(UINT_PTR id) { timers.push_back(id); }
    void OnClicked() { ++clicked; }
    void OnDoubleClicked() { ++doubleClicked; }

    std::vector<UINT_PTR> timers;
    int clicked = 0;
    int doubleClicked = 0;
};

}  // namespace

TEST(MessageMap, DerivedMapChainsToBaseAndFallsBackToTheOriginalProcedure)
{
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, RegisterOriginalClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.SendMessage(WM_BASE_ONLY, 1, 2), 13);
    EXPECT_EQ(wnd.SendMessage(WM_DERIVED_ONLY), 20);
    EXPECT_EQ(wnd.SendMessage(WM_BOTH, 5), 2 * 1005);  // derived entry wins, Default() reaches the class
    EXPECT_EQ(wnd.SendMessage(WM_NOBODY, 4), 1004);
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST(MessageMap, NotificationsMatchCodeAndControl)
{
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, RegisterOriginalClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_DOUBLECLICKED), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(8, BN_DOUBLECLICKED), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0);  // no entry
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(9, BN_DOUBLECLICKED), 0);
    EXPECT_EQ(wnd.clicked, 1);
    EXPECT_EQ(wnd.doubleClicked, 2);
    wnd.DestroyWindow();
}

TEST(MessageMap, TimerMessagesReachTheHandlerWithTheirId)
{
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, RegisterOriginalClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    wnd.SetTimer(3, 10, nullptr);
    MSG msg;
    const DWORD start = ::GetTickCount();
    while (wnd.timers.empty() && ::GetTickCount() - start < 3000) {
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        else
            ::Sleep(1);
    }
    wnd.KillTimer(3);
    ASSERT_FALSE(wnd.timers.empty());
    EXPECT_EQ(wnd.timers.front(), 3u);
    wnd.DestroyWindow();
}

TEST(MessageMap, TemporaryObjectsWrapWindowsThatHaveNoObject)
{
    const HWND hWnd = ::CreateWindowExA(0, RegisterOriginalClass(), "", WS_POPUP, 0, 0, 1, 1,
                                        nullptr, nullptr, nullptr, nullptr);
    CWnd* temp = CWnd::FromHandle(hWnd);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, hWnd);
    EXPECT_EQ(CWnd::FromHandle(hWnd), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(hWnd));  // releasing a temporary never destroys the window
    ::DestroyWindow(hWnd);
}

// Once the window is gone the object's handle is NULL, which Win32 reads as
// the desktop (RedrawWindow), the thread (SetTimer, PostMessage) or "no
// focus" (SetFocus): those wrappers must do nothing and fail. Every other
// wrapper must not call Win32 at all, which would fail as well but report
// ERROR_INVALID_WINDOW_HANDLE: the last error stays as it was.
TEST(MessageMap, WrappersOfADestroyedWindowDoNothing)
{
    DerivedWnd focused;
    ASSERT_TRUE(focused.CreateEx(0, RegisterOriginalClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 10,
                                 10, nullptr, nullptr));
    ::SetFocus(focused.m_hWnd);
    ASSERT_EQ(::GetFocus(), focused.m_hWnd);
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, RegisterOriginalClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_TRUE(wnd.DestroyWindow());
    ASSERT_FALSE(wnd.IsWindow());

    EXPECT_EQ(wnd.SetTimer(5, 1, nullptr), 0u);
    EXPECT_FALSE(wnd.RedrawWindow());
    EXPECT_FALSE(wnd.PostMessage(WM_BASE_ONLY));
    EXPECT_EQ(wnd.SetFocus(), nullptr);
    EXPECT_EQ(::GetFocus(), focused.m_hWnd);

    const DWORD UNTOUCHED = 0xBEEF;
    auto noCall = [&](const char* what, auto call) {
        ::SetLastError(UNTOUCHED);
        call();
        EXPECT_EQ(::GetLastError(), UNTOUCHED) << what << " called Win32";
    };
    noCall("KillTimer", [&] { EXPECT_FALSE(wnd.KillTimer(5)); });
    noCall("SendMessage", [&] { EXPECT_EQ(wnd.SendMessage(WM_BASE_ONLY), 0); });
    noCall("SetWindowPos", [&] { EXPECT_FALSE(wnd.SetWindowPos(nullptr, 0, 0, 20, 20, SWP_NOMOVE)); });
    noCall("ShowWindow", [&] { EXPECT_FALSE(wnd.ShowWindow(SW_SHOW)); });
    noCall("SetForegroundWindow", [&] { EXPECT_FALSE(wnd.SetForegroundWindow()); });
    noCall("GetDlgItem", [&] { EXPECT_EQ(wnd.GetDlgItem(7), nullptr); });
    noCall("CenterWindow", [&] { wnd.CenterWindow(); });
    noCall("SetWindowText", [&] { wnd.SetWindowText("gone"); });
    noCall("GetWindowText", [&] {
        CString text("before");
        wnd.GetWindowText(text);
        EXPECT_TRUE(text.IsEmpty());
    });

    // Nothing reached the thread: no thread message, no thread timer.
    ::Sleep(20);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE))
        << "thread message " << msg.message;
    focused.DestroyWindow();
}
