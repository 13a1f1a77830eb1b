// The radio selection panel, driven through its message map: keys arrive
// through the keyboard hook it installs, clicks as control notifications.
#include "OsdHarness.h"

#include "shared/ExternalNames.h"
#include "osd/IconButton.h"
#include "osd/OsdShared.h"
#include "osd/RadioSelectDlg.h"
#include "res/resource.h"

#include <map>

using namespace harness;

namespace {

const BYTE SW = 0x10, BTP = 0x08, WLP = 0x04, BTE = 0x02, WLE = 0x01;

const std::map<UINT, std::string> s_texts = {
    { 130, "Bluetooth is enabled." },
    { 131, "Bluetooth and Wireless LAN are enabled." },
    { 132, "Bluetooth is disabled." },
    { 133, "Bluetooth and Wireless LAN are disabled." },
    { 134, "Wireless LAN is disabled." },
    { 135, "Wireless LAN is enabled." },
};

INT_PTR RunPanel(BYTE status, ModalScript& script)
{
    FakeObra::Reset(status);
    CRadioSelectDlg dialog;
    return script.Run(dialog);
}

// Opens the panel, presses Right nRights times and Enter; the bytes written.
std::vector<BYTE> ApplyAfterRights(BYTE status, int nRights)
{
    ModalScript script;
    for (int i = 0; i < nRights; ++i)
        script.Then([](HWND) { Key(SC_RIGHT); });
    script.Then([](HWND) { Key(SC_ENTER); });
    EXPECT_EQ(IDOK, RunPanel(status, script));
    return FakeObra::Writes();
}

using RadioSelectDlgTest = OsdTest;

}  // namespace

// Presence bits choose the layout, enable bits the initial highlight; a
// two-choice panel leaves buttons 3 and 4 visible, disabled and blank.
TEST_F(RadioSelectDlgTest, BuildsChoicesFromTheStatus)
{
    const std::vector<UINT> four = { 130, 135, 131, 133 };
    struct Layout { BYTE status; std::vector<UINT> choices; int sel; } layouts[] = {
        { SW | BTP | WLP | BTE, four, 0 },
        { SW | BTP | WLP | WLE, four, 1 },
        { SW | BTP | WLP | BTE | WLE, four, 2 },
        { SW | BTP | WLP, four, 3 },
        { SW | BTP | BTE, { 130, 132 }, 0 },
        { SW | BTP | WLE, { 130, 132 }, 1 },  // an absent radio's bit is not looked at
        { SW | WLP | WLE, { 135, 134 }, 0 },
        { SW | WLP | BTE, { 135, 134 }, 1 },
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(testing::Message() << "status 0x" << std::hex << int(layout.status));
        ModalScript script;
        script.Then([&](HWND hDlg) {
            for (int i = 0; i < 4; ++i) {
                SCOPED_TRACE(i);
                const HWND hButton = ::GetDlgItem(hDlg, IDC_BTN1 + i);
                const bool hasChoice = i < static_cast<int>(layout.choices.size());
                EXPECT_EQ(hasChoice, ::IsWindowEnabled(hButton) != FALSE);
                EXPECT_TRUE(::IsWindowVisible(hButton));
                if (hasChoice)
                    EXPECT_TRUE(IconIs(Button(hDlg, IDC_BTN1 + i)->GetIcon(), layout.choices[i]));
                else
                    EXPECT_EQ(nullptr, Button(hDlg, IDC_BTN1 + i)->GetIcon());
                RECT rc;
                ::GetWindowRect(hButton, &rc);
                EXPECT_EQ(72, rc.right - rc.left);
                EXPECT_EQ(72, rc.bottom - rc.top);
            }
            EXPECT_EQ(layout.sel, Highlighted(hDlg));
            EXPECT_EQ(s_texts.at(layout.choices[layout.sel]), ItemText(hDlg, IDC_CHOICE_TEXT));
            Key(SC_ENTER);
        });
        EXPECT_EQ(IDOK, RunPanel(layout.status, script));
        EXPECT_EQ(1u, script.StepsRun());
        EXPECT_TRUE(FakeObra::Writes().empty());
        EXPECT_FALSE(HookInstalled());
    }
}

