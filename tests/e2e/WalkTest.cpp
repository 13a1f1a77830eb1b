// The program used as a person and the other programs of the session would
// use it, one stage of its growth after the other: the running copy and its
// re-reads, the tray icon and menu, the keyboard hook, the selection panel,
// the switch-off notice and the About box. Keys are typed with SendInput
// and the mouse is clicked; everything is observed from outside.
#include "DebugMonitor.h"
#include "E2eSupport.h"
#include "support/KeyInput.h"
#include "RadioModel.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace e2e;

namespace {

// The windows that took the keyboard focus, in order, as a screen reader
// learns of it (EVENT_OBJECT_FOCUS, delivered while this thread pumps).
std::vector<HWND> s_focusEvents;

void CALLBACK RecordFocus(HWINEVENTHOOK, DWORD, HWND hWnd, LONG idObject, LONG idChild, DWORD,
                          DWORD)
{
    if (idObject == OBJID_CLIENT && idChild == CHILDID_SELF)
        s_focusEvents.push_back(hWnd);
}

// What a screen reader names a control by: Windows' standard proxy takes a
// button's window text. Wine 8 has no proxy for buttons; where one answers,
// its name must be that text.
std::string NameOf(HWND hControl)
{
    char text[256] = {};
    SendTimed(hControl, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    IAccessible* pAccessible = nullptr;
    if (SUCCEEDED(::AccessibleObjectFromWindow(hControl, OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(&pAccessible)))) {
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        if (pAccessible->get_accName(self, &name) == S_OK && name != nullptr) {
            char narrow[256] = {};
            ::WideCharToMultiByte(CP_ACP, 0, name, -1, narrow, sizeof(narrow), nullptr, nullptr);
            EXPECT_STREQ(narrow, text) << "the accessible name";
            ::SysFreeString(name);
        }
        pAccessible->Release();
    }
    return text;
}

const char STATUS_LINE[] = "[RAVO] CMainFrame::GetCurrentStatus()";
const DWORD SETTLE_MS = 300;  // for anything unexpected to show up

class Walk : public ::testing::Test {
protected:
    // Requests the firmware has seen since the last call.
    DWORD NewRequests() { return m_requests.Take(); }

    // Changes the register, lets cause make the copy re-read, and expects
    // one read and the tray to show the new state.
    template <typename Cause>
    void ExpectReRead(const char* what, BYTE status, Cause cause)
    {
        SCOPED_TRACE(what);
        m_s.Firmware().SetStatus(status);
        NewRequests();
        cause();
        EXPECT_TRUE(m_s.WaitForTrayOf(status));
        ::Sleep(SETTLE_MS);
        EXPECT_EQ(NewRequests(), 1u);
    }

    HWND OpenByHotkey(Osd kind)
    {
        // Once the last display is gone, its run still has to end and hand
        // the hook back to the frame; the frame answers only after that.
        Responsive(m_s.Wnd());
        PressScanCode(0x04, true);
        return WaitForDialog(m_s.Pid(), kind);
    }

    BOOL CaptionBecomes(HWND hDlg, UINT stateId)
    {
        return WaitUntil([&] { return ControlText(hDlg, IDC_CHOICE_TEXT) == model::TextOf(stateId); },
                         3000);
    }

    // Opens the tray menu with a right-click and picks an item by its key.
    BOOL ChooseFromTrayMenu(WORD key)
    {
        ::PostMessageA(m_s.Wnd(), WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONUP);
        if (!WaitUntil([&] { return !MenusOf(m_s.Pid()).empty(); }, 5000))
            return FALSE;
        PressVirtualKey(key);
        return TRUE;
    }

    // The button shows picture id on the screen (once painted).
    static BOOL Shows(HWND hDlg, int buttonId, UINT id)
    {
        const HWND hButton = ::GetDlgItem(hDlg, buttonId);
        return WaitUntil([&] {
            return PictureOnButton(hButton, { 130, 131, 132, 133, 134, 135 }) == id;
        }, 3000);
    }

    // Starts with both radios on and the editor in front, opens the panel
    // by the hotkey and moves its highlight to "Wireless LAN only".
    void OpenPanelInFrontOf(CEditor& editor)
    {
        ASSERT_TRUE(m_s.Start(0x1F));
        ASSERT_TRUE(editor.Start());
        const HWND hDlg = OpenByHotkey(Osd::Selection);
        ASSERT_NE(hDlg, nullptr);
        PressScanCode(0x4D, false);
        EXPECT_TRUE(CaptionBecomes(hDlg, 133));
    }

    // After a display that was opened over editor: the editor is in front
    // again, what is typed next reaches its edit control, and the two
    // programs' threads no longer share one input state (attached, both
    // would name the same active and focus windows).
    void ExpectKeyboardBackWith(const CEditor& editor)
    {
        GUITHREADINFO ravo = {};
        GUITHREADINFO other = {};
        ravo.cbSize = other.cbSize = sizeof(GUITHREADINFO);
        // The editor's thread sets its focus once it handles the activation,
        // a moment after the foreground has changed.
        EXPECT_TRUE(WaitUntil([&] {
            return ::GetForegroundWindow() == editor.Wnd() &&
                   ::GetGUIThreadInfo(editor.ThreadId(), &other) &&
                   other.hwndFocus == editor.Edit();
        }, 3000)) << "the foreground went back";
        ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(m_s.Wnd(), nullptr), &ravo));
        ASSERT_TRUE(::GetGUIThreadInfo(editor.ThreadId(), &other));
        EXPECT_EQ(other.hwndFocus, editor.Edit());
        EXPECT_NE(ravo.hwndFocus, other.hwndFocus) << "input state still shared";
        EXPECT_NE(ravo.hwndActive, other.hwndActive) << "input state still shared";
        PressVirtualKey('O');
        PressVirtualKey('K');
        EXPECT_TRUE(WaitUntil([&] { return editor.Text() == "ok"; }, 3000))
            << "typed text reached \"" << editor.Text() << "\"";
    }

