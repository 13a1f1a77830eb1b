// Opening, applying and closing the displays many times leaves the
// program's resources where they were: kernel handles, USER and GDI objects
// (where the platform counts them), windows, and private memory. The
// figures are printed; Wine counts no USER objects, so the program's
// windows stand in for them.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const int WARM_UP_CYCLES = 20;
const int CYCLES = 500;

// Allowed growth after the cycles: a few handles or objects that the
// platform may cache, and far less memory than one leaked icon per cycle.
// Wine 8 itself keeps some 50 to 90 bytes for every icon loaded from a
// module's resources and destroyed again (a plain program that only loads
// and destroys its own icons grows the same way); the selection panel loads
// four per run, about 200 KB over the 500 runs.
const DWORD HANDLE_SLACK = 16;
const DWORD OBJECT_SLACK = 16;
const int WINDOW_SLACK = 0;
const SIZE_T MEMORY_SLACK = 1024 * 1024;

struct Figures {
    DWORD handles = 0;
    DWORD userObjects = 0;
    DWORD gdiObjects = 0;
    int windows = 0;
    SIZE_T privateBytes = 0;
};

// Wine answers GetProcessHandleCount with 0; its list of the system's
// handles has an entry, with the owner's id, for every handle.
DWORD HandleCountOf(HANDLE hProcess, DWORD pid)
{
    DWORD count = 0;
    if (::GetProcessHandleCount(hProcess, &count) && count != 0)
        return count;
    struct Entry {
        USHORT processId;
        USHORT creatorBackTraceIndex;
        UCHAR objectType;
        UCHAR attributes;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    struct Table {
        ULONG count;
        Entry entries[1];
    };
    using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    const ULONG SYSTEM_HANDLE_INFORMATION = 16;
    const LONG STATUS_INFO_LENGTH_MISMATCH = static_cast<LONG>(0xC0000004);
    if (query == nullptr)
        return 0;
    std::vector<BYTE> buffer(256 * 1024);
    LONG status;
    ULONG needed = 0;
    while ((status = query(SYSTEM_HANDLE_INFORMATION, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &needed)) ==
           STATUS_INFO_LENGTH_MISMATCH)
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    for (ULONG i = 0; i < table->count; ++i)
        count += table->entries[i].processId == static_cast<USHORT>(pid) ? 1 : 0;
    return count;
}

// Wine answers GetGuiResources with 0 but keeps each process's GDI handle
// table where Windows does, at the PEB's GdiSharedHandleTable: 65536 entries
// of 24 bytes, a used one with a non-zero type. 0 when it cannot be read.
DWORD GdiObjectCountOf(HANDLE hProcess)
{
    const DWORD count = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
    if (count != 0)
        return count;
#pragma pack(push, 1)
    struct Entry {
        unsigned long long object;
        ULONG owner;
        USHORT unique;
        UCHAR type;
        UCHAR flags;
        unsigned long long user;
    };
#pragma pack(pop)
    static_assert(sizeof(Entry) == 24, "GDI handle entry");
    struct BasicInformation {
        LONG exitStatus;
        PVOID pebBaseAddress;
        ULONG_PTR affinityMask;
        LONG basePriority;
        ULONG_PTR processId;
        ULONG_PTR parentProcessId;
    };
    using QueryFn = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    const ULONG PROCESS_BASIC_INFORMATION_CLASS = 0;
    const SIZE_T PEB_GDI_SHARED_HANDLE_TABLE = sizeof(void*) == 4 ? 0x94 : 0xF8;
    BasicInformation basic = {};
    ULONG length = 0;
    if (query == nullptr ||
        query(hProcess, PROCESS_BASIC_INFORMATION_CLASS, &basic, sizeof(basic), &length) != 0)
        return 0;
    PVOID table = nullptr;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(hProcess, static_cast<BYTE*>(basic.pebBaseAddress) +
                             PEB_GDI_SHARED_HANDLE_TABLE, &table, sizeof(table), &read) ||
        table == nullptr)
        return 0;
    std::vector<Entry> entries(0x10000);
    if (!::ReadProcessMemory(hProcess, table, entries.data(), entries.size() * sizeof(Entry), &read))
        return 0;
    DWORD used = 0;
    for (const Entry& entry : entries)
        used += entry.type != 0 ? 1 : 0;
    return used;
}

