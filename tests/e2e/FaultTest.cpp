// Faults the program has to survive: a restarted shell, a firmware library
// that does not answer or answers slowly, shut-down while a display is
// open, any order of session events, and other programs that hold the
// semaphore or made the named objects first.
#include "E2eSupport.h"
#include "RadioModel.h"
#include "support/KeyInput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

using namespace e2e;

namespace {

const DWORD SETTLE_MS = 400;  // for a key's effect, or its absence, to show

// A low-level keyboard hook that passes no key on to older hooks.
LRESULT CALLBACK SwallowKey(int, WPARAM, LPARAM)
{
    return 1;
}

// Windows removes a hook that answers late without a word; a newer hook of
// another program that passes no key on stands for that (Wine still hands
// those keys out as raw input). Runs steps while it is in place.
void WhileKeysAreSwallowed(const std::function<void()>& steps)
{
    std::atomic<DWORD> threadId{ 0 };
    std::thread swallower([&] {
        const HHOOK hHook = ::SetWindowsHookExA(WH_KEYBOARD_LL, &SwallowKey,
                                                ::GetModuleHandleA(nullptr), 0);
        EXPECT_NE(hHook, nullptr);
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue
        threadId = ::GetCurrentThreadId();
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageA(&msg);
        ::UnhookWindowsHookEx(hHook);
    });
    WaitUntil([&] { return threadId != 0; }, 5000);
    steps();
    ::PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    swallower.join();
}

class Faults : public ::testing::Test {
protected:
    // Requests the firmware has seen since the last call.
    DWORD NewRequests() { return m_requests.Take(); }

    DWORD ReadsForRadioKey()
    {
        const DWORD reads = RequestsForRadioKey(m_s.Wnd());
        NewRequests();
        return reads;
    }

    HWND OpenByOption(Osd kind)
    {
        ::PostMessageA(m_s.Wnd(), WM_COMMAND, ID_OPTION, 0);
        return WaitForDialog(m_s.Pid(), kind);
    }

    CSession m_s;
    CRequestCounter m_requests;
};

}  // namespace

TEST_F(Faults, ShellRestartBroadcastBringsTheIconBack)
{
    ASSERT_TRUE(m_s.Start(0x1D));
    for (int restart = 0; restart < 2; ++restart) {
        ASSERT_TRUE(m_s.RestartShell());
        EXPECT_TRUE(m_s.TrayEmpty());
        CFakeShell::BroadcastTaskbarCreated();
        EXPECT_TRUE(m_s.WaitForTrayOf(0x1D)) << "restart " << restart;
        EXPECT_EQ(m_s.Shell().Icons(m_s.Wnd()).size(), 1u);
        const std::vector<TrayCall> calls = m_s.Shell().Calls(m_s.Wnd());
        ASSERT_FALSE(calls.empty());
        EXPECT_TRUE(calls.back().answer);
    }
    // And it keeps following the state.
    m_s.Firmware().SetStatus(0x1E);
    ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1E));
    EXPECT_EQ(m_s.Close(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
}

// A shell that comes back without telling: the first refresh's modify
// fails, the second adds the icon again.
TEST_F(Faults, SilentShellRestartIconComesBackOnTheSecondRefresh)
{
    ASSERT_TRUE(m_s.Start(0x1D));
    ASSERT_TRUE(m_s.RestartShell());
    ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
    const HWND hWnd = m_s.Wnd();
    ASSERT_TRUE(m_s.Shell().WaitFor([hWnd](const std::vector<TrayCall>& calls) {
        for (const TrayCall& call : calls) {
            if (call.hWnd == hWnd)
                return true;
        }
        return false;
    }));
    EXPECT_TRUE(m_s.TrayEmpty());
    ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1D));
}