    CSession m_s;
    CRequestCounter m_requests;
};

}  // namespace

// Step 1: one running copy per session; it reads the firmware at start and
// again for every cause, and ends on "Close" from a second copy.
TEST_F(Walk, RunningCopyReReadsForEveryCauseAndEndsOnClose)
{
    CDebugMonitor monitor;
    ASSERT_TRUE(monitor.IsRunning());
    NewRequests();
    ASSERT_TRUE(m_s.Start(0x1F));
    EXPECT_EQ(NewRequests(), 1u);
    EXPECT_TRUE(monitor.WaitFor(m_s.Pid(), STATUS_LINE, 3000));

    // A second copy leaves at once; the first keeps its window.
    EXPECT_EQ(CRavoProcess::Run(""), 0u);
    EXPECT_EQ(FindRavoWindow(), m_s.Wnd());
    EXPECT_EQ(NewRequests(), 0u);

    const HANDLE notify = ::CreateEventA(nullptr, FALSE, FALSE, RAVO_NOTIFY_EVENT);
    ASSERT_NE(notify, nullptr);
    ExpectReRead("notify event", 0x1D, [&] { ::SetEvent(notify); });
    ExpectReRead("refresh message", 0x1E,
                 [] { ::PostMessageA(FindRavoWindow(), WM_STATUS_CHANGED, 0, 0); });
    ExpectReRead("resume", 0x1C,
                 [&] { SendTimed(m_s.Wnd(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0); });
    ExpectReRead("automatic resume", 0x14,
                 [&] { SendTimed(m_s.Wnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0); });
    ExpectReRead("console connect", 0x1A,
                 [&] { SendTimed(m_s.Wnd(), WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT, 1); });
    ExpectReRead("unlock", 0x18,
                 [&] { SendTimed(m_s.Wnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1); });
    ::CloseHandle(notify);

    // Every read was announced on the debugger channel, and nothing else.
    const std::vector<std::string> lines = monitor.LinesOf(m_s.Pid());
    EXPECT_EQ(lines, std::vector<std::string>(7, STATUS_LINE));

    EXPECT_EQ(CRavoProcess::Run("Close"), 0u);
    EXPECT_EQ(m_s.Process().WaitForExit(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());
}

TEST_F(Walk, CloseEventFromAnotherProgramEndsTheCopy)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    const HANDLE close = ::CreateEventA(nullptr, FALSE, FALSE, RAVO_CLOSE_EVENT);
    ASSERT_NE(close, nullptr);
    ::SetEvent(close);
    EXPECT_EQ(m_s.Process().WaitForExit(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
    ::CloseHandle(close);
}

// Step 2: the tray icon names the state; its menu and double-click work.
TEST_F(Walk, TrayIconShowsTheStateAndItsMenuAndDoubleClickWork)
{
    ASSERT_TRUE(m_s.Start(0x1D));
    TrayIconState icon;
    ASSERT_TRUE(m_s.Shell().IconOf(m_s.Wnd(), icon));
    EXPECT_EQ(icon.uID, TRAY_ICON_ID);
    EXPECT_EQ(icon.uCallbackMessage, WM_TRAY_NOTIFY);
    EXPECT_EQ(icon.iconId, 146u);
    EXPECT_EQ(icon.tip, "Wireless LAN is enabled.");
    std::vector<TrayCall> calls = m_s.Shell().Calls(m_s.Wnd());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(calls[0].uFlags, static_cast<UINT>(NIF_ICON | NIF_TIP | NIF_MESSAGE));

    // A refresh modifies the one icon.
    m_s.Firmware().SetStatus(0x1F);
    ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1F));
    calls = m_s.Shell().Calls(m_s.Wnd());
    EXPECT_EQ(calls.back().op, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(m_s.Shell().Icons(m_s.Wnd()).size(), 1u);

    // Right-click, "&Option": the selection panel.
    ASSERT_TRUE(ChooseFromTrayMenu('O'));
    HWND hDlg = WaitForDialog(m_s.Pid(), Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_TRUE(MenusOf(m_s.Pid()).empty());
    EXPECT_EQ(ControlText(hDlg, IDC_CHOICE_TEXT), "Bluetooth and Wireless LAN are enabled.");
    m_s.Firmware().Mark();
    PressScanCode(0x1C, false);  // Enter on the opening choice: nothing written
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));

    // A double-click on the icon runs "&Option" too.
    ::PostMessageA(m_s.Wnd(), WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    hDlg = WaitForDialog(m_s.Pid(), Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    PressScanCode(0x1C, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());

    // Right-click, "E&xit": the icon goes and the program ends.
    ASSERT_TRUE(ChooseFromTrayMenu('X'));
    EXPECT_EQ(m_s.Process().WaitForExit(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
}

// Step 3: keys reach the program through its hook: the radio event
// refreshes, the hotkey opens the display while holding the semaphore, the
// notify hotkey reads nothing.
TEST_F(Walk, HookTurnsKeysIntoRefreshesAndTheDisplay)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    ExpectReRead("radio event key", 0x1E, [] { PressScanCode(0x71, false); });
    ExpectReRead("extended radio event key", 0x1D, [] { PressScanCode(0x71, true); });

    NewRequests();
    PressScanCode(0x62, true);  // the notify hotkey asks the device, not the firmware
    PressScanCode(0x04, false);  // the hotkey's scan code without the extended flag
    ::Sleep(SETTLE_MS);
    EXPECT_TRUE(Responsive(m_s.Wnd()));
    EXPECT_EQ(NewRequests(), 0u);
    EXPECT_TRUE(VisibleDialogsOf(m_s.Pid()).empty());

    const HANDLE semaphore = ::CreateSemaphoreA(nullptr, 1, 1, RAVO_KEY_SEMAPHORE);
    ASSERT_NE(semaphore, nullptr);
    const HWND hDlg = OpenByHotkey(Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(::WaitForSingleObject(semaphore, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the copy holds the semaphore while the hotkey's display runs";
    PressScanCode(0x1C, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_TRUE(WaitUntil([&] { return ::WaitForSingleObject(semaphore, 0) == WAIT_OBJECT_0; }))
        << "released afterwards";
    ::ReleaseSemaphore(semaphore, 1, nullptr);
    ::CloseHandle(semaphore);

    // The hook is the frame's again.
    ExpectReRead("radio event key after the display", 0x1F, [] { PressScanCode(0x71, false); });
}

// Step 4: the selection panel: keys move the highlight with wrap-around,
// Enter, a double-click and four idle seconds apply, and the tray follows.
TEST_F(Walk, SelectionPanelMovesAppliesAndTheTrayFollows)
{
    ASSERT_TRUE(m_s.Start(0x1D));  // both present, Wireless LAN on, Bluetooth off
    HWND hDlg = OpenByHotkey(Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(ControlText(hDlg, IDC_CHOICE_TEXT), model::TextOf(135));
    const UINT pictures[] = { 130, 135, 131, 133 };
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(ItemEnabled(hDlg, IDC_BTN1 + i)) << i;
        EXPECT_TRUE(Shows(hDlg, IDC_BTN1 + i, pictures[i])) << i;
    }
    const std::vector<std::string> texts = ChildTexts(hDlg);
    EXPECT_EQ(std::count(texts.begin(), texts.end(),
                         "  Press Left/ Right to select and Enter to apply. "), 1);

    struct Move { WORD scan; bool extended; UINT shows; } moves[] = {
        { 0x4D, false, 131 }, { 0x4B, false, 135 }, { 0x4B, true, 130 },
        { 0x4B, false, 133 },  // wraps to the last
        { 0x04, true, 130 },   // the hotkey steps right and wraps to the first
        { 0x4D, true, 135 }, { 0x4D, false, 131 },
    };
    m_s.Firmware().Mark();
    for (const Move& move : moves) {
        PressScanCode(move.scan, move.extended);
        EXPECT_TRUE(CaptionBecomes(hDlg, move.shows)) << "after scan code " << move.scan;
    }
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());
    PressScanCode(0x1C, true);  // keypad Enter applies "both enabled"
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_EQ(m_s.Firmware().WritesSinceMark(), model::WritesFor(0x1D, 131));
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1F));

    // A click moves the highlight; a double-click applies the clicked choice.
    ::PostMessageA(m_s.Wnd(), WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    hDlg = WaitForDialog(m_s.Pid(), Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(ControlText(hDlg, IDC_CHOICE_TEXT), model::TextOf(131));
    EXPECT_TRUE(Shows(hDlg, IDC_BTN1 + 1, 135));  // on the screen, ready for the mouse
    ClickCentre(::GetDlgItem(hDlg, IDC_BTN1 + 1));
    EXPECT_TRUE(CaptionBecomes(hDlg, 135));
    m_s.Firmware().Mark();
    ClickCentre(::GetDlgItem(hDlg, IDC_BTN1 + 3), 2);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_EQ(m_s.Firmware().WritesSinceMark(), model::WritesFor(0x1F, 133));
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1C));

    // Left alone after a move, the panel applies by itself.
    hDlg = OpenByHotkey(Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    m_s.Firmware().Mark();
    PressScanCode(0x4D, false);
    EXPECT_TRUE(CaptionBecomes(hDlg, 130));
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid(), 15000));
    EXPECT_EQ(m_s.Firmware().WritesSinceMark(), model::WritesFor(0x1C, 130));
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1E));

    // The radio event closes the panel without applying, and refreshes.
    hDlg = OpenByHotkey(Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    PressScanCode(0x4D, false);
    EXPECT_TRUE(CaptionBecomes(hDlg, 135));
    m_s.Firmware().Mark();
    m_s.Firmware().SetStatus(0x1D);
    PressScanCode(0x71, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1D));
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());
}

// Step 5: with the switch off the hotkey shows the notice, which closes on
// Enter, a click, the radio event or by itself, and never writes.
TEST_F(Walk, SwitchOffNoticeClosesEveryWayAndWritesNothing)
{
    ASSERT_TRUE(m_s.Start(0x0D));  // both present, switch off
    m_s.Firmware().Mark();
    HWND hDlg = OpenByHotkey(Osd::Notice);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(FindDialog(m_s.Pid(), Osd::Selection), nullptr);
    const std::vector<std::string> texts = ChildTexts(hDlg);
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "  Wireless switch is disabled.\n  Please turn on the wireless switch."),
              texts.end());
    EXPECT_TRUE(Shows(hDlg, IDC_BTN5, 133));
    PressScanCode(0x1C, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));

    m_s.Firmware().SetStatus(0x09);  // Bluetooth only, switch off
    hDlg = OpenByHotkey(Osd::Notice);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_TRUE(Shows(hDlg, IDC_BTN5, 132));
    ClickCentre(::GetDlgItem(hDlg, IDC_BTN5));
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));

    hDlg = OpenByHotkey(Osd::Notice);
    ASSERT_NE(hDlg, nullptr);
    m_s.Firmware().SetStatus(0x1D);  // the switch went on: the radio event says so
    PressScanCode(0x71, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1D));

    m_s.Firmware().SetStatus(0x05);  // Wireless LAN only, switch off
    hDlg = OpenByHotkey(Osd::Notice);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_TRUE(Shows(hDlg, IDC_BTN5, 134));
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid(), 15000)) << "closes by itself";
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());
    EXPECT_TRUE(Responsive(m_s.Wnd()));
}

