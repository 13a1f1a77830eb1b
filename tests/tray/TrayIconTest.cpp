// CTrayIcon's add/modify/delete state machine and the records it hands to
// the shell, against a recording stand-in for Shell_NotifyIconA.
#include "tray/TrayIcon.h"

#include "ImportPatch.h"
#include "RecordingWnd.h"
#include "TrayTestRes.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct ShellCall {
    DWORD dwMessage;
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    std::string tip;
};

std::vector<ShellCall> s_calls;
DWORD s_dwFailing;  // bit (1 << NIM_...) set: that operation fails

// On request, a shell that holds one icon and answers as a real one does;
// and an action it runs with the next call, before applying and answering
// it, as when a message sent meanwhile is handled inside the call.
struct ShellModel {
    bool on = false;
    bool shown = false;
    HICON hIcon = nullptr;
    std::string tip;
    int lateAnswers = 0;  // calls carried out, but answered FALSE
};
ShellModel s_shell;
std::function<void()> s_beforeAnswer;

BOOL WINAPI RecordNotifyIcon(DWORD dwMessage, PNOTIFYICONDATAA pnid)
{
    s_calls.push_back({ dwMessage, pnid->cbSize, pnid->hWnd, pnid->uID, pnid->uFlags,
                        pnid->uCallbackMessage, pnid->hIcon, pnid->szTip });
    const ShellCall call = s_calls.back();
    if (std::function<void()> action = std::move(s_beforeAnswer)) {
        s_beforeAnswer = nullptr;
        action();
    }
    BOOL answer = (s_dwFailing & (1u << dwMessage)) == 0;
    if (s_shell.on) {
        answer = answer && (dwMessage == NIM_ADD) != s_shell.shown;
        if (answer && dwMessage != NIM_DELETE) {
            s_shell.hIcon = call.hIcon;
            s_shell.tip = call.tip;
        }
        if (answer)
            s_shell.shown = dwMessage != NIM_DELETE;
        if (answer && s_shell.lateAnswers > 0) {
            --s_shell.lateAnswers;
            answer = FALSE;
        }
    }
    return answer;
}

HICON AppIcon(UINT id)
{
    return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

std::vector<DWORD> Operations()
{
    std::vector<DWORD> ops;
    for (const ShellCall& call : s_calls)
        ops.push_back(call.dwMessage);
    return ops;
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s_calls.clear();
        s_dwFailing = 0;
        ASSERT_TRUE(m_patch.IsApplied());
        ASSERT_TRUE(m_wnd.CreateHidden());
    }

    void TearDown() override
    {
        s_shell = ShellModel();
        s_beforeAnswer = nullptr;
        m_wnd.DestroyWindow();
    }

    CImportPatch m_patch{ "shell32.dll", "Shell_NotifyIconA",
                          reinterpret_cast<void*>(&RecordNotifyIcon) };
    CRecordingWnd m_wnd;
};

const std::string kBothOn = "Bluetooth and Wireless LAN are enabled.";
const std::string kBothOff = "Bluetooth and Wireless LAN are disabled.";
// The record without the GUID, as the architecture lays it out.
#ifdef _WIN64
const DWORD kRecordSize = 504;
#else
const DWORD kRecordSize = 488;
#endif