// A shell still starting at logon refuses the first adds, and no
// "TaskbarCreated" follows: the copy tries again every two seconds until the
// icon is taken, then stops, with one icon shown.
TEST_F(Faults, RefusedTrayAddsAreRetriedUntilTheShellTakesTheIcon)
{
    m_s.Shell().RefuseAdds(2);
    ASSERT_TRUE(m_s.Start(0x1D));  // waits for the icon
    EXPECT_EQ(m_s.Shell().Icons(m_s.Wnd()).size(), 1u);
    ::Sleep(2500);  // past the next retry, had the timer kept running
    std::vector<DWORD> ops;
    for (const TrayCall& call : m_s.Shell().Calls(m_s.Wnd()))
        ops.push_back(call.op);
    // After a refusal the shell's state is unknown: modify first, then add.
    EXPECT_EQ(ops, (std::vector<DWORD>{ NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_MODIFY, NIM_ADD }));
    EXPECT_EQ(m_s.Shell().Icons(m_s.Wnd()).size(), 1u);
    EXPECT_EQ(m_s.Close(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
}

// A busy shell answers FALSE once the time limit has passed, yet carries
// the add or modify out: the icon still follows the state, and goes at Exit.
TEST_F(Faults, LateShellAnswersStillEndInOneCurrentIconAndNoneAfterExit)
{
    m_s.Shell().AnswerLate(1);
    ASSERT_TRUE(m_s.Start(0x1D));
    for (BYTE status : { 0x1F, 0x1E }) {
        m_s.Shell().AnswerLate(1);
        m_s.Firmware().SetStatus(status);
        ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
        EXPECT_TRUE(m_s.WaitForTrayOf(status)) << "status " << int(status);
    }
    m_s.Firmware().SetStatus(0x1C);
    ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1C));
    EXPECT_EQ(m_s.Shell().Icons(m_s.Wnd()).size(), 1u);
    EXPECT_EQ(m_s.Close(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
}

// "TaskbarCreated" can come while the shell still shows the icon (any
// program may broadcast it): the icon must go on following the state.
TEST_F(Faults, TaskbarCreatedWhileTheIconIsShownKeepsItFollowingTheState)
{
    ASSERT_TRUE(m_s.Start(0x1D));
    CFakeShell::BroadcastTaskbarCreated();
    ASSERT_TRUE(Responsive(m_s.Wnd()));
    ::Sleep(SETTLE_MS);
    const BYTE statuses[] = { 0x1E, 0x1F, 0x1C };
    for (BYTE status : statuses) {
        m_s.Firmware().SetStatus(status);
        ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
        EXPECT_TRUE(m_s.WaitForTrayOf(status)) << "status " << int(status);
    }
    EXPECT_EQ(m_s.Shell().Icons(m_s.Wnd()).size(), 1u);
}

// Reads left unanswered leave 0x66: Wireless LAN present, switch off.
TEST_F(Faults, UnansweredReadsShowTheSwitchOffStateAndTheNotice)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    m_s.Firmware().SetUnanswered(TRUE);
    ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
    EXPECT_TRUE(m_s.WaitForTrayOf(model::UNANSWERED_READ));

    m_s.Firmware().Mark();
    PressScanCode(0x04, true);
    HWND hDlg = WaitForDialog(m_s.Pid(), Osd::Notice);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(FindDialog(m_s.Pid(), Osd::Selection), nullptr);
    PressScanCode(0x1C, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    hDlg = OpenByOption(Osd::Notice);
    ASSERT_NE(hDlg, nullptr);
    SendKey(hDlg, KEY_DOWN, SC_ENTER);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());

    // Answered again, the next event shows the real state.
    m_s.Firmware().SetUnanswered(FALSE);
    ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1F));

    // A panel opened while answered but applied while not: each write sends
    // back the byte its own read found, 0x66, with only its one bit changed.
    hDlg = OpenByOption(Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    SendKey(hDlg, KEY_DOWN, SC_RIGHT);  // from "both enabled" to "both disabled"
    m_s.Firmware().SetUnanswered(TRUE);
    m_s.Firmware().Mark();
    SendKey(hDlg, KEY_DOWN, SC_ENTER);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    const std::vector<BYTE> writes = {
        static_cast<BYTE>(model::UNANSWERED_READ & ~model::BT_ON),
        static_cast<BYTE>(model::UNANSWERED_READ & ~model::WLAN_ON),
    };
    EXPECT_EQ(m_s.Firmware().WritesSinceMark(), writes);
    m_s.Firmware().SetUnanswered(FALSE);
    EXPECT_TRUE(Responsive(m_s.Wnd()));
    EXPECT_EQ(m_s.Close(), 0u);
}

