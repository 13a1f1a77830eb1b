#include "support/ProgramProcess.h"

#include "shared/ExternalNames.h"

#include <cstring>

std::string BinDir()
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, length);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

CProgramProcess::~CProgramProcess()
{
    if (m_pi.hProcess != nullptr) {
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
}

BOOL CProgramProcess::Launch(const std::string& exe, const std::string& arguments)
{
    const std::string path = BinDir() + exe;
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    return ::CreateProcessA(path.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            BinDir().c_str(), &si, &m_pi);
}

BOOL CProgramProcess::IsRunning() const
{
    return m_pi.hProcess != nullptr && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD CProgramProcess::WaitForExit(DWORD timeoutMs)
{
    if (::WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

DWORD CProgramProcess::WaitOrKill(DWORD timeoutMs)
{
    const DWORD code = WaitForExit(timeoutMs);
    if (code == STILL_ACTIVE) {
        ::TerminateProcess(m_pi.hProcess, 98);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
    return code;
}

HWND FindRavoWindow()
{
    return ::FindWindowA(RAVO_CLASS_NAME, nullptr);
}

namespace {

struct WindowQuery {
    DWORD pid;
    const char* className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    auto* query = reinterpret_cast<WindowQuery*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid != query->pid || (query->visibleOnly && !::IsWindowVisible(hWnd)))
        return TRUE;
    if (query->className != nullptr) {
        char name[64] = {};
        ::GetClassNameA(hWnd, name, sizeof(name));
        if (strcmp(name, query->className) != 0)
            return TRUE;
    }
    query->found.push_back(hWnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD pid, const char* className, bool visibleOnly)
{
    WindowQuery query = { pid, className, visibleOnly, {} };
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}
