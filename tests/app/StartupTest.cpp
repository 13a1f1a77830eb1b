// Start-up, the single-instance rule and the "Close" command, from outside.
#include "FirmwareProbe.h"
#include "RavoProcess.h"
#include "shared/ExternalNames.h"

#include <gtest/gtest.h>

namespace {

class Startup : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CFirmwareProbe::UseInstance("app-tests"); }
    void SetUp() override
    {
        ASSERT_TRUE(WaitForNoRavoWindow()) << "a copy from an earlier test is still running";
    }
};

}  // namespace

TEST_F(Startup, FirstCopyKeepsAHiddenTopmostFrameOffScreen)
{
    CRavoProcess ravo;
    ASSERT_TRUE(ravo.Start());
    const HWND hWnd = ravo.WaitForMainWindow();
    ASSERT_NE(hWnd, nullptr);
    EXPECT_FALSE(::IsWindowVisible(hWnd));
    EXPECT_TRUE(::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    EXPECT_EQ(rc.left, -100);
    EXPECT_EQ(rc.top, -100);
    char title[64] = {};
    ::SendMessageA(hWnd, WM_GETTEXT, sizeof(title), reinterpret_cast<LPARAM>(title));
    EXPECT_STREQ(title, "Ravo");
    EXPECT_EQ(ravo.Close(), 0u);
}

TEST_F(Startup, SecondCopyLeavesSilentlyAndTheFirstKeepsRunning)
{
    CRavoProcess first;
    ASSERT_TRUE(first.Start());
    const HWND hWnd = first.WaitForMainWindow();
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(CRavoProcess::Run(""), 0u);
    EXPECT_EQ(CRavoProcess::Run("something else"), 0u);
    EXPECT_EQ(CRavoProcess::Run("/Close"), 0u);   // a switch, not the command
    EXPECT_EQ(CRavoProcess::Run("-Close"), 0u);
    EXPECT_EQ(CRavoProcess::Run("close"), 0u);    // compared case-sensitively
    EXPECT_EQ(CRavoProcess::Run("other Close"), 0u);  // only the first argument counts
    ::Sleep(300);
    EXPECT_TRUE(first.IsRunning());
    EXPECT_EQ(FindRavoWindow(), hWnd);
    EXPECT_EQ(first.Close(), 0u);
}

TEST_F(Startup, CloseEndsTheRunningCopyAndOnlyTheFirstArgumentCounts)
{
    CRavoProcess ravo;
    ASSERT_TRUE(ravo.Start());
    ASSERT_NE(ravo.WaitForMainWindow(), nullptr);
    EXPECT_EQ(CRavoProcess::Run("/quiet Close more args"), 0u);
    EXPECT_EQ(ravo.WaitForExit(), 0u);
    EXPECT_TRUE(WaitForNoRavoWindow());
}

TEST_F(Startup, CloseWithNoCopyRunningStartsNothing)
{
    EXPECT_EQ(CRavoProcess::Run("Close"), 0u);
    EXPECT_EQ(FindRavoWindow(), nullptr);
}

TEST_F(Startup, LowerCaseCloseWithNoCopyRunningBecomesTheRunningCopy)
{
    CRavoProcess ravo;
    ASSERT_TRUE(ravo.Start("close"));
    ASSERT_NE(ravo.WaitForMainWindow(), nullptr);
    EXPECT_EQ(ravo.Close(), 0u);
}

TEST_F(Startup, NextStartAfterTheEndBecomesTheRunningCopyAgain)
{
    for (int round = 0; round < 2; ++round) {
        CRavoProcess ravo;
        ASSERT_TRUE(ravo.Start());
        ASSERT_NE(ravo.WaitForMainWindow(), nullptr) << "round " << round;
        EXPECT_EQ(ravo.Close(), 0u);
        EXPECT_TRUE(WaitForNoRavoWindow());
    }
}

TEST_F(Startup, ExitCommandAndCloseRequestEndTheProgramButCloseMessageDoesNot)
{
    {
        CRavoProcess ravo;
        ASSERT_TRUE(ravo.Start());
        const HWND hWnd = ravo.WaitForMainWindow();
        ASSERT_NE(hWnd, nullptr);
        ::SendMessageA(hWnd, WM_CLOSE, 0, 0);
        EXPECT_EQ(ravo.WaitForExit(500), static_cast<DWORD>(STILL_ACTIVE));
        ::PostMessageA(hWnd, WM_COMMAND, 0xE141 /* ID_APP_EXIT */, 0);
        EXPECT_EQ(ravo.WaitForExit(), 0u);
    }
    {
        CRavoProcess ravo;
        ASSERT_TRUE(ravo.Start());
        const HWND hWnd = ravo.WaitForMainWindow();
        ASSERT_NE(hWnd, nullptr);
        ::PostMessageA(hWnd, WM_CLOSE_REQUEST, 0, 0);
        EXPECT_EQ(ravo.WaitForExit(), 0u);
    }
}
