// Input the program does not choose: command lines, floods and random
// parameters from other programs, and whatever the registry holds for the
// About box. Nothing may crash, only the documented rules may act, and
// nothing may be written that should not be.
#include "E2eSupport.h"
#include "support/KeyInput.h"
#include "RadioModel.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace e2e;

namespace {


// The program's rule: the first argument that is not a switch (leading
// '/' or '-') is compared with "Close", byte for byte.
bool ClosesRunningCopy(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (!arg.empty() && (arg[0] == '/' || arg[0] == '-'))
            continue;
        return arg == "Close";
    }
    return false;
}

// A command line whose arguments parse back to args.
std::string CommandLineOf(const std::vector<std::string>& args)
{
    std::string line;
    for (const std::string& arg : args) {
        if (!line.empty())
            line += ' ';
        if (arg.find_first_of(" \t") != std::string::npos)
            line += '"' + arg + '"';
        else
            line += arg;
    }
    return line;
}

std::string Describe(const std::vector<std::string>& args)
{
    std::string text = CommandLineOf(args);
    if (text.size() > 80)
        text = text.substr(0, 80) + "... (" + std::to_string(text.size()) + " characters)";
    return "arguments: [" + text + "]";
}

// Hand-picked lines: "Close" in several positions and spellings, quoting,
// switches, non-ASCII and length.
std::vector<std::vector<std::string>> PickedCommandLines()
{
    const std::string longWord(20000, 'A');
    return {
        {},
        { "Close" },
        { "close" }, { "CLOSE" }, { "cLoSe" }, { "Close." }, { "Closed" }, { "XClose" },
        { "/Close" }, { "-Close" }, { "/close" }, { "--Close" },
        { "/x", "Close" }, { "-a", "/b", "Close", "more" }, { "Close", "Close" },
        { "other", "Close" }, { "close", "Close" }, { "Close now" }, { "/Close now", "Close" },
        { "Clos\xE9" }, { "\xC7lose" }, { "Close\xA0" }, { "\xE9", "Close" }, { "/\xE9", "Close" },
        { "\xD0\x97\xD0\xB0\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C" },
        { longWord }, { "/" + longWord, "Close" }, { longWord, "Close" },
        std::vector<std::string>(300, "-switch"),
    };
}

// Random lines from a vocabulary of troublesome words.
std::vector<std::vector<std::string>> RandomCommandLines(int count)
{
    const std::vector<std::string> words = {
        "Close", "close", "CLOSE", "/Close", "-Close", "/", "-", "x", "Close me", "\xE9t\xE9",
        "C:\\Program Files\\Ravo", "%TEMP%", "Clo se", "Close\t", "/quiet", "-q", "\xFF\xFE",
    };
    std::mt19937 random(7u);
    std::vector<std::vector<std::string>> lines;
    for (int i = 0; i < count; ++i) {
        std::vector<std::string> args(random() % 5);
        for (std::string& arg : args)
            arg = words[random() % words.size()];
        lines.push_back(args);
    }
    return lines;
}

class BadInput : public ::testing::Test {
protected:
    // Requests the firmware has seen since the last call.
    DWORD NewRequests() { return m_requests.Take(); }

    // Waits until the copy has handled what it was sent and the firmware has
    // stopped counting requests.
    void WaitIdle()
    {
        DWORD last = FirmwareRequestCount();
        for (;;) {
            ASSERT_TRUE(Responsive(m_s.Wnd(), 60000));
            ::Sleep(200);
            const DWORD now = FirmwareRequestCount();
            if (now == last)
                return;
            last = now;
        }
    }

    // Still running, answering, refreshing once per cause, and the hook
    // still turns one radio key into one read.
    void ExpectStillCorrect(BYTE status)
    {
        EXPECT_TRUE(m_s.Process().IsRunning());
        ASSERT_TRUE(Responsive(m_s.Wnd()));
        m_s.Firmware().SetStatus(status);
        NewRequests();
        ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0);
        EXPECT_TRUE(m_s.WaitForTrayOf(status));
        WaitIdle();
        EXPECT_EQ(NewRequests(), 1u);
        EXPECT_EQ(RequestsForRadioKey(m_s.Wnd()), 1u);
        NewRequests();
        EXPECT_TRUE(VisibleDialogsOf(m_s.Pid()).empty());
        EXPECT_TRUE(MenusOf(m_s.Pid()).empty());
    }

    CSession m_s;
    CRequestCounter m_requests;
};

BOOL RegistryKeyExists(HKEY root, const char* path)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
}

const char FRAMEWORK_KEY[] = "Software\\Local AppWizard-Generated Applications";

}  // namespace