// Left and Right (and the extended OSD hotkey) step with wrap-around; the
// caption follows the highlight.
TEST_F(RadioSelectDlgTest, StepsWithWrapAround)
{
    struct Move { DWORD scan, flags; };
    struct Case {
        BYTE status;
        std::vector<UINT> ids;
        std::vector<Move> moves;
        std::vector<int> seen;
    } cases[] = {
        { SW | BTP | WLP, { 130, 135, 131, 133 },
          { { SC_RIGHT, 0 }, { SC_RIGHT, LLKHF_EXTENDED }, { SC_LEFT, 0 }, { SC_LEFT, 0 },
            { SC_LEFT, 0 }, { SC_OSD_HOTKEY, LLKHF_EXTENDED }, { SC_OSD_HOTKEY, 0 } },
          { 0, 1, 0, 3, 2, 3, 3 } },
        { SW | BTP, { 130, 132 }, { { SC_RIGHT, 0 }, { SC_RIGHT, 0 }, { SC_LEFT, 0 }, { SC_LEFT, 0 } },
          { 0, 1, 0, 1 } },
    };
    for (const Case& c : cases) {
        std::vector<int> seen;
        std::vector<std::string> captions;
        ModalScript script;
        for (const Move& move : c.moves) {
            script.Then([move](HWND) { Key(move.scan, move.flags); });
            script.Then([&](HWND hDlg) {
                seen.push_back(Highlighted(hDlg));
                captions.push_back(ItemText(hDlg, IDC_CHOICE_TEXT));
            });
        }
        script.Then([](HWND hDlg) { Cancel(hDlg); });
        EXPECT_EQ(IDCANCEL, RunPanel(c.status, script));
        EXPECT_EQ(c.seen, seen);
        for (size_t i = 0; i < seen.size() && seen[i] >= 0; ++i)
            EXPECT_EQ(s_texts.at(c.ids[seen[i]]), captions[i]);
    }
}

// Every hook message claims the foreground; key-ups and unknown keys move
// nothing and leave the countdown alone; moves and clicks restart it.
TEST_F(RadioSelectDlgTest, OnlyMovesAndClicksRestartTheCountdown)
{
    ModalScript script;
    int claims = 0, starts = 0;
    script.Then([&](HWND hDlg) {
        EXPECT_EQ(1, ForegroundClaims());
        EXPECT_EQ(0, InputAttachments()) << "detached right after the foreground steps";
        EXPECT_TRUE(HookInstalled());
        EXPECT_EQ(OSD_TIMEOUT_MS, LastTimerPeriod(hDlg, 1));
        starts = TimerStarts(hDlg, 1);
        claims = ForegroundClaims();
        KeyUp(SC_LEFT);
        KeyUp(SC_ENTER);
        KeyUp(SC_RADIO_EVENT);
        Key(0x1E);
        Key(SC_OSD_HOTKEY);
        Key(SC_NOTIFY_HOTKEY, LLKHF_EXTENDED);
        ::SendMessageA(hDlg, WM_TIMER, 3, 0);
    });
    script.Then([&](HWND hDlg) {
        EXPECT_EQ(claims + 6, ForegroundClaims());
        EXPECT_EQ(starts, TimerStarts(hDlg, 1));
        EXPECT_EQ(3, Highlighted(hDlg));
        EXPECT_TRUE(::IsWindowVisible(hDlg));
        Key(SC_LEFT);
    });
    script.Then([&](HWND hDlg) {
        EXPECT_EQ(starts + 1, TimerStarts(hDlg, 1));
        EXPECT_EQ(2, Highlighted(hDlg));
        Notify(hDlg, IDC_BTN1);
        EXPECT_EQ(0, Highlighted(hDlg));
        EXPECT_EQ(s_texts.at(130), ItemText(hDlg, IDC_CHOICE_TEXT));
        EXPECT_EQ(starts + 2, TimerStarts(hDlg, 1));
        Notify(hDlg, IDC_BTN1);  // the highlighted one again
        EXPECT_EQ(0, Highlighted(hDlg));
        EXPECT_EQ(starts + 3, TimerStarts(hDlg, 1));
        Cancel(hDlg);
    });
    EXPECT_EQ(IDCANCEL, RunPanel(SW | BTP | WLP, script));
    EXPECT_EQ(3u, script.StepsRun());
    EXPECT_TRUE(FakeObra::Writes().empty());
}