// The program in front before a display gets the keyboard back when the
// display ends: the panel applied with Enter or by its timer, the notice
// closed with Enter.
TEST_F(Walk, PanelClosedWithEnterGivesTheKeyboardBack)
{
    CEditor editor;
    ASSERT_NO_FATAL_FAILURE(OpenPanelInFrontOf(editor));
    PressScanCode(0x1C, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1C));
    ExpectKeyboardBackWith(editor);
}

TEST_F(Walk, PanelAppliedByItsTimerGivesTheKeyboardBack)
{
    CEditor editor;
    ASSERT_NO_FATAL_FAILURE(OpenPanelInFrontOf(editor));
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid(), 15000));
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1C));
    ExpectKeyboardBackWith(editor);
}

// A program the user switched to while the panel was open keeps the
// foreground when the panel ends by itself.
TEST_F(Walk, ProgramActivatedWhileThePanelIsOpenKeepsTheForeground)
{
    CEditor editor;
    CEditor other;
    ASSERT_NO_FATAL_FAILURE(OpenPanelInFrontOf(editor));
    ASSERT_TRUE(other.Start());
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid(), 15000));
    ::Sleep(SETTLE_MS);
    EXPECT_EQ(::GetForegroundWindow(), other.Wnd());
}

TEST_F(Walk, NoticeClosedWithEnterGivesTheKeyboardBack)
{
    ASSERT_TRUE(m_s.Start(0x0D));
    CEditor editor;
    ASSERT_TRUE(editor.Start());
    ASSERT_NE(OpenByHotkey(Osd::Notice), nullptr);
    PressScanCode(0x1C, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    ExpectKeyboardBackWith(editor);
}

// What a screen reader hears: each button is named by its choice's
// sentence, the keyboard focus is on the highlighted button at opening and
// after every move, each move raises a focus event for the new choice, and
// Tab and the arrow keys that the dialog manager handles move nothing. Esc
// closes the panel without applying. The notice's button says its sentence.
TEST_F(Walk, ScreenReadersHearTheChoiceTheFocusFollowsTheHighlight)
{
    const HRESULT com = ::CoInitialize(nullptr);  // for the accessibility proxy
    ASSERT_TRUE(m_s.Start(0x1D));
    const HWINEVENTHOOK hHook =
        ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &RecordFocus,
                          m_s.Pid(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hHook, nullptr);
    const DWORD ravoThread = ::GetWindowThreadProcessId(m_s.Wnd(), nullptr);
    auto focus = [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(ravoThread, &info) ? info.hwndFocus : nullptr;
    };

    struct Layout { BYTE status; std::vector<UINT> choices; } layouts[] = {
        { 0x1D, { 130, 135, 131, 133 } },  // both radios: four choices
        { 0x1A, { 130, 132 } },            // Bluetooth only: two
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.status);
        m_s.Firmware().SetStatus(layout.status);
        const HWND hDlg = OpenByHotkey(Osd::Selection);
        ASSERT_NE(hDlg, nullptr);
        for (int i = 0; i < 4; ++i) {
            const std::string name = i < static_cast<int>(layout.choices.size())
                                         ? model::TextOf(layout.choices[i])
                                         : std::string();
            EXPECT_EQ(NameOf(::GetDlgItem(hDlg, IDC_BTN1 + i)), name) << "button " << i + 1;
        }
        auto highlightFocused = [&] {
            const HWND hFocus = focus();
            return hFocus != nullptr && ::GetParent(hFocus) == hDlg &&
                   NameOf(hFocus) == ControlText(hDlg, IDC_CHOICE_TEXT);
        };
        EXPECT_TRUE(WaitUntil(highlightFocused, 3000)) << "at opening";

        // The focus events of the panel's buttons since the last call: only
        // the highlighted one may take the focus (the hidden main window
        // takes it briefly in the foreground steps of every key event).
        auto buttonFocusEvents = [&] {
            WaitUntil([] { return false; }, SETTLE_MS);  // delivered meanwhile
            int count = 0;
            for (HWND hWnd : s_focusEvents) {
                if (::GetParent(hWnd) != hDlg)
                    continue;
                EXPECT_EQ(NameOf(hWnd), ControlText(hDlg, IDC_CHOICE_TEXT));
                ++count;
            }
            s_focusEvents.clear();
            return count;
        };
        m_s.Firmware().Mark();
        for (WORD scan : { 0x4D, 0x4D, 0x4B, 0x04 }) {
            const std::string before = ControlText(hDlg, IDC_CHOICE_TEXT);
            buttonFocusEvents();
            const bool extended = scan == 0x04;
            SendScanCode(scan, extended, false);
            EXPECT_TRUE(WaitUntil([&] {
                return ControlText(hDlg, IDC_CHOICE_TEXT) != before && highlightFocused();
            }, 3000)) << "after scan code " << scan;
            EXPECT_EQ(buttonFocusEvents(), 1) << "the move's focus events, scan code " << scan;
            SendScanCode(scan, extended, true);
            buttonFocusEvents();  // the release's foreground steps focus it again
            EXPECT_TRUE(highlightFocused());
        }
        // The dialog manager would move the focus on these keys; each
        // release's foreground steps put it back, so the events tell.
        const HWND hFocused = focus();
        const std::string caption = ControlText(hDlg, IDC_CHOICE_TEXT);
        for (WORD vk : { VK_TAB, VK_UP, VK_DOWN }) {
            buttonFocusEvents();
            PressVirtualKey(vk);
            buttonFocusEvents();  // none for another button
            EXPECT_EQ(focus(), hFocused) << "key " << vk;
            EXPECT_EQ(ControlText(hDlg, IDC_CHOICE_TEXT), caption) << "key " << vk;
        }
        PressVirtualKey(VK_ESCAPE);
        EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
        EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());
    }
    ::UnhookWinEvent(hHook);

    m_s.Firmware().SetStatus(0x0D);
    const HWND hNotice = OpenByHotkey(Osd::Notice);
    ASSERT_NE(hNotice, nullptr);
    EXPECT_EQ(NameOf(::GetDlgItem(hNotice, IDC_BTN5)),
              "Wireless switch is disabled. Please turn on the wireless switch.");
    PressScanCode(0x1C, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    if (SUCCEEDED(com))
        ::CoUninitialize();
}