// With a copy running, only the rule closes it; every other line leaves
// quietly. Either way the second copy exits with 0 and reads nothing.
TEST_F(BadInput, CommandLinesWithACopyRunning)
{
    const BOOL frameworkKeyBefore = RegistryKeyExists(HKEY_CURRENT_USER, FRAMEWORK_KEY);
    ASSERT_TRUE(m_s.Start(0x1F));
    m_s.Firmware().Mark();
    std::vector<std::vector<std::string>> lines = PickedCommandLines();
    for (const auto& line : RandomCommandLines(40))
        lines.push_back(line);
    int closed = 0;
    for (const auto& args : lines) {
        SCOPED_TRACE(Describe(args));
        if (!m_s.Process().IsRunning()) {
            ASSERT_TRUE(m_s.Start(0x1F));
        }
        NewRequests();
        EXPECT_EQ(CRavoProcess::Run(CommandLineOf(args)), 0u);
        if (ClosesRunningCopy(args)) {
            ++closed;
            EXPECT_EQ(m_s.Process().WaitForExit(), 0u);
            EXPECT_TRUE(WaitForNoRavoWindow());
        } else {
            EXPECT_TRUE(Responsive(m_s.Wnd()));
            EXPECT_TRUE(m_s.Process().IsRunning());
            EXPECT_EQ(FindRavoWindow(), m_s.Wnd());
            EXPECT_EQ(NewRequests(), 0u);
        }
    }
    EXPECT_GT(closed, 5);
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());
    EXPECT_EQ(RegistryKeyExists(HKEY_CURRENT_USER, FRAMEWORK_KEY), frameworkKeyBefore);
}

// With no copy running, a closing line starts nothing; any other line
// becomes the running copy.
TEST_F(BadInput, CommandLinesWithNoCopyRunning)
{
    CFirmwareProbe::UseInstance(FIRMWARE_INSTANCE);
    const std::vector<std::vector<std::string>> lines = {
        { "Close" }, { "/x", "Close", "y" }, { "Close", "other" },
        { "close" }, { "/Close" }, { "Clos\xE9" }, { std::string(20000, 'B') }, { "other", "Close" },
    };
    for (const auto& args : lines) {
        SCOPED_TRACE(Describe(args));
        ASSERT_TRUE(WaitForNoRavoWindow());
        CRavoProcess ravo;
        ASSERT_TRUE(ravo.Start(CommandLineOf(args)));
        if (ClosesRunningCopy(args)) {
            EXPECT_EQ(ravo.WaitForExit(), 0u);
            EXPECT_EQ(FindRavoWindow(), nullptr);
        } else {
            EXPECT_NE(ravo.WaitForMainWindow(15000), nullptr);
            EXPECT_EQ(ravo.Close(), 0u);
        }
    }
}

// 10,000 refresh messages: one read for each handled, then business as usual.
TEST_F(BadInput, FloodOfRefreshMessages)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    WaitIdle();
    NewRequests();
    DWORD posted = 0;
    for (int i = 0; i < 10000; ++i) {
        if (i == 5000)
            m_s.Firmware().SetStatus(0x1D);
        posted += ::PostMessageA(m_s.Wnd(), WM_STATUS_CHANGED, 0, 0) ? 1 : 0;
    }
    WaitIdle();
    const DWORD reads = NewRequests();
    std::printf("refresh messages posted %lu, firmware reads %lu\n", posted, reads);
    EXPECT_GT(posted, 0u);
    EXPECT_EQ(reads, posted);
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1D));
    ExpectStillCorrect(0x1E);
}

// 10,000 signals of the notify event: they may merge, but never make more
// reads than signals, and at least one.
TEST_F(BadInput, FloodOfNotifySignals)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    WaitIdle();
    const HANDLE notify = ::CreateEventA(nullptr, FALSE, FALSE, RAVO_NOTIFY_EVENT);
    ASSERT_NE(notify, nullptr);
    m_s.Firmware().SetStatus(0x1C);
    NewRequests();
    for (int i = 0; i < 10000; ++i)
        ::SetEvent(notify);
    WaitIdle();
    const DWORD reads = NewRequests();
    std::printf("notify signals 10000, firmware reads %lu\n", reads);
    EXPECT_GE(reads, 1u);
    EXPECT_LE(reads, 10000u);
    EXPECT_TRUE(m_s.WaitForTrayOf(0x1C));
    ::SetEvent(notify);
    WaitIdle();
    EXPECT_EQ(NewRequests(), 1u);
    ::CloseHandle(notify);
    ExpectStillCorrect(0x1D);
}

