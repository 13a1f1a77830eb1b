// The keyboard hook with real key events: keys are injected with SendInput
// as scan codes, and the hook procedure runs on this thread while it pumps
// messages.
#include "hook/KeyboardHook.h"
#include "support/KeyInput.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Event {
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool bQueued;  // taken from the message queue, not sent
};

std::vector<Event> s_events;
const MSG* s_pDispatching;  // the queued message Pump is dispatching

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HOOKKEY || message == WM_KEYDOWN || message == WM_KEYUP)
        s_events.push_back({ hWnd, message, wParam, lParam,
                             s_pDispatching != nullptr && s_pDispatching->hwnd == hWnd &&
                                 s_pDispatching->message == message });
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND CreateRecorder(DWORD style)
{
    static ATOM atom = 0;
    if (atom == 0) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "RavoHookTestWnd";
        atom = ::RegisterClassA(&wc);
    }
    return ::CreateWindowExA(0, "RavoHookTestWnd", "", style, 20, 20, 120, 80, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

void Pump(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < ms) {
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            s_pDispatching = &msg;
            ::DispatchMessageA(&msg);
            s_pDispatching = nullptr;
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
}

void SendKey(WORD scanCode, bool extended, bool up)
{
    ASSERT_TRUE(SendScanCode(scanCode, extended, up));
}

// A press held long enough for Wine to deliver it reliably, then the release.
void PressKey(WORD scanCode, bool extended)
{
    SendKey(scanCode, extended, false);
    Pump(150);
    SendKey(scanCode, extended, true);
    Pump(150);
}

// The WM_HOOKKEY messages that hWnd received, as (flags, scan code).
std::vector<std::pair<WPARAM, LPARAM>> HookKeysOf(HWND hWnd)
{
    std::vector<std::pair<WPARAM, LPARAM>> keys;
    for (const Event& e : s_events)
        if (e.hWnd == hWnd && e.message == WM_HOOKKEY)
            keys.emplace_back(e.wParam, e.lParam);
    return keys;
}

using Keys = std::vector<std::pair<WPARAM, LPARAM>>;

// Injected events carry LLKHF_INJECTED (0x10) besides the press/release and
// extended bits; the hook forwards all of them.
constexpr WPARAM DOWN = LLKHF_INJECTED;
constexpr WPARAM UP = LLKHF_INJECTED | LLKHF_UP;
constexpr WPARAM EXT = LLKHF_EXTENDED;

class KeyboardHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s_events.clear();
        m_hTarget = CreateRecorder(WS_POPUP);
        m_hFocus = CreateRecorder(WS_POPUP | WS_VISIBLE);
        ASSERT_NE(m_hTarget, nullptr);
        ASSERT_NE(m_hFocus, nullptr);
        ::SetForegroundWindow(m_hFocus);
        ::SetFocus(m_hFocus);
        Pump(100);
        s_events.clear();
    }

    void TearDown() override
    {
        m_hook.Uninstall();
        ::DestroyWindow(m_hTarget);
        ::DestroyWindow(m_hFocus);
    }

    CKeyboardHook m_hook;
    HWND m_hTarget = nullptr;
    HWND m_hFocus = nullptr;
};

TEST_F(KeyboardHookTest, PostsEveryKeyEventToTheTargetAndPassesItOn)
{
    ASSERT_TRUE(m_hook.Install(m_hTarget, ::GetModuleHandleA(nullptr)));

    PressKey(0x1E, false);                  // an ordinary key ('A')
    PressKey(static_cast<WORD>(SC_LEFT), true);
    SendKey(static_cast<WORD>(SC_OSD_HOTKEY), true, false);  // held: one post per repeat
    Pump(150);
    SendKey(static_cast<WORD>(SC_OSD_HOTKEY), true, false);
    Pump(150);
    SendKey(static_cast<WORD>(SC_OSD_HOTKEY), true, true);
    Pump(150);

    const Keys expected = {
        { DOWN, 0x1E }, { UP, 0x1E },
        { DOWN | EXT, SC_LEFT }, { UP | EXT, SC_LEFT },
        { DOWN | EXT, SC_OSD_HOTKEY }, { DOWN | EXT, SC_OSD_HOTKEY }, { UP | EXT, SC_OSD_HOTKEY },
    };
    EXPECT_EQ(HookKeysOf(m_hTarget), expected);
    EXPECT_TRUE(HookKeysOf(m_hFocus).empty());

    // Posted, never sent.
    for (const Event& e : s_events) {
        if (e.message == WM_HOOKKEY) {
            EXPECT_TRUE(e.bQueued);
        }
    }

    // Each event also reached the focused window, in order, as a key message.
    std::vector<std::pair<UINT, UINT>> focusKeys;  // (message, scan code with extended bit)
    for (const Event& e : s_events)
        if (e.hWnd == m_hFocus && (e.message == WM_KEYDOWN || e.message == WM_KEYUP))
            focusKeys.emplace_back(e.message, static_cast<UINT>(e.lParam >> 16) & 0x1FF);
    const std::vector<std::pair<UINT, UINT>> expectedFocus = {
        { WM_KEYDOWN, 0x1E }, { WM_KEYUP, 0x1E },
        { WM_KEYDOWN, 0x14B }, { WM_KEYUP, 0x14B },
        { WM_KEYDOWN, 0x104 }, { WM_KEYDOWN, 0x104 }, { WM_KEYUP, 0x104 },
    };
    EXPECT_EQ(focusKeys, expectedFocus);
}