// Enter writes the Bluetooth bit, then the Wireless LAN bit, from fresh
// reads (bits 2 to 7 pass through), then asks the main frame to refresh,
// then removes the hook and closes; also as IDOK from the dialog manager.
TEST_F(RadioSelectDlgTest, EnterAppliesTheHighlightedChoice)
{
    // Without a main frame there is no one to tell; the choice is written.
    EXPECT_EQ((std::vector<BYTE>{ 0x1E, 0x1F }), ApplyAfterRights(SW | BTP | WLP | BTE, 2));
    EXPECT_FALSE(HookInstalled());

    FrameStandIn frame;
    EXPECT_EQ((std::vector<BYTE>{ 0xFE, 0xFF }), ApplyAfterRights(0xE0 | SW | BTP | WLP | BTE, 2));
    EXPECT_EQ(1, frame.refreshes);
    EXPECT_EQ(2u, frame.writesAtRefresh);
    EXPECT_TRUE(frame.hookAtRefresh);
    EXPECT_FALSE(HookInstalled());

    // 133 -> 135; and a two-choice "off" also clears the absent radio's bit.
    EXPECT_EQ((std::vector<BYTE>{ 0x1C, 0x1D }), ApplyAfterRights(SW | BTP | WLP, 2));
    EXPECT_EQ((std::vector<BYTE>{ 0x19, 0x18 }), ApplyAfterRights(SW | BTP | BTE | WLE, 1));
    EXPECT_EQ((std::vector<BYTE>{ 0x15, 0x14 }), ApplyAfterRights(SW | WLP | WLE | BTE, 1));
    EXPECT_EQ(4, frame.refreshes);

    // IDOK twice (Enter through the dialog manager, the hook gone): applied once.
    ModalScript idOk;
    idOk.Then([](HWND) { Key(SC_RIGHT); }).Then([](HWND hDlg) { Notify(hDlg, IDOK); Notify(hDlg, IDOK); });
    EXPECT_EQ(IDOK, RunPanel(SW | BTP | WLP | BTE, idOk));
    EXPECT_EQ((std::vector<BYTE>{ 0x1C, 0x1D }), FakeObra::Writes());
    EXPECT_EQ(5, frame.refreshes);
}

// The initial choice (also after moving away and back) and a panel that
// read the switch as off write nothing and send nothing.
TEST_F(RadioSelectDlgTest, InitialChoiceOrSwitchOffWritesNothing)
{
    FrameStandIn frame;
    EXPECT_TRUE(ApplyAfterRights(SW | BTP | WLP | BTE, 0).empty());
    EXPECT_TRUE(ApplyAfterRights(SW | BTP | WLP | BTE, 4).empty());
    EXPECT_TRUE(ApplyAfterRights(BTP | WLP | BTE, 1).empty());
    EXPECT_EQ(0, frame.refreshes);
}

// The radio event closes without applying, after the refresh request;
// IDCANCEL closes without either.
TEST_F(RadioSelectDlgTest, RadioEventAndCancelCloseWithoutWriting)
{
    FrameStandIn frame;
    ModalScript script;
    script.Then([](HWND) { Key(SC_RIGHT); }).Then([](HWND) { Key(SC_RADIO_EVENT); });
    EXPECT_EQ(IDOK, RunPanel(SW | BTP | WLP | BTE, script));
    EXPECT_TRUE(FakeObra::Writes().empty());
    EXPECT_EQ(1, frame.refreshes);
    EXPECT_TRUE(frame.hookAtRefresh);
    EXPECT_FALSE(HookInstalled());

    ModalScript cancel;
    cancel.Then([](HWND) { Key(SC_RIGHT); }).Then([](HWND hDlg) {
        Cancel(hDlg);
    });
    EXPECT_EQ(IDCANCEL, RunPanel(SW | BTP | WLP | BTE, cancel));
    EXPECT_TRUE(FakeObra::Writes().empty());
    EXPECT_EQ(1, frame.refreshes);
}