// 300 ms for every request: slower, but every step still happens, in order,
// and the next event is handled.
TEST_F(Faults, SlowFirmwareStillOpensAppliesAndRefreshes)
{
    ASSERT_TRUE(m_s.Start(0x1D));
    m_s.Firmware().SetDelay(300);

    m_s.Firmware().SetStatus(0x1E);
    ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1E));

    PressScanCode(0x04, true);
    HWND hDlg = WaitForDialog(m_s.Pid(), Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(ControlText(hDlg, IDC_CHOICE_TEXT), model::TextOf(130));
    PressScanCode(0x4D, false);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(hDlg, IDC_CHOICE_TEXT) == model::TextOf(135); }));
    m_s.Firmware().Mark();
    PressScanCode(0x1C, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1D));
    EXPECT_EQ(m_s.Firmware().WritesSinceMark(), model::WritesFor(0x1E, 135));

    // Several causes queued behind slow reads are all handled.
    NewRequests();
    const HANDLE notify = ::CreateEventA(nullptr, FALSE, FALSE, "TorvaneNotifyEvent");
    ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
    ::PostMessageA(m_s.Wnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    ::SetEvent(notify);
    ::CloseHandle(notify);
    EXPECT_TRUE(Responsive(m_s.Wnd(), 15000));
    EXPECT_TRUE(WaitUntil([&] { return FirmwareRequestCount() - m_requests.Last() >= 3; }, 10000));
    EXPECT_EQ(ReadsForRadioKey(), 1u) << "the hook still works";
    m_s.Firmware().SetDelay(0);
    EXPECT_EQ(m_s.Close(), 0u);
}

