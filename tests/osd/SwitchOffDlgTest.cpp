// The switch-off notice: its icon, and the ways it closes.
#include "OsdHarness.h"

#include "shared/ExternalNames.h"
#include "osd/IconButton.h"
#include "osd/OsdShared.h"
#include "osd/SwitchOffDlg.h"
#include "res/resource.h"

using namespace harness;

namespace {

INT_PTR RunNotice(BYTE status, ModalScript& script)
{
    FakeObra::Reset(status);
    CSwitchOffDlg dialog;
    return script.Run(dialog);
}

using SwitchOffDlgTest = OsdTest;

}  // namespace

// The presence bits alone choose the picture; the notice takes the hook,
// claims no foreground, writes nothing, and Enter's press closes it.
TEST_F(SwitchOffDlgTest, ShowsTheDisabledStateOfThePresentRadios)
{
    struct Case { BYTE status; UINT icon; } cases[] = {
        { 0x0C, IDR_OSD_BOTH_OFF }, { 0x04, IDR_OSD_WLAN_OFF }, { 0x08, IDR_OSD_BT_OFF },
        { 0x00, IDR_OSD_BOTH_OFF }, { 0xEB, IDR_OSD_BT_OFF },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.icon);
        ModalScript script;
        script.Then([&](HWND hDlg) {
            EXPECT_TRUE(IconIs(Button(hDlg, IDC_BTN5)->GetIcon(), c.icon));
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(hDlg, IDC_BTN5)));
            EXPECT_TRUE(HookInstalled());
            Key(SC_ENTER);
        });
        EXPECT_EQ(IDOK, RunNotice(c.status, script));
        EXPECT_EQ(1u, script.StepsRun());
        EXPECT_FALSE(HookInstalled());
        EXPECT_EQ(0, ForegroundClaims());
        EXPECT_TRUE(FakeObra::Writes().empty());
    }
}

// Enter's release, the navigation keys and the hotkeys do nothing and do
// not extend the notice's time; only timer 2 ends it.
TEST_F(SwitchOffDlgTest, IgnoresOtherKeysAndTimers)
{
    ShortenOsdTimers();
    ModalScript script;
    script.Then([](HWND hDlg) {
        EXPECT_EQ(OSD_TIMEOUT_MS, LastTimerPeriod(hDlg, 2));
        KeyUp(SC_ENTER);
        Key(SC_LEFT);
        Key(SC_RIGHT);
        Key(SC_OSD_HOTKEY, LLKHF_EXTENDED);
        Key(SC_NOTIFY_HOTKEY, LLKHF_EXTENDED);
        ::SendMessageA(hDlg, WM_TIMER, 1, 0);
        ::SendMessageA(hDlg, WM_TIMER, 3, 0);
        EXPECT_TRUE(::IsWindowVisible(hDlg));
    });
    script.Then([](HWND hDlg) {
        EXPECT_TRUE(::IsWindowVisible(hDlg));
        EXPECT_EQ(1, TimerStarts(hDlg, 2));
    });
    EXPECT_EQ(IDOK, RunNotice(0x0C, script));  // by its own timer
    EXPECT_EQ(2u, script.StepsRun());
}

// The radio event closes the notice on its press or its release alone,
// after asking the main frame to refresh (if there is one).
TEST_F(SwitchOffDlgTest, RadioEventRefreshesAndCloses)
{
    FrameStandIn frame;
    for (DWORD flags : { DWORD(0), DWORD(LLKHF_UP), DWORD(LLKHF_EXTENDED | LLKHF_UP) }) {
        ModalScript script;
        script.Then([flags](HWND) { Key(SC_RADIO_EVENT, flags); });
        EXPECT_EQ(IDOK, RunNotice(0x0C, script));
        EXPECT_FALSE(HookInstalled());
        EXPECT_TRUE(frame.hookAtRefresh);
    }
    EXPECT_EQ(3, frame.refreshes);
    EXPECT_TRUE(FakeObra::Writes().empty());
}

TEST_F(SwitchOffDlgTest, ClickOnTheIconCloses)
{
    ModalScript script;
    script.Then([](HWND hDlg) { Notify(hDlg, IDC_BTN5); });
    EXPECT_EQ(IDOK, RunNotice(0x04, script));
    EXPECT_FALSE(HookInstalled());

    ModalScript radio;  // no main frame: nothing to refresh, still closes
    radio.Then([](HWND) { Key(SC_RADIO_EVENT); });
    EXPECT_EQ(IDOK, RunNotice(0x04, radio));
}