// Step 6: the About box shows the registry's version, one box at a time.
TEST_F(Walk, AboutBoxShowsTheInstalledVersionOneAtATime)
{
    CVersionValue version;
    ASSERT_TRUE(version.SetString("1.0.0.1"));
    ASSERT_TRUE(m_s.Start(0x1F));
    ASSERT_TRUE(ChooseFromTrayMenu('A'));
    HWND hAbout = WaitForDialog(m_s.Pid(), Osd::About);
    ASSERT_NE(hAbout, nullptr);
    EXPECT_EQ(ControlText(hAbout, IDC_VERSION), "Ravo Ver 1.0.0.1");
    char title[64] = {};
    SendTimed(hAbout, WM_GETTEXT, sizeof(title), reinterpret_cast<LPARAM>(title));
    EXPECT_STREQ(title, "About Ravo");

    // A second About command while the box is open does nothing.
    // (Sent, so that a second modal box would keep the call from returning.)
    EXPECT_TRUE(SendTimed(m_s.Wnd(), WM_COMMAND, ID_APP_ABOUT, 0, 5000));
    EXPECT_EQ(VisibleDialogsOf(m_s.Pid()).size(), 1u);

    ClickCentre(::GetDlgItem(hAbout, IDOK));
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));

    // The version is read afresh for the next box.
    ASSERT_TRUE(version.SetString("2.0"));
    ::PostMessageA(m_s.Wnd(), WM_COMMAND, ID_APP_ABOUT, 0);
    hAbout = WaitForDialog(m_s.Pid(), Osd::About);
    ASSERT_NE(hAbout, nullptr);
    EXPECT_EQ(ControlText(hAbout, IDC_VERSION), "Ravo Ver 2.0");
    ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_EQ(m_s.Close(), 0u);
}