TEST_F(TrayIconTest, AddsModifiesDeletesAndAddsAgain)
{
    {
        CTrayIcon tray(IDR_MAINFRAME);
        tray.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);
        EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
        EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_OFF));
        EXPECT_TRUE(tray.SetIcon(0u));
        EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
    }  // the destructor removes the icon still shown

    const UINT all = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    ASSERT_EQ(Operations(), (std::vector<DWORD>{ NIM_ADD, NIM_MODIFY, NIM_DELETE, NIM_ADD, NIM_DELETE }));
    const UINT flags[] = { all, all, NIF_TIP | NIF_MESSAGE, all, NIF_TIP | NIF_MESSAGE };
    const HICON icons[] = { AppIcon(IDR_TRAY_BOTH_ON), AppIcon(IDR_TRAY_BOTH_OFF),
                            AppIcon(IDR_TRAY_BOTH_OFF), AppIcon(IDR_TRAY_BOTH_ON),
                            AppIcon(IDR_TRAY_BOTH_ON) };
    const std::string tips[] = { kBothOn, kBothOff, kBothOff, kBothOn, kBothOn };
    for (size_t i = 0; i < s_calls.size(); ++i) {
        SCOPED_TRACE(i);
        const ShellCall& call = s_calls[i];
        EXPECT_EQ(call.cbSize, kRecordSize);
        EXPECT_EQ(call.hWnd, m_wnd.m_hWnd);
        EXPECT_EQ(call.uID, static_cast<UINT>(IDR_MAINFRAME));
        EXPECT_EQ(call.uCallbackMessage, 0x04C4u);
        EXPECT_EQ(call.uFlags, flags[i]);
        EXPECT_NE(call.hIcon, nullptr);
        EXPECT_EQ(call.hIcon, icons[i]);
        EXPECT_EQ(call.tip, tips[i]);
    }
}

TEST_F(TrayIconTest, RemovingWhatIsNotShownMakesNoShellCall)
{
    {
        CTrayIcon tray(IDR_MAINFRAME);
        tray.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);
        EXPECT_TRUE(tray.SetIcon(0u));
        EXPECT_TRUE(tray.SetIcon(nullptr, "ignored"));
        EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
        EXPECT_TRUE(tray.SetIcon(0u));
        EXPECT_TRUE(tray.SetIcon(0u));
    }
    EXPECT_EQ(Operations(), (std::vector<DWORD>{ NIM_ADD, NIM_DELETE }));
    // The tip of a call that did nothing was not taken over.
    EXPECT_EQ(s_calls.back().tip, kBothOn);
}

// After a failed add or modify the shell may show the icon or not: a
// removal still deletes, and the next picture is modified first, added only
// when the modify fails. A failed delete leaves nothing shown.
TEST_F(TrayIconTest, AfterAFailedCallTheShellsStateIsUnknown)
{
    CTrayIcon tray(IDR_MAINFRAME);
    tray.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);

    s_dwFailing = 1u << NIM_ADD;
    EXPECT_FALSE(tray.SetIcon(IDR_TRAY_BOTH_ON));
    s_dwFailing = 0;
    EXPECT_TRUE(tray.SetIcon(0u));
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));

    s_dwFailing = 1u << NIM_MODIFY;
    EXPECT_FALSE(tray.SetIcon(IDR_TRAY_BOTH_OFF));
    s_dwFailing = 0;
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_OFF));

    s_dwFailing = 1u << NIM_DELETE;
    EXPECT_FALSE(tray.SetIcon(0u));
    EXPECT_TRUE(tray.SetIcon(0u));
    s_dwFailing = 1u << NIM_MODIFY;  // the shell does not know the icon
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
    EXPECT_FALSE(tray.SetIcon(IDR_TRAY_BOTH_OFF));
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));  // modify fails, the add shows it

    EXPECT_EQ(Operations(), (std::vector<DWORD>{ NIM_ADD, NIM_DELETE, NIM_ADD, NIM_MODIFY,
                                                 NIM_MODIFY, NIM_DELETE, NIM_ADD, NIM_MODIFY,
                                                 NIM_MODIFY, NIM_ADD }));
}

