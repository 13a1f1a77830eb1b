// The About box from outside: the tray menu's command opens one box at a
// time, showing the version the registry holds when the box opens.
#include "FirmwareProbe.h"
#include "RavoProcess.h"

#include <gtest/gtest.h>

namespace {

constexpr WPARAM ID_APP_ABOUT = 0xE140;
constexpr int IDC_VERSION = 1007;

void SetVersion(const char* version)
{
    HKEY key;
    ASSERT_EQ(::RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\RAVO", &key), ERROR_SUCCESS);
    ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                     static_cast<DWORD>(strlen(version) + 1));
    ::RegCloseKey(key);
}

}  // namespace

TEST(AboutBox, OneBoxAtATimeWithTheVersionReadAfreshEachTime)
{
    CFirmwareProbe::UseInstance("app-tests");
    ASSERT_TRUE(WaitForNoRavoWindow());
    SetVersion("2.5.1");
    CRavoProcess ravo;
    ASSERT_TRUE(ravo.Start());
    const HWND hWnd = ravo.WaitForMainWindow();
    ASSERT_NE(hWnd, nullptr);

    ::PostMessageA(hWnd, WM_COMMAND, ID_APP_ABOUT, 0);
    ASSERT_TRUE(WaitUntil([&] { return VisibleDialogsOf(ravo.Pid()).size() == 1; }));
    HWND box = VisibleDialogsOf(ravo.Pid()).front();
    EXPECT_EQ(ControlText(box, IDC_VERSION), "Ravo Ver 2.5.1");
    char caption[32] = {};
    ::SendMessageA(box, WM_GETTEXT, sizeof(caption), reinterpret_cast<LPARAM>(caption));
    EXPECT_STREQ(caption, "About Ravo");

    // A second command while the box is open opens nothing.
    ::PostMessageA(hWnd, WM_COMMAND, ID_APP_ABOUT, 0);
    ::Sleep(500);
    EXPECT_EQ(VisibleDialogsOf(ravo.Pid()).size(), 1u);

    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return VisibleDialogsOf(ravo.Pid()).empty(); }));

    // Closed: the next command opens it again, with the value as it is now.
    SetVersion("2.6.0");
    ::PostMessageA(hWnd, WM_COMMAND, ID_APP_ABOUT, 0);
    ASSERT_TRUE(WaitUntil([&] { return VisibleDialogsOf(ravo.Pid()).size() == 1; }));
    box = VisibleDialogsOf(ravo.Pid()).front();
    EXPECT_EQ(ControlText(box, IDC_VERSION), "Ravo Ver 2.6.0");

    // The program still ends cleanly with the box open.
    EXPECT_EQ(ravo.Close(), 0u);
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\RAVO");
}
