// What makes the running copy re-read the firmware: named events, private
// messages, power and session notifications and the radio event key; and
// the debugger lines it writes when it does.
#include "DebugMonitor.h"
#include "FirmwareProbe.h"
#include "support/KeyInput.h"
#include "RavoProcess.h"
#include "shared/ExternalNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kSettle = 400;  // time for a posted message to be handled

class FrameEvents : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CFirmwareProbe::UseInstance("app-tests"); }

    void SetUp() override
    {
        ASSERT_TRUE(WaitForNoRavoWindow());
        m_firmware.Reset();
        ASSERT_TRUE(m_ravo.Start());
        m_hWnd = m_ravo.WaitForMainWindow();
        ASSERT_NE(m_hWnd, nullptr);
        ::Sleep(200);
        m_firmware.Mark();
    }
    void TearDown() override { EXPECT_EQ(m_ravo.Close(), 0u); }

    // Reads the firmware saw within the settle time.
    template <typename Action>
    int ReadsAfter(Action action, HWND hWnd)
    {
        m_firmware.Mark();
        action(hWnd);
        ::Sleep(kSettle);
        return m_firmware.ReadsSinceMark();
    }
    int ReadsAfterSession(WPARAM code)
    {
        m_firmware.Mark();
        ::SendMessageA(m_hWnd, WM_WTSSESSION_CHANGE, code, 1);
        return m_firmware.ReadsSinceMark();
    }
    // Whether the radio event key makes the program re-read: the hook's effect.
    bool RadioKeyRefreshes()
    {
        m_firmware.Mark();
        PressScanCode(0x71, false);
        return m_firmware.WaitForReads(1, 1500) != FALSE;
    }

    CFirmwareProbe m_firmware;
    CRavoProcess m_ravo;
    HWND m_hWnd = nullptr;
};

HANDLE OpenEvent(const char* name)
{
    return ::CreateEventA(nullptr, FALSE, FALSE, name);
}

}  // namespace

TEST_F(FrameEvents, NotifyEventAndRefreshMessageEachReadTheFirmwareOnce)
{
    HANDLE notify = OpenEvent(RAVO_NOTIFY_EVENT);
    EXPECT_EQ(ReadsAfter([notify](HWND) { ::SetEvent(notify); }, m_hWnd), 1);
    EXPECT_EQ(ReadsAfter([](HWND h) { ::PostMessageA(h, WM_STATUS_CHANGED, 0, 0); }, m_hWnd), 1);
    EXPECT_EQ(ReadsAfter([](HWND h) { ::SendMessageA(h, WM_STATUS_CHANGED, 0, 0); }, m_hWnd), 1);
    ::CloseHandle(notify);
}

TEST_F(FrameEvents, NotifyThenCloseRefreshesBeforeItEnds)
{
    HANDLE notify = OpenEvent(RAVO_NOTIFY_EVENT);
    HANDLE close = OpenEvent(RAVO_CLOSE_EVENT);
    ::SetEvent(notify);
    ::SetEvent(close);
    EXPECT_EQ(m_ravo.WaitForExit(), 0u);
    EXPECT_EQ(m_firmware.ReadsSinceMark(), 1);
    ::CloseHandle(notify);
    ::CloseHandle(close);
}

TEST_F(FrameEvents, ResumeEventsRefreshAndEveryPowerEventIsGranted)
{
    for (WPARAM code : { 0x7, 0x12 }) {
        m_firmware.Mark();
        EXPECT_EQ(::SendMessageA(m_hWnd, WM_POWERBROADCAST, code, 0), TRUE);
        EXPECT_EQ(m_firmware.ReadsSinceMark(), 1) << "event " << code;
    }
    for (WPARAM code : { 0x0, 0x4, 0x5, 0x6, 0x8, 0xA, 0x18, 0x8013, 0xFFFF }) {
        m_firmware.Mark();
        EXPECT_EQ(::SendMessageA(m_hWnd, WM_POWERBROADCAST, code, 0), TRUE);
        EXPECT_EQ(m_firmware.ReadsSinceMark(), 0) << "event " << code;
    }
}

TEST_F(FrameEvents, SessionEventsRefreshOnConnectAndUnlockOnly)
{
    EXPECT_EQ(ReadsAfterSession(1), 1);  // console connect
    for (WPARAM code : { 2, 3, 4, 5, 6, 7, 9, 0x100 })
        EXPECT_EQ(ReadsAfterSession(code), 0) << "event " << code;
    ReadsAfterSession(1);
    EXPECT_EQ(ReadsAfterSession(8), 1);  // unlock
}

