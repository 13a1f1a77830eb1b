// Where a display appears: centred in a work area, as for any dialog, and
// only on account of a window the user works in (Windows then chooses the
// monitor).
#include "osd/OsdPlacement.h"

#include <gtest/gtest.h>

TEST(OsdPlacement, CentresInTheWorkAreaAsForAnyDialog)
{
    const POINT primary = CentreIn(RECT{ 0, 0, 1920, 1040 }, SIZE{ 307, 171 });
    EXPECT_EQ(primary.x, (1920 - 307) / 2);
    EXPECT_EQ(primary.y, (1040 - 171) / 2);
    const POINT second = CentreIn(RECT{ -1280, 0, 0, 1024 }, SIZE{ 307, 171 });
    EXPECT_EQ(second.x, -1280 + (1280 - 307) / 2);
    EXPECT_EQ(second.y, (1024 - 171) / 2);
}

// Neither the desktop nor the taskbar, nor a hidden or minimised window,
// is the window the user works in; a visible window is.
TEST(OsdPlacement, DesktopTaskbarHiddenAndMinimisedWindowsAreNotTheUsers)
{
    EXPECT_FALSE(IsUsersWindow(nullptr));
    EXPECT_FALSE(IsUsersWindow(::GetDesktopWindow()));
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "Shell_SecondaryTrayWnd";
    ::RegisterClassA(&wc);
    const HWND hTaskbar = ::CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE,
                                            0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    const HWND hWindow = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                           nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hTaskbar != nullptr && hWindow != nullptr);
    EXPECT_FALSE(IsUsersWindow(hTaskbar));
    EXPECT_TRUE(IsUsersWindow(hWindow));
    ::ShowWindow(hWindow, SW_MINIMIZE);
    EXPECT_FALSE(IsUsersWindow(hWindow));
    ::ShowWindow(hWindow, SW_HIDE);
    EXPECT_FALSE(IsUsersWindow(hWindow));
    ::DestroyWindow(hWindow);
    ::DestroyWindow(hTaskbar);
}