// Shut-down asked for while a display is open: the display ends, nothing is
// written, the icon goes, and the program exits with code 0.
TEST_F(Faults, ExitCommandWhileTheSelectionPanelIsOpen)
{
    ASSERT_TRUE(m_s.Start(0x1D));
    const HWND hDlg = OpenByOption(Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    SendKey(hDlg, KEY_DOWN, SC_RIGHT);
    m_s.Firmware().Mark();
    ::PostMessageA(m_s.Wnd(), WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_EQ(m_s.Process().WaitForExit(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());
}

TEST_F(Faults, CloseFromASecondCopyWhileTheHotkeysPanelIsOpen)
{
    const HANDLE semaphore = ::CreateSemaphoreA(nullptr, 1, 1, "MERK_Semaphore");
    ASSERT_NE(semaphore, nullptr);  // kept alive past the program's end
    ASSERT_TRUE(m_s.Start(0x1D));
    PressScanCode(0x04, true);
    ASSERT_NE(WaitForDialog(m_s.Pid(), Osd::Selection), nullptr);
    m_s.Firmware().Mark();
    EXPECT_EQ(CRavoProcess::Run("Close"), 0u);
    EXPECT_EQ(m_s.Process().WaitForExit(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());
    EXPECT_EQ(::WaitForSingleObject(semaphore, 0), static_cast<DWORD>(WAIT_OBJECT_0))
        << "the semaphore was released before the end";
    ::CloseHandle(semaphore);
}

TEST_F(Faults, CloseFromASecondCopyWhileTheNoticeIsOpen)
{
    ASSERT_TRUE(m_s.Start(0x0C));
    PressScanCode(0x04, true);
    ASSERT_NE(WaitForDialog(m_s.Pid(), Osd::Notice), nullptr);
    EXPECT_EQ(CRavoProcess::Run("Close"), 0u);
    EXPECT_EQ(m_s.Process().WaitForExit(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
}

TEST_F(Faults, CloseFromASecondCopyWhileTheAboutBoxIsOpen)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    ::PostMessageA(m_s.Wnd(), WM_COMMAND, ID_APP_ABOUT, 0);
    ASSERT_NE(WaitForDialog(m_s.Pid(), Osd::About), nullptr);
    EXPECT_EQ(CRavoProcess::Run("Close"), 0u);
    EXPECT_EQ(m_s.Process().WaitForExit(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
}

TEST_F(Faults, CloseFromASecondCopyWhileTheTrayMenuIsOpen)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    ::PostMessageA(m_s.Wnd(), WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONUP);
    ASSERT_TRUE(WaitUntil([&] { return !MenusOf(m_s.Pid()).empty(); }));
    EXPECT_EQ(CRavoProcess::Run("Close"), 0u);
    EXPECT_EQ(m_s.Process().WaitForExit(), 0u);
    EXPECT_TRUE(m_s.TrayEmpty());
}

namespace {

// A window of this process in the foreground that runs an action, once, when
// it loses the activation. The program's foreground claim attaches its input
// to this thread and then sends the window WM_NCACTIVATE, waiting for the
// answer: the action's messages reach the program inside the claim.
class CForegroundWindow {
public:
    explicit CForegroundWindow(std::function<void()> onDeactivate)
        : m_action(std::move(onDeactivate)), m_thread([this] { Run(); })
    {
        WaitUntil([this] { return m_hWnd.load() != nullptr; });
    }
    ~CForegroundWindow()
    {
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        m_thread.join();
    }
    BOOL IsForeground() const { return ::GetForegroundWindow() == m_hWnd.load(); }

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<CForegroundWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        const bool losing = (message == WM_NCACTIVATE && !wParam) ||
                            (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) ||
                            message == WM_KILLFOCUS;
        if (self != nullptr && losing && self->m_action) {
            const std::function<void()> action = std::move(self->m_action);
            self->m_action = nullptr;
            action();
        }
        if (message == WM_DESTROY)
            ::PostQuitMessage(0);
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    void Run()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &CForegroundWindow::WndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "E2eForegroundWindow";
        ::RegisterClassA(&wc);
        const HWND hWnd = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE,
                                            0, 0, 40, 40, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::SetForegroundWindow(hWnd);
        ::SetFocus(hWnd);
        m_hWnd = hWnd;
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageA(&msg);
    }

    std::function<void()> m_action;
    std::atomic<HWND> m_hWnd{ nullptr };
    std::thread m_thread;
};

}  // namespace

// A shut-down asked for from inside every nested loop the program runs:
// the window objects must outlive the loops their handlers run, and every
// loop must end with the frame. Each case: exit code 0 within a second of
// the request, the icon gone, nothing written, the semaphore free. Some
// calls handle messages other threads send while they wait (a shell call,
// the foreground claim): a request sent then reaches the program inside
// them, and the program must not go on as if the frame were still there.
enum class Scene { TrayMenu, AboutBox, PanelUnderAbout, NoticeUnderAbout, ShellCall,
                   ShellRestart, ForegroundClaim };
enum class Request { CloseEvent, CloseCommand, MenuExit, SentClose };

class NestedShutdown : public Faults,
                       public ::testing::WithParamInterface<std::tuple<Scene, Request>> {
protected:
    void OpenTrayMenu()
    {
        ::PostMessageA(m_s.Wnd(), WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONUP);
        ASSERT_TRUE(WaitUntil([&] { return !MenusOf(m_s.Pid()).empty(); }));
    }

    void OpenAboutBox()
    {
        ::PostMessageA(m_s.Wnd(), WM_COMMAND, ID_APP_ABOUT, 0);
        ASSERT_NE(WaitForDialog(m_s.Pid(), Osd::About), nullptr);
    }

    // Asks for the shut-down; from the shell's thread in the ShellCall scene.
    void Ask(Request request, bool menuOpen, HWND hWnd)
    {
        m_start = ::GetTickCount();
        switch (request) {
        case Request::CloseEvent: {
            const HANDLE close = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, "TorvaneCloseEvent");
            ::SetEvent(close);
            ::CloseHandle(close);
            break;
        }
        case Request::CloseCommand:
            m_closeExit = CRavoProcess::Run("Close");
            break;
        case Request::SentClose:
            ::SendMessageA(hWnd != nullptr ? hWnd : m_s.Wnd(), WM_CLOSE_REQUEST, 0, 0);
            break;
        case Request::MenuExit:
            if (hWnd != nullptr) {
                ::SendMessageA(hWnd, WM_COMMAND, ID_APP_EXIT, 0);  // the shell, not a menu
                break;
            }
            if (!menuOpen)
                OpenTrayMenu();
            PressVirtualKey('X');
            break;
        }
    }

    DWORD m_start = 0;
    DWORD m_closeExit = 0;
};

TEST_P(NestedShutdown, EndsEveryLoopAndExitsCleanly)
{
    const Scene scene = std::get<0>(GetParam());
    const Request request = std::get<1>(GetParam());
    const HANDLE semaphore = ::CreateSemaphoreA(nullptr, 1, 1, "MERK_Semaphore");
    ASSERT_NE(semaphore, nullptr);  // kept alive past the program's end
    ASSERT_TRUE(m_s.Start(scene == Scene::NoticeUnderAbout ? 0x0C : 0x1F));

    switch (scene) {
    case Scene::TrayMenu:
        OpenTrayMenu();
        break;
    case Scene::AboutBox:
        OpenAboutBox();
        break;
    case Scene::PanelUnderAbout: {
        PressScanCode(0x04, true);  // the hotkey: the semaphore is held
        const HWND hDlg = WaitForDialog(m_s.Pid(), Osd::Selection);
        ASSERT_NE(hDlg, nullptr);
        ASSERT_TRUE(SendKey(hDlg, KEY_DOWN, SC_RIGHT));  // a choice waits for the timer
        OpenAboutBox();
        break;
    }
    case Scene::NoticeUnderAbout:
        PressScanCode(0x04, true);
        ASSERT_NE(WaitForDialog(m_s.Pid(), Osd::Notice), nullptr);
        OpenAboutBox();
        break;
    case Scene::ShellCall:
    case Scene::ShellRestart:
    case Scene::ForegroundClaim:
        break;
    }
    if (::testing::Test::HasFatalFailure())
        return;

    m_s.Firmware().Mark();
    std::unique_ptr<CForegroundWindow> foreground;
    if (scene == Scene::ShellCall || scene == Scene::ShellRestart) {
        // The shell asks while it holds the program inside its next call:
        // the refresh's modify, or the delete that follows a shell restart.
        m_s.Shell().BeforeNextAnswer(
            [this, request](const TrayCall& call) { Ask(request, false, call.hWnd); });
        if (scene == Scene::ShellCall)
            ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
        else
            CFakeShell::BroadcastTaskbarCreated();
    } else if (scene == Scene::ForegroundClaim) {
        // The hotkey (the semaphore is held): the frame claims the foreground
        // before it opens the panel.
        const HWND hFrame = m_s.Wnd();
        foreground.reset(new CForegroundWindow([this, request, hFrame] { Ask(request, false, hFrame); }));
        ASSERT_TRUE(WaitUntil([&] { return foreground->IsForeground(); }));
        PressScanCode(0x04, true);
        ASSERT_TRUE(WaitUntil([&] { return m_start != 0; })) << "no foreground claim reached the window";
    } else {
        Ask(request, scene == Scene::TrayMenu, nullptr);
    }

    const DWORD exitCode = m_s.Process().WaitForExit(5000);
    const DWORD elapsed = ::GetTickCount() - m_start;
    EXPECT_EQ(exitCode, 0u);
    std::printf("exit %lu ms after the request\n", static_cast<unsigned long>(elapsed));
    EXPECT_LE(elapsed, 1000u);
    if (request == Request::CloseCommand) {
        EXPECT_EQ(m_closeExit, 0u);
    }
    EXPECT_TRUE(m_s.TrayEmpty());
    for (const TrayCall& call : m_s.Shell().Calls())
        EXPECT_EQ(call.hWnd, m_s.Wnd()) << "a shell call (op " << call.op << ") for another window";
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());
    EXPECT_EQ(::WaitForSingleObject(semaphore, 0), static_cast<DWORD>(WAIT_OBJECT_0))
        << "the semaphore was left taken";
    ::CloseHandle(semaphore);
}

INSTANTIATE_TEST_SUITE_P(
    AnyRequestInAnyLoop, NestedShutdown,
    ::testing::Combine(::testing::Values(Scene::TrayMenu, Scene::AboutBox, Scene::PanelUnderAbout,
                                         Scene::NoticeUnderAbout, Scene::ShellCall),
                       ::testing::Values(Request::CloseEvent, Request::CloseCommand,
                                         Request::MenuExit)));

// Requests another program sends, handled inside the calls that wait.
INSTANTIATE_TEST_SUITE_P(
    SentInsideAWaitingCall, NestedShutdown,
    ::testing::Values(std::make_tuple(Scene::ShellCall, Request::SentClose),
                      std::make_tuple(Scene::ShellRestart, Request::SentClose),
                      std::make_tuple(Scene::ShellRestart, Request::MenuExit),
                      std::make_tuple(Scene::ForegroundClaim, Request::SentClose),
                      std::make_tuple(Scene::ForegroundClaim, Request::MenuExit)));

// Any order of lock, unlock, console disconnect and connect leaves exactly
// one hook, aimed at the frame, or none, as the session rules say:
// checked by whether one radio event key makes one read.
TEST_F(Faults, SessionEventsInAnyOrderLeaveOneHookOrNone)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    // The fifth code stands for a resume from sleep, a power event.
    const WPARAM RESUME = 0;
    const WPARAM codes[] = { WTS_CONSOLE_CONNECT, WTS_CONSOLE_DISCONNECT, WTS_SESSION_LOCK,
                             WTS_SESSION_UNLOCK, RESUME };
    std::mt19937 random(20240611u);
    bool hooked = true;
    bool disconnected = false;
    bool locked = false;
    for (int round = 0; round < 24; ++round) {
        std::string sequence;
        const int length = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < length; ++i) {
            const WPARAM code = codes[random() % 5];
            sequence += code == RESUME ? "resume " : std::to_string(code) + " ";
            if (code == RESUME)
                ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0));
            else
                ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_WTSSESSION_CHANGE, code, 1));
            switch (code) {
            case WTS_CONSOLE_CONNECT: hooked = true; disconnected = false; break;
            case WTS_CONSOLE_DISCONNECT: disconnected = true; break;
            case WTS_SESSION_LOCK: hooked = false; locked = true; break;
            case WTS_SESSION_UNLOCK: hooked = hooked || !disconnected; locked = false; break;
            case RESUME: hooked = hooked || (!locked && !disconnected); break;
            }
        }
        EXPECT_EQ(ReadsForRadioKey(), hooked ? 1u : 0u) << "after session events " << sequence;
    }
}