// The target is class-wide, so a leftover first hook would post every event
// to the second target twice.
TEST_F(KeyboardHookTest, SecondInstallLeavesOneHookAimedAtTheSecondTarget)
{
    const HWND hSecond = CreateRecorder(WS_POPUP);
    CKeyboardHook other;  // another handle on the same hook
    ASSERT_TRUE(m_hook.Install(m_hTarget, ::GetModuleHandleA(nullptr)));
    ASSERT_TRUE(other.Install(hSecond, ::GetModuleHandleA(nullptr)));

    PressKey(static_cast<WORD>(SC_ENTER), false);
    const Keys expected = { { DOWN, SC_ENTER }, { UP, SC_ENTER } };
    EXPECT_EQ(HookKeysOf(hSecond), expected);
    EXPECT_TRUE(HookKeysOf(m_hTarget).empty());

    // One Uninstall, through either handle, leaves no hook at all.
    EXPECT_TRUE(m_hook.Uninstall());
    s_events.clear();
    PressKey(static_cast<WORD>(SC_ENTER), false);
    EXPECT_TRUE(HookKeysOf(hSecond).empty());
    EXPECT_TRUE(HookKeysOf(m_hTarget).empty());
    ::DestroyWindow(hSecond);
}

// The procedure is called directly here: that shows the current target
// without a hook installed, and that all 32 bits of both fields go through.
TEST_F(KeyboardHookTest, UninstallWithoutHookChangesNothingAndKeepsTheTarget)
{
    ASSERT_TRUE(m_hook.Install(m_hTarget, ::GetModuleHandleA(nullptr)));
    EXPECT_TRUE(m_hook.Uninstall());
    EXPECT_FALSE(m_hook.Uninstall());

    KBDLLHOOKSTRUCT event = {};
    event.scanCode = 0x1234ABCD;
    event.flags = 0x80000091;
    EXPECT_EQ(CKeyboardHook::KeyboardProc(HC_ACTION, WM_KEYUP, reinterpret_cast<LPARAM>(&event)), 0);
    Pump(50);
    const Keys expected = { { 0x80000091, 0x1234ABCD } };
    EXPECT_EQ(HookKeysOf(m_hTarget), expected);
}

// A thread whose desktop handle lacks DESKTOP_HOOKCONTROL cannot install
// hooks: SetWindowsHookExA fails there with ERROR_ACCESS_DENIED.
DWORD WINAPI InstallWithoutHookAccess(void* param)
{
    const HWND hTarget = static_cast<HWND>(param);
    const HDESK hDesktop = ::GetThreadDesktop(::GetCurrentThreadId());
    const HDESK hRestricted = ::OpenDesktopA(
        "Default", 0, FALSE, DESKTOP_CREATEWINDOW | DESKTOP_READOBJECTS | DESKTOP_WRITEOBJECTS);
    if (hRestricted == nullptr || !::SetThreadDesktop(hRestricted))
        return 2;
    CKeyboardHook hook;
    const BOOL installed = hook.Install(hTarget, ::GetModuleHandleA(nullptr));
    ::SetThreadDesktop(hDesktop);
    ::CloseDesktop(hRestricted);
    return installed ? 1 : 0;
}

TEST_F(KeyboardHookTest, FailedInstallStillChangesTheTargetButPostsNothing)
{
    const HWND hSecond = CreateRecorder(WS_POPUP);
    ASSERT_TRUE(m_hook.Install(m_hTarget, ::GetModuleHandleA(nullptr)));
    m_hook.Uninstall();

    const HANDLE hThread = ::CreateThread(nullptr, 0, InstallWithoutHookAccess, hSecond, 0, nullptr);
    ASSERT_NE(hThread, nullptr);
    ASSERT_EQ(::WaitForSingleObject(hThread, 5000), WAIT_OBJECT_0);
    DWORD result = 3;
    ::GetExitCodeThread(hThread, &result);
    ::CloseHandle(hThread);
    ASSERT_EQ(result, 0u) << "the install without hook access was expected to fail";

    PressKey(0x1E, false);
    EXPECT_TRUE(HookKeysOf(m_hTarget).empty());
    EXPECT_TRUE(HookKeysOf(hSecond).empty());

    // The failed Install named the new target ...
    KBDLLHOOKSTRUCT event = {};
    event.scanCode = SC_RADIO_EVENT;
    CKeyboardHook::KeyboardProc(HC_ACTION, WM_KEYDOWN, reinterpret_cast<LPARAM>(&event));
    Pump(50);
    const Keys direct = { { 0, SC_RADIO_EVENT } };
    EXPECT_EQ(HookKeysOf(hSecond), direct);

    // ... and a later successful one brings the posts back.
    s_events.clear();
    ASSERT_TRUE(m_hook.Install(hSecond, ::GetModuleHandleA(nullptr)));
    PressKey(0x1E, false);
    const Keys expected = { { DOWN, 0x1E }, { UP, 0x1E } };
    EXPECT_EQ(HookKeysOf(hSecond), expected);
    ::DestroyWindow(hSecond);
}

}  // namespace
