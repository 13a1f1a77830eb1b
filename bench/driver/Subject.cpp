#include "Subject.h"

#include "BenchProtocol.h"
#include "Clock.h"
#include "HostProc.h"
#include "shared/ExternalNames.h"

#include <psapi.h>

#include <vector>

const SubjectKind RAVO = { "ravo", "Ravo.exe", RAVO_CLASS_NAME, true };
const SubjectKind BASELINE = { "baseline", "bench_baseline_app.exe", BASELINE_CLASS, false };
const SubjectKind NOHOOK = { "nohook", "bench_nohook.exe", BASELINE_CLASS, false };
const SubjectKind SAMESTEPS = { "samesteps", "bench_samesteps.exe", BASELINE_CLASS, false };

CSubject::~CSubject()
{
    if (IsRunning())
        Close();
}

BOOL CSubject::Start()
{
    m_hMain = nullptr;
    m_hostPid = 0;
    m_journal.Mark();
    m_startedAt = NowMs();
    return Launch(m_kind.exe);
}

double CSubject::WaitReady(double timeoutMs)
{
    const double found = PollUntil([this] {
        const HWND hWnd = ::FindWindowA(m_kind.windowClass, nullptr);
        DWORD pid = 0;
        if (hWnd != nullptr)
            ::GetWindowThreadProcessId(hWnd, &pid);
        if (pid != Pid())
            return false;
        m_hMain = hWnd;
        return true;
    }, timeoutMs);
    if (found < 0)
        return -1.0;
    // A sent message is no proof: start-up itself sends (the tray call), and
    // incoming sent messages are answered while it waits. A posted one is
    // handled only by the running message loop; the refresh it asks for
    // reads the register, after the one read that start-up makes.
    ::PostMessageA(m_hMain, WM_BASELINE_REFRESH, 0, 0);
    return PollUntil([this] { return m_journal.Since().reads >= 2; }, timeoutMs);
}

HWND CSubject::VisibleDialog() const
{
    const std::vector<HWND> dialogs = TopLevelWindowsOf(Pid(), "#32770", true);
    return dialogs.empty() ? nullptr : dialogs.front();
}

HWND CSubject::AnyDialog() const
{
    const std::vector<HWND> dialogs = TopLevelWindowsOf(Pid(), "#32770", false);
    return dialogs.empty() ? nullptr : dialogs.front();
}

BOOL CSubject::Close(DWORD timeoutMs)
{
    if (!IsRunning())
        return TRUE;
    if (m_kind.closeByEvent) {
        const HANDLE hEvent = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, RAVO_CLOSE_EVENT);
        if (hEvent != nullptr) {
            ::SetEvent(hEvent);
            ::CloseHandle(hEvent);
        }
    } else if (m_hMain != nullptr) {
        ::PostMessageA(m_hMain, WM_CLOSE, 0, 0);
    }
    return WaitOrKill(timeoutMs) != STILL_ACTIVE;
}

// Under Wine GetProcessTimes gives the caller's own CPU time whatever the
// handle, so the host's figure for the program is taken instead.
double CSubject::CpuMs()
{
    if (RunningUnderWine()) {
        if (m_hostPid == 0)
            m_hostPid = FindHostPid(m_kind.exe);
        return m_hostPid != 0 ? HostCpuMs(m_hostPid) : -1.0;
    }
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(Handle(), &created, &exited, &kernel, &user))
        return -1.0;
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

BOOL CSubject::Memory(MemoryFigures& figures) const
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(Handle(),
                                reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof(counters)))
        return FALSE;
    figures.privateKiB = static_cast<double>(counters.PagefileUsage) / 1024.0;
    figures.peakPrivateKiB = static_cast<double>(counters.PeakPagefileUsage) / 1024.0;
    figures.workingSetKiB = static_cast<double>(counters.WorkingSetSize) / 1024.0;
    figures.peakWorkingSetKiB = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
    return TRUE;
}