// A resume installs the frame's hook afresh, first in line again, before
// any key has shown the loss.
TEST_F(Faults, ResumeReinstallsAHookThatNoLongerGetsKeys)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    WhileKeysAreSwallowed([&] {
        ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0));
        EXPECT_EQ(ReadsForRadioKey(), 1u) << "the hook is first in line again";
    });
}

// A lost hook comes back within a second of the first key it misses; later
// keys act once each. While locked, it stays off however long one types.
TEST_F(Faults, ALostHookComesBackByItselfExceptWhileLocked)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    CEditor editor;  // Wine makes raw input only while a window is in front
    ASSERT_TRUE(editor.Start());
    ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1));
    for (int i = 0; i < 10; ++i) PressVirtualKey(VK_SHIFT);
    EXPECT_EQ(ReadsForRadioKey(), 0u) << "locked";
    ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1));
    WhileKeysAreSwallowed([&] {
        PressVirtualKey(VK_SHIFT);  // the first key the hook misses
        ::Sleep(850);
        PressScanCode(SC_OSD_HOTKEY, true);
        const HWND hDlg = WaitForDialog(m_s.Pid(), Osd::Selection, 2000);
        ASSERT_NE(hDlg, nullptr) << "the hook did not come back";
        PressScanCode(SC_RIGHT, false);
        ::Sleep(SETTLE_MS);
        EXPECT_EQ(ControlText(hDlg, IDC_CHOICE_TEXT), model::TextOf(133)) << "one step from 131";
        PressScanCode(SC_ENTER, false);
        EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    });
}