// Left alone after a click, the panel applies the highlighted choice by
// its timer; a double-click applies at once.
TEST_F(RadioSelectDlgTest, TimerAndDoubleClickApply)
{
    FrameStandIn frame;
    ShortenOsdTimers();
    ModalScript idle;
    idle.Then([](HWND hDlg) { Notify(hDlg, IDC_BTN2); });
    EXPECT_EQ(IDOK, RunPanel(SW | BTP | WLP | BTE, idle));
    EXPECT_EQ((std::vector<BYTE>{ 0x1C, 0x1D }), FakeObra::Writes());
    EXPECT_EQ(1, frame.refreshes);
    EXPECT_FALSE(HookInstalled());

    ModalScript twice;
    twice.Then([](HWND hDlg) {
        Notify(hDlg, IDC_BTN3);
        Notify(hDlg, IDC_BTN3, BN_DOUBLECLICKED);
    });
    EXPECT_EQ(IDOK, RunPanel(SW | BTP | WLP | BTE, twice));
    EXPECT_EQ((std::vector<BYTE>{ 0x1E, 0x1F }), FakeObra::Writes());
}

// The choice table outlives a panel. A two-choice panel ignores clicks on
// its blank buttons, and a panel that finds no radio at all closes before
// it shows, leaving no hook, so no stale choice can ever be written.
TEST_F(RadioSelectDlgTest, NeverUsesChoicesItDoesNotHave)
{
    FrameStandIn frame;
    ASSERT_EQ(2u, ApplyAfterRights(SW | BTP | WLP | BTE, 2).size());  // table now 130, 135, 131, 133

    ModalScript clicks;
    clicks.Then([](HWND hDlg) {
        Notify(hDlg, IDC_BTN3);
        Notify(hDlg, IDC_BTN4);
        EXPECT_EQ(0, Highlighted(hDlg));
        EXPECT_EQ(s_texts.at(130), ItemText(hDlg, IDC_CHOICE_TEXT));
        Notify(hDlg, IDC_BTN4, BN_DOUBLECLICKED);
    });
    EXPECT_EQ(IDOK, RunPanel(SW | BTP | BTE, clicks));
    EXPECT_TRUE(FakeObra::Writes().empty());

    for (BYTE status : { BYTE(SW), BYTE(0xE0 | SW | BTE | WLE) }) {
        ModalScript none;
        none.Then([](HWND) { Key(SC_LEFT); }).Then([](HWND) { Key(SC_ENTER); });
        EXPECT_EQ(IDCANCEL, RunPanel(status, none));
        EXPECT_EQ(0u, none.StepsRun());
        EXPECT_TRUE(FakeObra::Writes().empty());
        EXPECT_FALSE(HookInstalled());
    }
    EXPECT_EQ(1, frame.refreshes);
}

// A shut-down sent while the panel claims the foreground destroys the panel
// with its owner, at opening or at a key: the panel then applies nothing,
// starts no timer for the thread and leaves no hook.
TEST_F(RadioSelectDlgTest, PanelDestroyedInsideAForegroundClaimDoesNothingMore)
{
    {
        FakeObra::Reset(SW | BTP | WLP);
        CRadioSelectDlg dialog;
        DuringNextForegroundClaim([&dialog] { ::DestroyWindow(dialog.m_hWnd); });
        ModalScript script;
        script.Run(dialog);
        EXPECT_FALSE(HookInstalled());
    }
    ModalScript script;
    script.Then([](HWND) { Key(SC_RIGHT); });  // a choice waits for Enter
    script.Then([](HWND hDlg) {
        DuringNextForegroundClaim([hDlg] { ::DestroyWindow(hDlg); });
        Key(SC_ENTER);
    });
    RunPanel(SW | BTP | WLP, script);
    EXPECT_EQ(2u, script.StepsRun());
    EXPECT_TRUE(FakeObra::Writes().empty());
    EXPECT_FALSE(HookInstalled());
    EXPECT_EQ(0, TimerStarts(nullptr, 1));
}