// After a shell restart the frame removes and re-adds its icon: a new shell
// refuses the delete (it holds no icon), and the add then shows the icon.
TEST_F(TrayIconTest, AfterAShellRestartDeleteThenAddShowsTheIconAgain)
{
    EXPECT_NE(CTrayIcon::TaskbarCreatedMessage(), 0u);
    EXPECT_EQ(CTrayIcon::TaskbarCreatedMessage(), ::RegisterWindowMessageA("TaskbarCreated"));

    CTrayIcon tray(IDR_MAINFRAME);
    tray.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
    s_dwFailing = 1u << NIM_DELETE;
    tray.SetIcon(0U);
    s_dwFailing = 0;
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_OFF));
    EXPECT_EQ(Operations(), (std::vector<DWORD>{ NIM_ADD, NIM_DELETE, NIM_ADD }));
    EXPECT_EQ(s_calls.back().uFlags, static_cast<UINT>(NIF_ICON | NIF_TIP | NIF_MESSAGE));
}

TEST_F(TrayIconTest, TooltipsAreCutTo127CharactersAndOnlySentWhenNotEmpty)
{
    const std::string longTip(200, 'x');

    CTrayIcon tray(IDR_MAINFRAME);
    EXPECT_TRUE(tray.SetIcon(AppIcon(IDR_TRAY_BOTH_ON), nullptr));  // keeps the constructor's text
    EXPECT_TRUE(tray.SetIcon(AppIcon(IDR_TRAY_BOTH_ON), longTip.c_str()));
    EXPECT_TRUE(tray.SetIcon(AppIcon(IDR_TRAY_BOTH_ON), std::string(127, 'y').c_str()));
    EXPECT_TRUE(tray.SetIcon(AppIcon(IDR_TRAY_BOTH_ON), ""));

    CTrayIcon longNamed(IDS_TRAY_TEST_LONG);  // a long first tooltip is cut as well
    EXPECT_TRUE(longNamed.SetIcon(AppIcon(IDR_TRAY_BOTH_ON), nullptr));
    CTrayIcon unnamed(999);  // no string: empty tooltip
    EXPECT_TRUE(unnamed.SetIcon(AppIcon(IDR_TRAY_BOTH_ON), nullptr));

    ASSERT_EQ(s_calls.size(), 6u);
    EXPECT_EQ(s_calls[0].tip, "Ravo");
    EXPECT_EQ(s_calls[1].tip, longTip.substr(0, 127));
    EXPECT_EQ(s_calls[2].tip, std::string(127, 'y'));
    EXPECT_EQ(s_calls[3].tip, "");
    EXPECT_EQ(s_calls[3].uFlags, static_cast<UINT>(NIF_ICON));
    EXPECT_EQ(s_calls[4].tip,
              "0123456789012345678901234567890123456789012345678901234567890123"
              "456789012345678901234567890123456789012345678901234567890123456");
    EXPECT_EQ(s_calls[5].tip, "");
    EXPECT_EQ(s_calls[5].uFlags, static_cast<UINT>(NIF_ICON));
}

TEST_F(TrayIconTest, CallbackFlagNeedsBothWindowAndMessage)
{
    CTrayIcon tray(IDR_MAINFRAME);
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
    tray.SetNotificationWnd(&m_wnd, 0);
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
    tray.SetNotificationWnd(nullptr, WM_TRAY_NOTIFY);
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
    tray.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));

    ASSERT_EQ(s_calls.size(), 4u);
    EXPECT_EQ(s_calls[0].uFlags, static_cast<UINT>(NIF_ICON | NIF_TIP));
    EXPECT_EQ(s_calls[1].uFlags, static_cast<UINT>(NIF_ICON | NIF_TIP));
    EXPECT_EQ(s_calls[2].uFlags, static_cast<UINT>(NIF_ICON | NIF_TIP));
    EXPECT_EQ(s_calls[2].hWnd, nullptr);
    EXPECT_EQ(s_calls[3].uFlags, static_cast<UINT>(NIF_ICON | NIF_TIP | NIF_MESSAGE));
}