// A display that ends hands the hook back to the frame, whatever the
// session did meanwhile.
TEST_F(Faults, SessionLockWhileAPanelIsOpenHookReturnsToTheFrameAfterwards)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    const HWND hDlg = OpenByOption(Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1));
    const std::string before = ControlText(hDlg, IDC_CHOICE_TEXT);
    PressScanCode(0x4D, false);  // the panel lost the hook: nothing moves
    ::Sleep(SETTLE_MS);
    EXPECT_EQ(ControlText(hDlg, IDC_CHOICE_TEXT), before);
    SendKey(hDlg, KEY_DOWN, SC_ENTER);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_EQ(ReadsForRadioKey(), 1u);
    ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1));
    EXPECT_EQ(ReadsForRadioKey(), 0u);
    ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1));
    EXPECT_EQ(ReadsForRadioKey(), 1u);
}

// A resume installs the hook afresh only where the frame holds it: while a
// display is open, the display keeps it.
TEST_F(Faults, ResumeWhileAPanelIsOpenLeavesTheHookWithThePanel)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    const HWND hDlg = OpenByOption(Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0));
    PressScanCode(0x4D, false);
    EXPECT_TRUE(WaitUntil(
        [&] { return ControlText(hDlg, IDC_CHOICE_TEXT) == model::TextOf(133); }, 3000))
        << "the panel still gets the keys";
    PressScanCode(0x1C, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_EQ(ReadsForRadioKey(), 1u);
}

