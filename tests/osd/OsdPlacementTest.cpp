// Where a display appears, over synthetic monitors: centred in the work
// area of the monitor that holds the user's window, else of the one under
// the cursor; with one monitor, in its work area's centre as before.
#include "osd/OsdPlacement.h"

#include <gtest/gtest.h>

namespace {

bool Same(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

// A primary 1920 x 1080 monitor with the taskbar at its bottom, and a
// second 1280 x 1024 one to its left, its work area the whole of it.
const MonitorArea kTwo[] = {
    { { 0, 0, 1920, 1080 }, { 0, 0, 1920, 1040 } },
    { { -1280, 0, 0, 1024 }, { -1280, 0, 0, 1024 } },
};

}  // namespace

TEST(OsdPlacement, TheUsersWindowChoosesTheMonitorElseTheCursor)
{
    const POINT onPrimary = { 500, 500 };
    const POINT onSecond = { -500, 500 };
    const RECT mostlyOnSecond = { -900, 100, 200, 600 };
    const RECT onPrimaryOnly = { 100, 100, 800, 600 };
    const RECT offEverything = { -3000, 2000, -2900, 2100 };  // nearest: the second

    EXPECT_TRUE(Same(OsdWorkArea(kTwo, 2, &mostlyOnSecond, onPrimary), kTwo[1].rcWork));
    EXPECT_TRUE(Same(OsdWorkArea(kTwo, 2, &onPrimaryOnly, onSecond), kTwo[0].rcWork));
    EXPECT_TRUE(Same(OsdWorkArea(kTwo, 2, &offEverything, onPrimary), kTwo[1].rcWork));
    EXPECT_TRUE(Same(OsdWorkArea(kTwo, 2, nullptr, onSecond), kTwo[1].rcWork));
    EXPECT_TRUE(Same(OsdWorkArea(kTwo, 2, nullptr, onPrimary), kTwo[0].rcWork));
    EXPECT_TRUE(Same(OsdWorkArea(kTwo, 2, nullptr, POINT{ 5000, 5000 }), kTwo[0].rcWork));
    EXPECT_TRUE(Same(OsdWorkArea(kTwo, 1, &mostlyOnSecond, onSecond), kTwo[0].rcWork));  // one monitor
}

TEST(OsdPlacement, CentresInTheWorkAreaAsForAnyDialog)
{
    const POINT primary = CentreIn(kTwo[0].rcWork, SIZE{ 307, 171 });
    EXPECT_EQ(primary.x, (1920 - 307) / 2);
    EXPECT_EQ(primary.y, (1040 - 171) / 2);
    const POINT second = CentreIn(kTwo[1].rcWork, SIZE{ 307, 171 });
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