namespace {

// Random message parameters: a third anywhere in 32 bits, a third small, a
// third from the values that mean something.
DWORD RandomParameter(std::mt19937& random, const std::vector<DWORD>& meaningful)
{
    switch (random() % 3) {
    case 0: return static_cast<DWORD>(random());
    case 1: return static_cast<DWORD>(random() % 0x200);
    default: return meaningful[random() % meaningful.size()];
    }
}

}  // namespace

// Random key events posted to the frame: only a radio event press reads.
// (The hotkey press is left out: it opens a display, which the walk covers.)
TEST_F(BadInput, RandomHookKeyMessages)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    WaitIdle();
    std::mt19937 random(11u);
    DWORD expected = 0;
    NewRequests();
    for (int i = 0; i < 3000; ++i) {
        const DWORD flags = RandomParameter(random, { 0x00, 0x01, 0x10, 0x11, 0x80, 0x81, 0x91, 0x20 });
        const DWORD scan = RandomParameter(random, { 0x71, 0x04, 0x62, 0x4B, 0x4D, 0x1C, 0x171, 0x10071 });
        if (scan == SC_OSD_HOTKEY && (flags & KEY_EXTENDED) && !(flags & KEY_UP))
            continue;
        if (::PostMessageA(m_s.Wnd(), WM_HOOKKEY, flags, scan) &&
            scan == SC_RADIO_EVENT && !(flags & KEY_UP))
            ++expected;
    }
    WaitIdle();
    EXPECT_EQ(NewRequests(), expected);
    EXPECT_TRUE(m_s.Firmware().WritesSinceMark().empty());
    ExpectStillCorrect(0x1E);
}

// Random tray notifications: nothing but a right-click or a double-click on
// the icon's own id does anything (those two are left out here).
TEST_F(BadInput, RandomTrayNotifications)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    WaitIdle();
    std::mt19937 random(13u);
    NewRequests();
    for (int i = 0; i < 3000; ++i) {
        const DWORD id = RandomParameter(random, { 128, 0, 127, 129, 0x10080 });
        const DWORD mouse = RandomParameter(random, { WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                      WM_RBUTTONDOWN, WM_RBUTTONUP,
                                                      WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK,
                                                      WM_MBUTTONUP, 0x10205, 0x10203 });
        if (id == TRAY_ICON_ID && (mouse == WM_RBUTTONUP || mouse == WM_LBUTTONDBLCLK))
            continue;
        ::PostMessageA(m_s.Wnd(), WM_TRAY_NOTIFY, id, mouse);
    }
    WaitIdle();
    EXPECT_EQ(NewRequests(), 0u);
    ExpectStillCorrect(0x1D);
}

// Random power events: only the two resume events read.
TEST_F(BadInput, RandomPowerEvents)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    WaitIdle();
    std::mt19937 random(17u);
    DWORD expected = 0;
    NewRequests();
    for (int i = 0; i < 3000; ++i) {
        const DWORD event = RandomParameter(random, { 0, 4, 5, 6, 7, 8, 9, 0xA, 0xB, 0x12, 0x18, 0x8013 });
        if (::PostMessageA(m_s.Wnd(), WM_POWERBROADCAST, event, static_cast<DWORD>(random())) &&
            (event == PBT_APMRESUMESUSPEND || event == PBT_APMRESUMEAUTOMATIC))
            ++expected;
    }
    WaitIdle();
    EXPECT_EQ(NewRequests(), expected);
    // Every event is granted, also a suspend query.
    LRESULT answer = 0;
    ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_POWERBROADCAST, 0 /* query suspend */, 0, 10000, &answer));
    EXPECT_EQ(answer, TRUE);
    ExpectStillCorrect(0x1C);
}

// Random session events: connect and unlock read; afterwards the hook is
// where the last connect, disconnect, lock and unlock leave it.
TEST_F(BadInput, RandomSessionEvents)
{
    ASSERT_TRUE(m_s.Start(0x1F));
    WaitIdle();
    std::mt19937 random(19u);
    DWORD expected = 0;
    bool hooked = true;
    bool disconnected = false;
    NewRequests();
    for (int i = 0; i < 3000; ++i) {
        const DWORD code = RandomParameter(random, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB });
        if (!::PostMessageA(m_s.Wnd(), WM_WTSSESSION_CHANGE, code, static_cast<DWORD>(random())))
            continue;
        switch (code) {
        case WTS_CONSOLE_CONNECT: hooked = true; disconnected = false; ++expected; break;
        case WTS_CONSOLE_DISCONNECT: disconnected = true; break;
        case WTS_SESSION_LOCK: hooked = false; break;
        case WTS_SESSION_UNLOCK: hooked = hooked || !disconnected; ++expected; break;
        }
    }
    WaitIdle();
    EXPECT_EQ(NewRequests(), expected);
    EXPECT_EQ(RequestsForRadioKey(m_s.Wnd()), hooked ? 1u : 0u)
        << "hook " << (hooked ? "expected" : "not expected");
    // Connect brings the hook back whatever came before.
    ASSERT_TRUE(SendTimed(m_s.Wnd(), WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT, 1));
    NewRequests();
    ExpectStillCorrect(0x1D);
}