// While another program holds the semaphore, keys do nothing; everything
// else works, and the keys work again once it is released.
TEST_F(Faults, SemaphoreHeldLongByAnotherProgram)
{
    const HANDLE semaphore = ::CreateSemaphoreA(nullptr, 1, 1, "MERK_Semaphore");
    ASSERT_NE(semaphore, nullptr);
    ASSERT_TRUE(m_s.Start(0x1D));
    ASSERT_EQ(::WaitForSingleObject(semaphore, 0), static_cast<DWORD>(WAIT_OBJECT_0));

    for (int i = 0; i < 3; ++i) {
        PressScanCode(0x04, true);
        EXPECT_EQ(ReadsForRadioKey(), 0u);
    }
    EXPECT_TRUE(VisibleDialogsOf(m_s.Pid()).empty());
    m_s.Firmware().SetStatus(0x1E);
    ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1E));
    const HWND hDlg = OpenByOption(Osd::Selection);  // the menu needs no semaphore
    ASSERT_NE(hDlg, nullptr);
    SendKey(hDlg, KEY_DOWN, SC_ENTER);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));

    ::ReleaseSemaphore(semaphore, 1, nullptr);
    EXPECT_EQ(ReadsForRadioKey(), 1u);
    PressScanCode(0x04, true);
    EXPECT_NE(WaitForDialog(m_s.Pid(), Osd::Selection), nullptr);
    PressScanCode(0x1C, false);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    ::CloseHandle(semaphore);
}

