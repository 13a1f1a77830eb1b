// The About box's version line for the shapes the registry value can take.
//
// HKEY_LOCAL_MACHINE is mapped, for this process only, onto a private key:
// the box still opens "SOFTWARE\RAVO" under HKLM, while other programs
// sharing the Wine prefix neither see nor disturb the values written here.
#include "OsdHarness.h"

#include "osd/AboutDlg.h"
#include "res/resource.h"

#include <string>

using namespace harness;

namespace {


// The version line while the box is open; the box is closed with OK.
std::string VersionLine()
{
    std::string line = "(never shown)";
    ModalScript script;
    script.Then([&](HWND hDlg) {
        line = ItemText(hDlg, IDC_VERSION);
        ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
    });
    CAboutDlg dialog;
    EXPECT_EQ(IDOK, script.Run(dialog));
    return line;
}

}  // namespace

// A value that fits in 20 bytes shows up to its first zero byte, whatever
// its type, and never beyond the 20 bytes; anything else leaves the label.
TEST(AboutDlg, ShowsTheVersionAfterTheLabel)
{
    const std::string root = "Software\\RavoOsdTests\\" + std::to_string(::GetCurrentProcessId());
    HKEY hRoot = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyA(HKEY_CURRENT_USER, root.c_str(), &hRoot));
    ASSERT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, hRoot));

    EXPECT_EQ("Ravo Ver ", VersionLine());  // no key
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\RAVO", &hKey));
    EXPECT_EQ("Ravo Ver ", VersionLine());  // no value

    const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const DWORD number = 0x00003231;
    struct Case { DWORD type; const void* data; DWORD size; const char* line; } cases[] = {
        { REG_SZ, "2.1.7", 6, "Ravo Ver 2.1.7" },
        { REG_SZ, "1234567890123456789", 20, "Ravo Ver 1234567890123456789" },
        { REG_SZ, "12345678901234567890", 21, "Ravo Ver " },
        { REG_DWORD, &number, 4, "Ravo Ver 12" },
        { REG_BINARY, letters, 20, "Ravo Ver ABCDEFGHIJKLMNOPQRST" },
        { REG_BINARY, letters, 21, "Ravo Ver " },
    };
    for (const Case& c : cases) {
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hKey, "Version", 0, c.type,
                                                  static_cast<const BYTE*>(c.data), c.size));
        EXPECT_EQ(c.line, VersionLine());
    }

    ::RegCloseKey(hKey);
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    ::RegCloseKey(hRoot);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (root + "\\SOFTWARE\\RAVO").c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (root + "\\SOFTWARE").c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, root.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\RavoOsdTests");  // when no other run holds it
}
