// Every one of the 256 firmware status bytes: the tray shows its state, and
// the hotkey opens the right display (selection panel with the right
// choices and pictures, the notice with the right picture, or nothing). The firmware is written only when a
// choice is applied, and then exactly as documented: each panel is opened
// twice, closed once on its opening choice and once applying the next.
#include "DebugMonitor.h"
#include "E2eSupport.h"
#include "RadioModel.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace e2e;

namespace {

std::string Hex(BYTE b)
{
    char text[8];
    std::snprintf(text, sizeof(text), "0x%02X", b);
    return text;
}

const std::vector<UINT> OSD_PICTURES = { 130, 131, 132, 133, 134, 135 };

// Checks the open selection panel against the model and walks its choices
// once round with Right, back to the opening one; "" when all is well.
std::string CheckPanel(HWND hDlg, const model::Panel& panel)
{
    const size_t n = panel.choices.size();
    for (int i = 0; i < 4; ++i) {
        const bool enabled = i < 2 || n == 4;
        if ((ItemEnabled(hDlg, IDC_BTN1 + i) != FALSE) != enabled)
            return "button " + std::to_string(i + 1) + (enabled ? " disabled" : " enabled");
    }
    // The pictures, as painted on the screen; the buttons without a choice
    // stay blank.
    for (size_t i = 0; i < n; ++i) {
        const HWND hButton = ::GetDlgItem(hDlg, IDC_BTN1 + static_cast<int>(i));
        if (!WaitUntil([&] { return PictureOnButton(hButton, OSD_PICTURES) == panel.choices[i]; },
                       3000))
            return "button " + std::to_string(i + 1) + " does not show picture " +
                   std::to_string(panel.choices[i]);
    }
    for (size_t i = n; i < 4; ++i) {
        if (PictureOnButton(::GetDlgItem(hDlg, IDC_BTN1 + static_cast<int>(i)), OSD_PICTURES) != 0)
            return "button " + std::to_string(i + 1) + " is not blank";
    }
    for (size_t step = 0; step <= n; ++step) {
        const UINT expected = panel.choices[(panel.initial + step) % n];
        const std::string caption = ControlText(hDlg, IDC_CHOICE_TEXT);
        if (caption != model::TextOf(expected))
            return "after " + std::to_string(step) + " steps the caption is \"" + caption +
                   "\", not that of " + std::to_string(expected);
        if (step < n && !SendKey(hDlg, KEY_DOWN, SC_RIGHT))
            return "Right not handled";
    }
    return std::string();
}

}  // namespace

TEST(FirmwareBytes, EveryStatusByteShowsTheRightTrayAndDisplay)
{
    CDebugMonitor monitor;
    ASSERT_TRUE(monitor.IsRunning());
    CSession s;
    ASSERT_TRUE(s.Start(0x1F));
    int panels = 0, notices = 0, none = 0;

    for (int value = 0; value < 256; ++value) {
        const BYTE status = static_cast<BYTE>(value);
        SCOPED_TRACE("status " + Hex(status));
        s.Firmware().SetStatus(status);
        s.Firmware().Mark();

        // The tray: one refresh, and the shell has the state's picture and text.
        ASSERT_TRUE(SendTimed(s.Wnd(), WM_STATUS_CHANGED, 0, 0));
        TrayIconState icon;
        ASSERT_TRUE(s.Shell().IconOf(s.Wnd(), icon));
        const UINT trayId = model::TrayIdFor(status);
        EXPECT_EQ(icon.iconId, trayId);
        EXPECT_EQ(icon.tip, model::TextOf(trayId));

        // The hotkey, as the hook forwards it.
        monitor.Clear();
        ::PostMessageA(s.Wnd(), WM_HOOKKEY, KEY_EXTENDED, SC_OSD_HOTKEY);
        std::vector<BYTE> expectedWrites;
        switch (model::DisplayFor(status)) {
        case model::Display::None:
            ++none;
            EXPECT_TRUE(monitor.WaitFor(s.Pid(), "No Wireless or Bluetooth Device Exist!!", 5000));
            EXPECT_TRUE(Responsive(s.Wnd()));
            EXPECT_TRUE(VisibleDialogsOf(s.Pid()).empty());
            break;
        case model::Display::Notice: {
            ++notices;
            const HWND hDlg = WaitForDialog(s.Pid(), Osd::Notice);
            ASSERT_NE(hDlg, nullptr);
            EXPECT_EQ(FindDialog(s.Pid(), Osd::Selection), nullptr);
            const HWND hButton = ::GetDlgItem(hDlg, IDC_BTN5);
            const UINT picture = model::NoticePictureFor(status);
            EXPECT_TRUE(WaitUntil([&] { return PictureOnButton(hButton, OSD_PICTURES) == picture; },
                                  3000))
                << "the notice does not show picture " << picture;
            SendKey(hDlg, KEY_DOWN, SC_ENTER);
            break;
        }
        case model::Display::Selection: {
            ++panels;
            HWND hDlg = WaitForDialog(s.Pid(), Osd::Selection);
            ASSERT_NE(hDlg, nullptr);
            const model::Panel panel = model::PanelFor(status);
            ASSERT_FALSE(panel.choices.empty());
            EXPECT_EQ(CheckPanel(hDlg, panel), "");
            // Enter on the opening choice writes nothing.
            SendKey(hDlg, KEY_DOWN, SC_ENTER);
            EXPECT_TRUE(WaitForNoDialog(s.Pid()));
            EXPECT_TRUE(Responsive(s.Wnd()));
            EXPECT_TRUE(s.Firmware().WritesSinceMark().empty());
            // Once more, applying the next choice.
            ::PostMessageA(s.Wnd(), WM_HOOKKEY, KEY_EXTENDED, SC_OSD_HOTKEY);
            hDlg = WaitForDialog(s.Pid(), Osd::Selection);
            ASSERT_NE(hDlg, nullptr);
            SendKey(hDlg, KEY_DOWN, SC_RIGHT);
            const UINT choice = panel.choices[(panel.initial + 1) % panel.choices.size()];
            expectedWrites = model::WritesFor(status, choice);
            SendKey(hDlg, KEY_DOWN, SC_ENTER);
            break;
        }
        }
        EXPECT_TRUE(WaitForNoDialog(s.Pid()));
        EXPECT_TRUE(Responsive(s.Wnd()));
        EXPECT_EQ(s.Firmware().WritesSinceMark(), expectedWrites);
        if (!expectedWrites.empty()) {
            EXPECT_EQ(s.Firmware().Status(), expectedWrites.back());
            EXPECT_TRUE(s.WaitForTrayOf(expectedWrites.back()));
        }
    }
    std::printf("selection panels %d, notices %d, no display %d\n", panels, notices, none);
    EXPECT_EQ(panels, 96);
    EXPECT_EQ(notices, 96);
    EXPECT_EQ(none, 64);
    EXPECT_EQ(s.Close(), 0u);
}