// Named objects another program made first are used as found.
TEST_F(Faults, EventsMadeFirstByAnotherProgramAreUsed)
{
    const HANDLE notify = ::CreateEventA(nullptr, FALSE, FALSE, "TorvaneNotifyEvent");
    const HANDLE close = ::CreateEventA(nullptr, FALSE, FALSE, "TorvaneCloseEvent");
    ASSERT_TRUE(notify != nullptr && close != nullptr);
    ASSERT_TRUE(m_s.Start(0x1F));
    m_s.Firmware().SetStatus(0x1C);
    ::SetEvent(notify);
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1C));
    ::SetEvent(close);
    EXPECT_EQ(m_s.Process().WaitForExit(), 0u);
    ::CloseHandle(notify);
    ::CloseHandle(close);
}

TEST_F(Faults, SemaphoreMadeFirstWithNoCountLeavesKeysDroppedUntilReleased)
{
    const HANDLE semaphore = ::CreateSemaphoreA(nullptr, 0, 1, "MERK_Semaphore");
    ASSERT_NE(semaphore, nullptr);
    ASSERT_TRUE(m_s.Start(0x1F));
    EXPECT_EQ(ReadsForRadioKey(), 0u);
    ::ReleaseSemaphore(semaphore, 1, nullptr);
    EXPECT_EQ(ReadsForRadioKey(), 1u);
    ::CloseHandle(semaphore);
}

// The semaphore's name taken by another kind of object: no semaphore, so
// every key is dropped; the menu's "&Option" still opens the panel.
TEST_F(Faults, SemaphoreNameTakenByAnEventDropsKeysOnly)
{
    const HANDLE squatter = ::CreateEventA(nullptr, TRUE, FALSE, "MERK_Semaphore");
    ASSERT_NE(squatter, nullptr);
    ASSERT_TRUE(m_s.Start(0x1F));
    EXPECT_EQ(ReadsForRadioKey(), 0u);
    PressScanCode(0x04, true);
    ::Sleep(SETTLE_MS);
    EXPECT_TRUE(VisibleDialogsOf(m_s.Pid()).empty());
    const HWND hDlg = OpenByOption(Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    SendKey(hDlg, KEY_DOWN, SC_ENTER);
    EXPECT_TRUE(WaitForNoDialog(m_s.Pid()));
    EXPECT_EQ(m_s.Close(), 0u);
    ::CloseHandle(squatter);
}

// An event's name taken by another kind of object: start-up ends quietly.
TEST_F(Faults, EventNameTakenByAMutexEndsStartUpQuietly)
{
    CFirmwareProbe::UseInstance(FIRMWARE_INSTANCE);
    for (const char* name : { "TorvaneNotifyEvent", "TorvaneCloseEvent" }) {
        const HANDLE squatter = ::CreateMutexA(nullptr, FALSE, name);
        ASSERT_NE(squatter, nullptr);
        EXPECT_EQ(CRavoProcess::Run(""), 0u) << name;
        EXPECT_EQ(FindRavoWindow(), nullptr);
        ::CloseHandle(squatter);
    }
}

// The single-instance mutex made first by another program: the program
// takes it for a running copy and leaves.
TEST_F(Faults, InstanceMutexMadeFirstByAnotherProgram)
{
    CFirmwareProbe::UseInstance(FIRMWARE_INSTANCE);
    const HANDLE squatter = ::CreateMutexA(nullptr, FALSE, "TorvaneClass");
    ASSERT_NE(squatter, nullptr);
    EXPECT_EQ(CRavoProcess::Run(""), 0u);
    EXPECT_EQ(FindRavoWindow(), nullptr);
    ::CloseHandle(squatter);
    ASSERT_TRUE(m_s.Start(0x1F));  // once it is gone, the next start runs
    EXPECT_EQ(m_s.Close(), 0u);
}
