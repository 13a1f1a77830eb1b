// Giving the foreground back after a display: only while this program's
// window holds it, never while no window does (the secure desktop, or
// another program in the middle of activating) or another program's does.
#include "osd/ForegroundHelper.h"

#include "ImportPatch.h"

#include <gtest/gtest.h>

namespace {

HWND s_hForeground = nullptr;
int s_foregroundSets = 0;

HWND WINAPI FakeGetForegroundWindow() { return s_hForeground; }
BOOL WINAPI FakeSetForegroundWindow(HWND)
{
    ++s_foregroundSets;
    return TRUE;
}

}  // namespace

TEST(ForegroundHelper, GivesBackOnlyWhileAWindowOfThisProgramIsInFront)
{
    CImportPatch get("user32.dll", "GetForegroundWindow",
                     reinterpret_cast<void*>(&FakeGetForegroundWindow));
    CImportPatch set("user32.dll", "SetForegroundWindow",
                     reinterpret_cast<void*>(&FakeSetForegroundWindow));
    ASSERT_TRUE(get.IsApplied() && set.IsApplied());
    const HWND hPrevious = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1,
                                             nullptr, nullptr, nullptr, nullptr);
    const HWND hOwn = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        nullptr, nullptr);
    ASSERT_TRUE(hPrevious != nullptr && hOwn != nullptr);

    s_hForeground = nullptr;
    EXPECT_FALSE(CForegroundHelper::GiveBack(hPrevious));
    EXPECT_EQ(s_foregroundSets, 0);
    s_hForeground = hOwn;
    EXPECT_TRUE(CForegroundHelper::GiveBack(hPrevious));
    EXPECT_EQ(s_foregroundSets, 1);
    s_hForeground = ::GetDesktopWindow();  // another process's: the user moved on
    EXPECT_FALSE(CForegroundHelper::GiveBack(hPrevious));
    EXPECT_EQ(s_foregroundSets, 1);

    ::DestroyWindow(hOwn);
    ::DestroyWindow(hPrevious);
}
