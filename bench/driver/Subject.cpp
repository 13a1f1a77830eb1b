#include "Subject.h"

#include "BenchProtocol.h"
#include "Clock.h"
#include "HostProc.h"

#include <psapi.h>

#include <vector>


const SubjectKind RAVO = { "ravo", "Ravo.exe", "TorvaneClass", true };
const SubjectKind BASELINE = { "baseline", "bench_baseline_app.exe", BASELINE_CLASS, false };
const SubjectKind NOHOOK = { "nohook", "bench_nohook.exe", BASELINE_CLASS, false };
const SubjectKind SAMESTEPS = { "samesteps", "bench_samesteps.exe", BASELINE_CLASS, false };

std::string BinDir()
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, length);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

CSubject::~CSubject()
{
    if (m_pi.hProcess != nullptr) {
        if (IsRunning())
            Close();
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
}

BOOL CSubject::Start()
{
    const std::string exe = BinDir() + m_kind.exe;
    std::string commandLine = "\"" + exe + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    m_hMain = nullptr;
    m_hostPid = 0;
    m_journal.Mark();
    m_startedAt = NowMs();
    return ::CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            BinDir().c_str(), &si, &m_pi);
}

double CSubject::WaitReady(double timeoutMs)
{
    const double found = PollUntil([this] {
        const HWND hWnd = ::FindWindowA(m_kind.windowClass, nullptr);
        DWORD pid = 0;
        if (hWnd != nullptr)
            ::GetWindowThreadProcessId(hWnd, &pid);
        if (pid != m_pi.dwProcessId)
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

HWND CSubject::FindDialog(bool visibleOnly) const
{
    HWND hWnd = nullptr;
    while ((hWnd = ::FindWindowExA(nullptr, hWnd, "#32770", nullptr)) != nullptr) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hWnd, &pid);
        if (pid == m_pi.dwProcessId && (!visibleOnly || ::IsWindowVisible(hWnd)))
            return hWnd;
    }
    return nullptr;
}

HWND CSubject::VisibleDialog() const
{
    return FindDialog(true);
}

HWND CSubject::AnyDialog() const
{
    return FindDialog(false);
}

BOOL CSubject::IsRunning() const
{
    return m_pi.hProcess != nullptr && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

BOOL CSubject::Close(DWORD timeoutMs)
{
    if (!IsRunning())
        return TRUE;
    if (m_kind.closeByEvent) {
        const HANDLE hEvent = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, "TorvaneCloseEvent");
        if (hEvent != nullptr) {
            ::SetEvent(hEvent);
            ::CloseHandle(hEvent);
        }
    } else if (m_hMain != nullptr) {
        ::PostMessageA(m_hMain, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(m_pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        return TRUE;
    ::TerminateProcess(m_pi.hProcess, 98);
    ::WaitForSingleObject(m_pi.hProcess, 5000);
    return FALSE;
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
    if (!::GetProcessTimes(m_pi.hProcess, &created, &exited, &kernel, &user))
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
    if (!::GetProcessMemoryInfo(m_pi.hProcess,
                                reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof(counters)))
        return FALSE;
    figures.privateKiB = static_cast<double>(counters.PagefileUsage) / 1024.0;
    figures.peakPrivateKiB = static_cast<double>(counters.PeakPagefileUsage) / 1024.0;
    figures.workingSetKiB = static_cast<double>(counters.WorkingSetSize) / 1024.0;
    figures.peakWorkingSetKiB = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
    return TRUE;
}