Figures Measure(CSession& s)
{
    Figures f;
    f.handles = HandleCountOf(s.Process().Handle(), s.Pid());
    f.userObjects = ::GetGuiResources(s.Process().Handle(), GR_USEROBJECTS);
    f.gdiObjects = GdiObjectCountOf(s.Process().Handle());
    f.windows = CountWindowsOf(s.Pid());
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    // Wine leaves PrivateUsage at 0; its page-file usage is the same figure
    // (the committed private memory), also on Windows.
    if (::GetProcessMemoryInfo(s.Process().Handle(),
                               reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory)))
        f.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    return f;
}

std::string Count(DWORD value)
{
    return value == 0 ? "n/a" : std::to_string(value);
}

void Print(const char* what, const Figures& before, const Figures& after)
{
    std::printf("%s, %d cycles:\n", what, CYCLES);
    std::printf("  handles        %8s -> %s\n", Count(before.handles).c_str(), Count(after.handles).c_str());
    std::printf("  USER objects   %8s -> %s\n", Count(before.userObjects).c_str(),
                Count(after.userObjects).c_str());
    std::printf("  GDI objects    %8s -> %s\n", Count(before.gdiObjects).c_str(),
                Count(after.gdiObjects).c_str());
    std::printf("  windows        %8d -> %d\n", before.windows, after.windows);
    std::printf("  private bytes  %8lu -> %lu\n", static_cast<unsigned long>(before.privateBytes),
                static_cast<unsigned long>(after.privateBytes));
    std::fflush(stdout);
}

void ExpectWithinBounds(const Figures& before, const Figures& after)
{
    EXPECT_LE(after.handles, before.handles + HANDLE_SLACK);
    EXPECT_LE(after.userObjects, before.userObjects + OBJECT_SLACK);
    EXPECT_LE(after.gdiObjects, before.gdiObjects + OBJECT_SLACK);
    EXPECT_LE(after.windows, before.windows + WINDOW_SLACK);
    EXPECT_LE(after.privateBytes, before.privateBytes + MEMORY_SLACK);
}

// One run of a display opened from the menu's "&Option": the selection
// panel moves one choice and applies it, the notice is closed with Enter.
::testing::AssertionResult Cycle(CSession& s, Osd kind)
{
    ::PostMessageA(s.Wnd(), WM_COMMAND, ID_OPTION, 0);
    const HWND hDlg = WaitForDialog(s.Pid(), kind);
    if (hDlg == nullptr)
        return ::testing::AssertionFailure() << "the display did not open";
    if (kind == Osd::Selection)
        SendKey(hDlg, KEY_DOWN, SC_RIGHT);
    ::PostMessageA(hDlg, WM_HOOKKEY, KEY_DOWN, SC_ENTER);
    if (!WaitForNoDialog(s.Pid()) || !Responsive(s.Wnd()))
        return ::testing::AssertionFailure() << "the display did not close";
    return ::testing::AssertionSuccess();
}

void RunCycles(CSession& s, Osd kind, const char* what)
{
    for (int i = 0; i < WARM_UP_CYCLES; ++i)
        ASSERT_TRUE(Cycle(s, kind)) << "warm-up cycle " << i;
    const Figures before = Measure(s);
    for (int i = 0; i < CYCLES; ++i)
        ASSERT_TRUE(Cycle(s, kind)) << "cycle " << i;
    const Figures after = Measure(s);
    Print(what, before, after);
    ExpectWithinBounds(before, after);
}

}  // namespace

TEST(Leaks, SelectionPanelOpenApplyClose)
{
    CSession s;
    ASSERT_TRUE(s.Start(0x1D));
    s.Firmware().Mark();
    RunCycles(s, Osd::Selection, "selection panel");
    EXPECT_FALSE(s.Firmware().WritesSinceMark().empty());
    EXPECT_EQ(s.Close(), 0u);
}

TEST(Leaks, SwitchOffNoticeOpenClose)
{
    CSession s;
    ASSERT_TRUE(s.Start(0x0C));
    s.Firmware().Mark();
    RunCycles(s, Osd::Notice, "switch-off notice");
    EXPECT_TRUE(s.Firmware().WritesSinceMark().empty());
    EXPECT_EQ(s.Close(), 0u);
}
