// The tray icon's mouse gestures: the context menu on a right click and the
// first command on a double-click.
#include "tray/TrayIcon.h"

#include "RecordingWnd.h"
#include "TrayTestRes.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

// What the timer saw while the popup menu was open.
struct MenuSeen {
    bool bOpen = false;
    RECT rect = {};
    int nItems = 0;
    UINT uDefault = static_cast<UINT>(-1);
    UINT uFirstId = 0;
};

MenuSeen s_seen;
WPARAM s_choice;  // character posted to the open menu; 0 closes it without a choice

void CALLBACK InspectMenu(HWND hWnd, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(hWnd, idEvent);
    const HWND hMenuWnd = ::FindWindowA("#32768", nullptr);
    if (hMenuWnd != nullptr && ::IsWindowVisible(hMenuWnd)) {
        s_seen.bOpen = true;
        ::GetWindowRect(hMenuWnd, &s_seen.rect);
        const HMENU hMenu = reinterpret_cast<HMENU>(::SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0));
        s_seen.nItems = ::GetMenuItemCount(hMenu);
        s_seen.uDefault = ::GetMenuDefaultItem(hMenu, TRUE, 0);
        s_seen.uFirstId = ::GetMenuItemID(hMenu, 0);
        if (s_choice != 0) {
            ::PostMessageA(hMenuWnd, WM_CHAR, s_choice, 0);
            return;
        }
    }
    ::EndMenu();
}

class TrayMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s_seen = MenuSeen();
        s_choice = 0;
        ASSERT_TRUE(m_wnd.CreateHidden());
        CRecordingWnd::PumpPending();
        m_wnd.m_messages.clear();
    }

    void TearDown() override { m_wnd.DestroyWindow(); }

    // Runs one gesture; a menu that opens is inspected and then answered
    // with s_choice, so a wrong gesture never blocks the test.
    LRESULT Gesture(CTrayIcon& tray, WPARAM wParam, LPARAM lParam)
    {
        ::SetTimer(m_wnd.m_hWnd, 1, 300, InspectMenu);
        const LRESULT result = tray.OnTrayNotification(wParam, lParam);
        ::KillTimer(m_wnd.m_hWnd, 1);
        return result;
    }

    CRecordingWnd m_wnd;
};

TEST_F(TrayMenuTest, RightClickOpensTheMenuAtTheCursorWithOptionAsDefault)
{
    CTrayIcon tray(IDR_MAINFRAME);
    tray.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);
    ::SetCursorPos(200, 150);
    s_choice = 'a';  // "&About Ravo..."

    EXPECT_EQ(Gesture(tray, IDR_MAINFRAME, WM_RBUTTONUP), 1);

    ASSERT_TRUE(s_seen.bOpen);
    EXPECT_EQ(s_seen.rect.left, 200);
    EXPECT_EQ(s_seen.rect.top, 150);
    EXPECT_EQ(s_seen.nItems, 4);
    EXPECT_EQ(s_seen.uDefault, 0u);
    EXPECT_EQ(s_seen.uFirstId, static_cast<UINT>(ID_OPTION));

    // The chosen command is queued for the window, and after it the wake-up
    // message that lets the next menu open properly.
    CRecordingWnd::PumpPending();
    ASSERT_EQ(m_wnd.m_messages.size(), 2u);
    EXPECT_EQ(m_wnd.m_messages[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(m_wnd.m_messages[0].wParam, static_cast<WPARAM>(ID_APP_ABOUT));
    EXPECT_EQ(m_wnd.m_messages[1].message, static_cast<UINT>(WM_NULL));
}

TEST_F(TrayMenuTest, ClosingTheMenuWithoutAChoiceSendsNoCommand)
{
    CTrayIcon tray(IDR_MAINFRAME);
    tray.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);

    EXPECT_EQ(Gesture(tray, IDR_MAINFRAME, WM_RBUTTONUP), 1);
    EXPECT_TRUE(s_seen.bOpen);
    CRecordingWnd::PumpPending();
    ASSERT_EQ(m_wnd.m_messages.size(), 1u);
    EXPECT_EQ(m_wnd.m_messages[0].message, static_cast<UINT>(WM_NULL));
}

TEST_F(TrayMenuTest, DoubleClickSendsTheFirstCommand)
{
    CTrayIcon tray(IDR_MAINFRAME);
    tray.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);

    EXPECT_EQ(Gesture(tray, IDR_MAINFRAME, WM_LBUTTONDBLCLK), 1);
    EXPECT_FALSE(s_seen.bOpen);
    // Sent: handled before the gesture returns, with nothing pumped.
    ASSERT_EQ(m_wnd.m_messages.size(), 1u);
    EXPECT_EQ(m_wnd.m_messages[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(m_wnd.m_messages[0].wParam, static_cast<WPARAM>(ID_OPTION));
    EXPECT_EQ(m_wnd.m_messages[0].lParam, 0);
}

TEST_F(TrayMenuTest, OtherGesturesIconsAndMissingMenusDoNothing)
{
    CTrayIcon tray(IDR_MAINFRAME);
    tray.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);
    CTrayIcon noMenu(IDS_TRAY_TEST_LONG);
    noMenu.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);
    CTrayIcon noPopup(IDR_TRAY_TEST_FLATMENU);
    noPopup.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);

    EXPECT_EQ(Gesture(tray, IDR_MAINFRAME + 1, WM_RBUTTONUP), 0);
    EXPECT_EQ(Gesture(tray, IDR_MAINFRAME + 1, WM_LBUTTONDBLCLK), 0);
    for (LPARAM mouse : { WM_LBUTTONUP, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONDBLCLK }) {
        SCOPED_TRACE(mouse);
        EXPECT_EQ(Gesture(tray, IDR_MAINFRAME, mouse), 0);
    }
    for (CTrayIcon* broken : { &noMenu, &noPopup }) {
        EXPECT_EQ(Gesture(*broken, IDS_TRAY_TEST_LONG, WM_RBUTTONUP), 0);
        EXPECT_EQ(Gesture(*broken, IDR_TRAY_TEST_FLATMENU, WM_RBUTTONUP), 0);
        EXPECT_EQ(Gesture(*broken, IDR_TRAY_TEST_FLATMENU, WM_LBUTTONDBLCLK), 0);
    }

    EXPECT_FALSE(s_seen.bOpen);
    CRecordingWnd::PumpPending();
    EXPECT_TRUE(m_wnd.m_messages.empty());
}

}  // namespace