TEST_F(FrameEvents, LockRemovesTheHookAndUnlockOrConnectRestoresIt)
{
    EXPECT_TRUE(RadioKeyRefreshes());
    ReadsAfterSession(7);  // lock
    EXPECT_FALSE(RadioKeyRefreshes());
    ReadsAfterSession(8);  // unlock
    EXPECT_TRUE(RadioKeyRefreshes());

    // While the console is disconnected, unlock refreshes but leaves the hook off.
    ReadsAfterSession(2);
    ReadsAfterSession(7);
    EXPECT_EQ(ReadsAfterSession(8), 1);
    EXPECT_FALSE(RadioKeyRefreshes());
    ReadsAfterSession(1);  // connect: hook back, flag cleared
    EXPECT_TRUE(RadioKeyRefreshes());
    ReadsAfterSession(7);
    ReadsAfterSession(8);
    EXPECT_TRUE(RadioKeyRefreshes());

    // Repeated installs never leave two hooks: one key, one refresh.
    ReadsAfterSession(1);
    ReadsAfterSession(1);
    ReadsAfterSession(8);
    m_firmware.Mark();
    PressScanCode(0x71, false);
    ::Sleep(kSettle);
    EXPECT_EQ(m_firmware.ReadsSinceMark(), 1);
}

TEST_F(FrameEvents, RadioEventKeyRefreshesOnKeyDownOnlyWithOrWithoutExtendedFlag)
{
    m_firmware.Mark();
    PressScanCode(0x71, true);
    ::Sleep(kSettle);
    EXPECT_EQ(m_firmware.ReadsSinceMark(), 1);
    // Key-ups and other keys do nothing, also when posted as hook messages.
    for (LPARAM scan : { 0x71, 0x04, 0x62 })
        ::PostMessageA(m_hWnd, WM_HOOKKEY, 0x81, scan);
    ::PostMessageA(m_hWnd, WM_HOOKKEY, 0x00, 0x04);  // the hotkey needs the extended flag
    ::PostMessageA(m_hWnd, WM_HOOKKEY, 0x00, 0x1C);
    ::PostMessageA(m_hWnd, WM_HOOKKEY, 0x01, 0x62);  // the notify hotkey: no read
    m_firmware.Mark();
    ::Sleep(kSettle);
    EXPECT_EQ(m_firmware.ReadsSinceMark(), 0);
}

TEST_F(FrameEvents, HotkeysAreDroppedWhileAnotherProcessHoldsTheSemaphore)
{
    HANDLE semaphore = ::CreateSemaphoreA(nullptr, 1, 1, RAVO_KEY_SEMAPHORE);
    ASSERT_NE(semaphore, nullptr);
    ASSERT_EQ(::WaitForSingleObject(semaphore, 0), WAIT_OBJECT_0);
    EXPECT_EQ(ReadsAfter([](HWND h) { ::PostMessageA(h, WM_HOOKKEY, 0, 0x71); }, m_hWnd), 0);
    ::ReleaseSemaphore(semaphore, 1, nullptr);
    EXPECT_EQ(ReadsAfter([](HWND h) { ::PostMessageA(h, WM_HOOKKEY, 0, 0x71); }, m_hWnd), 1);
    ::CloseHandle(semaphore);
}

TEST(FrameDebugLines, EveryStatusReadIsAnnouncedAndAMissingRadioReported)
{
    CFirmwareProbe::UseInstance("app-tests");
    ASSERT_TRUE(WaitForNoRavoWindow());
    CDebugMonitor monitor;
    ASSERT_TRUE(monitor.IsRunning());
    CFirmwareProbe firmware;
    firmware.Reset();
    firmware.SetStatus(0x10);  // switch on, no radio present

    CRavoProcess ravo;
    ASSERT_TRUE(ravo.Start());
    const HWND hWnd = ravo.WaitForMainWindow();
    ASSERT_NE(hWnd, nullptr);
    EXPECT_TRUE(monitor.WaitFor(ravo.Pid(), "[RAVO] No Device!", 3000));
    std::vector<std::string> lines = monitor.LinesOf(ravo.Pid());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "[RAVO] CMainFrame::GetCurrentStatus()");
    EXPECT_EQ(lines[1], "[RAVO] No Device!");

    // The OSD command with no radio shows nothing and says why.
    monitor.Clear();
    ::SendMessageA(hWnd, WM_COMMAND, 32771 /* ID_OPTION */, 0);
    EXPECT_TRUE(monitor.WaitFor(ravo.Pid(), "No Wireless or Bluetooth Device Exist!!", 3000));
    lines = monitor.LinesOf(ravo.Pid());
    EXPECT_EQ(lines, (std::vector<std::string>{ "[RAVO] CMainFrame::GetCurrentStatus()",
                                                 "[RAVO] No Device!",
                                                 "No Wireless or Bluetooth Device Exist!!" }));

    // With a radio present only the status line is written.
    firmware.SetStatus(0x1F);
    monitor.Clear();
    ::SendMessageA(hWnd, WM_STATUS_CHANGED, 0, 0);
    EXPECT_TRUE(monitor.WaitFor(ravo.Pid(), "[RAVO] CMainFrame::GetCurrentStatus()", 3000));
    ::Sleep(200);
    EXPECT_EQ(monitor.LinesOf(ravo.Pid()),
              std::vector<std::string>{ "[RAVO] CMainFrame::GetCurrentStatus()" });
    EXPECT_EQ(ravo.Close(), 0u);
    firmware.Reset();
}
