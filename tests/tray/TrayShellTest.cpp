// The tray icon under the session's real shell.
#include "tray/TrayIcon.h"

#include "RecordingWnd.h"
#include "res/resource.h"

#include <gtest/gtest.h>

TEST(TrayIconShell, TheShellAcceptsAddModifyAndDelete)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    {
        CTrayIcon tray(IDR_MAINFRAME);
        tray.SetNotificationWnd(&wnd, WM_TRAY_NOTIFY);
        EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
        EXPECT_TRUE(tray.SetIcon(IDR_TRAY_WLAN_ON));
        EXPECT_TRUE(tray.SetIcon(0u));
        EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
    }  // the destructor removes it again
    wnd.DestroyWindow();
}