namespace {

// The version line of an About box opened now; "" if none opened.
std::string AboutLine(CSession& session)
{
    ::PostMessageA(session.Wnd(), WM_COMMAND, ID_APP_ABOUT, 0);
    const HWND hAbout = WaitForDialog(session.Pid(), Osd::About);
    if (hAbout == nullptr)
        return std::string();
    const std::string line = ControlText(hAbout, IDC_VERSION);
    ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
    WaitForNoDialog(session.Pid());
    return line;
}

// What the box shows for raw value bytes: up to the first zero byte, and
// nothing when the value needs more than 20 bytes.
std::string ExpectedLine(const std::vector<BYTE>& data)
{
    std::string line = "Ravo Ver ";
    if (data.size() > 20)
        return line;
    for (BYTE b : data) {
        if (b == 0)
            break;
        line += static_cast<char>(b);
    }
    return line;
}

}  // namespace

// Version values of every length from 0 to 64 bytes, as strings and as raw
// bytes, and of other types: only what fits in 20 bytes shows, up to its
// first zero byte. The program never writes the value.
TEST_F(BadInput, RegistryVersionValuesOfEveryLengthAndType)
{
    CVersionValue version;
    ASSERT_TRUE(version.Remove());
    ASSERT_TRUE(m_s.Start(0x1F));
    EXPECT_EQ(AboutLine(m_s), "Ravo Ver ");

    const std::string text = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!?";
    for (DWORD size = 0; size <= 64; ++size) {
        // A string value of size bytes, its terminating zero included.
        std::vector<BYTE> data(text.begin(), text.begin() + size);
        if (size > 0)
            data.back() = 0;
        ASSERT_TRUE(version.Set(REG_SZ, data.data(), size));
        EXPECT_EQ(AboutLine(m_s), ExpectedLine(data)) << "string value of " << size << " bytes";

        // Raw bytes without any zero.
        data.assign(text.begin(), text.begin() + size);
        ASSERT_TRUE(version.Set(REG_BINARY, data.data(), size));
        EXPECT_EQ(AboutLine(m_s), ExpectedLine(data)) << "binary value of " << size << " bytes";
    }

    struct Typed { DWORD type; std::vector<BYTE> data; const char* line; } typed[] = {
        { REG_DWORD, { '1', '2', '3', 0 }, "Ravo Ver 123" },
        { REG_DWORD, { '4', '3', '2', '1' }, "Ravo Ver 4321" },
        { REG_DWORD_BIG_ENDIAN, { 0, '1', '2', '3' }, "Ravo Ver " },
        { REG_QWORD, { 'v', '1', '.', '0', 0, 'x', 'y', 'z' }, "Ravo Ver v1.0" },
        { REG_MULTI_SZ, { 'a', 'b', 0, 'c', 'd', 0, 0 }, "Ravo Ver ab" },
        { REG_EXPAND_SZ, { '%', 'T', 'E', 'M', 'P', '%', 0 }, "Ravo Ver %TEMP%" },
        { REG_NONE, { 'x', 'y', 'z' }, "Ravo Ver xyz" },
        { REG_BINARY, { 0, 'a', 'b' }, "Ravo Ver " },
        { REG_BINARY, { 0xE9, 't', 0xE9 }, "Ravo Ver \xE9t\xE9" },
        { REG_LINK, { 'l', 'n', 'k' }, "Ravo Ver lnk" },
        { 0x12345678, { 'o', 'd', 'd' }, "Ravo Ver odd" },
    };
    for (const Typed& value : typed) {
        ASSERT_TRUE(version.Set(value.type, value.data.data(), static_cast<DWORD>(value.data.size())));
        EXPECT_EQ(AboutLine(m_s), value.line) << "type " << value.type;
    }

    // The box only reads: the last value is still there as it was set.
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\RAVO", 0, KEY_READ, &hKey), ERROR_SUCCESS);
    DWORD type = 0;
    BYTE data[16] = {};
    DWORD size = sizeof(data);
    EXPECT_EQ(::RegQueryValueExA(hKey, "Version", nullptr, &type, data, &size), ERROR_SUCCESS);
    ::RegCloseKey(hKey);
    EXPECT_EQ(type, 0x12345678u);
    EXPECT_EQ(size, 3u);
    EXPECT_TRUE(Responsive(m_s.Wnd()));
    EXPECT_EQ(m_s.Close(), 0u);
}