TEST_F(TrayIconTest, AnIdWithAStringButNoIconRemovesTheIcon)
{
    CTrayIcon tray(IDR_MAINFRAME);
    EXPECT_TRUE(tray.SetIcon(IDR_TRAY_BOTH_ON));
    EXPECT_TRUE(tray.SetIcon(IDS_TRAY_TEST_LONG));
    ASSERT_EQ(Operations(), (std::vector<DWORD>{ NIM_ADD, NIM_DELETE }));
    EXPECT_EQ(s_calls[1].tip.size(), 127u);  // the string was still loaded
    EXPECT_EQ(s_calls[1].uFlags, static_cast<UINT>(NIF_TIP));
}

// Calls made inside a shell call: whatever the shell did first, it ends
// showing what the frame asked for last, with one icon or none.
class NestedTrayIconTest : public TrayIconTest {
protected:
    void SetUp() override
    {
        TrayIconTest::SetUp();
        s_shell.on = true;
        m_tray.SetNotificationWnd(&m_wnd, WM_TRAY_NOTIFY);
    }

    void ExpectShown(UINT id, const std::string& tip)
    {
        EXPECT_TRUE(s_shell.shown);
        EXPECT_EQ(s_shell.hIcon, AppIcon(id));
        EXPECT_EQ(s_shell.tip, tip);
    }

    CTrayIcon m_tray{ IDR_MAINFRAME };
};

// A shell that answers too late reports failure yet carries the call out:
// the icon still follows the state, and none is left after removal.
TEST_F(NestedTrayIconTest, LateAnswersStillEndInOneCurrentIconAndNoneAfterRemoval)
{
    s_shell.lateAnswers = 1;
    EXPECT_FALSE(m_tray.SetIcon(IDR_TRAY_BOTH_ON));
    EXPECT_TRUE(m_tray.SetIcon(IDR_TRAY_BOTH_OFF));
    ExpectShown(IDR_TRAY_BOTH_OFF, kBothOff);
    s_shell.lateAnswers = 1;
    EXPECT_FALSE(m_tray.SetIcon(IDR_TRAY_BOTH_ON));
    ExpectShown(IDR_TRAY_BOTH_ON, kBothOn);
    s_shell.lateAnswers = 1;
    EXPECT_FALSE(m_tray.SetIcon(IDR_TRAY_BOTH_OFF));
    EXPECT_TRUE(m_tray.SetIcon(0u));
    EXPECT_FALSE(s_shell.shown);
}

// The outer add reaches the shell after the nested call failed on it.
TEST_F(NestedTrayIconTest, AFailedNestedCallIsNoRemoval)
{
    s_beforeAnswer = [this] { m_tray.SetIcon(IDR_TRAY_BOTH_OFF); };
    EXPECT_TRUE(m_tray.SetIcon(IDR_TRAY_BOTH_ON));
    ExpectShown(IDR_TRAY_BOTH_OFF, kBothOff);
}

TEST_F(NestedTrayIconTest, AnOlderPictureNeverReplacesANewerNestedOne)
{
    ASSERT_TRUE(m_tray.SetIcon(IDR_TRAY_BOTH_ON));
    s_beforeAnswer = [this] { m_tray.SetIcon(IDR_TRAY_BOTH_ON); };
    EXPECT_TRUE(m_tray.SetIcon(IDR_TRAY_BOTH_OFF));
    ExpectShown(IDR_TRAY_BOTH_ON, kBothOn);
}

// A removal nested in the add, and a new picture nested in the call that
// follows up on the removal.
TEST_F(NestedTrayIconTest, CallsNestedInAFollowUpCallAreReconciledToo)
{
    s_beforeAnswer = [this] {
        m_tray.SetIcon(0u);
        s_beforeAnswer = [this] { m_tray.SetIcon(IDR_TRAY_BOTH_OFF); };
    };
    m_tray.SetIcon(IDR_TRAY_BOTH_ON);
    ExpectShown(IDR_TRAY_BOTH_OFF, kBothOff);
    EXPECT_TRUE(m_tray.SetIcon(0u));
    EXPECT_FALSE(s_shell.shown);
}

}  // namespace
