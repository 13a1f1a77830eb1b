#include "RavoProcess.h"

#include "shared/ExternalNames.h"

#include <cstring>


std::string BinDir()
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, length);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

CRavoProcess::~CRavoProcess()
{
    if (m_pi.hProcess != nullptr) {
        if (IsRunning())
            Close();
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
}

BOOL CRavoProcess::Start(const std::string& arguments)
{
    const std::string exe = BinDir() + "Ravo.exe";
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    return ::CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            BinDir().c_str(), &si, &m_pi);
}

DWORD CRavoProcess::Run(const std::string& arguments, DWORD timeoutMs)
{
    CRavoProcess process;
    if (!process.Start(arguments))
        return static_cast<DWORD>(-1);
    const DWORD code = process.WaitForExit(timeoutMs);
    if (code == STILL_ACTIVE)
        ::TerminateProcess(process.m_pi.hProcess, 99);
    return code;
}

BOOL CRavoProcess::IsRunning() const
{
    return m_pi.hProcess != nullptr && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

HWND CRavoProcess::WaitForMainWindow(DWORD timeoutMs)
{
    HWND hWnd = nullptr;
    const BOOL found = WaitUntil([&] {
        hWnd = FindRavoWindow();
        DWORD pid = 0;
        if (hWnd != nullptr)
            ::GetWindowThreadProcessId(hWnd, &pid);
        return hWnd != nullptr && pid == m_pi.dwProcessId;
    }, timeoutMs);
    if (!found)
        return nullptr;
    // The window answers sent messages while start-up still waits on the
    // shell. Start-up places and hides it and, straight after, stores the
    // handle the watcher thread posts to; a sent message answered after that
    // is answered by the message loop.
    const BOOL placed = WaitUntil([&] {
        RECT rc = {};
        return ::GetWindowRect(hWnd, &rc) && rc.left == -100 && rc.top == -100 &&
               !::IsWindowVisible(hWnd);
    }, timeoutMs);
    DWORD_PTR result = 0;
    if (!placed || !::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result))
        return nullptr;
    return hWnd;
}

DWORD CRavoProcess::WaitForExit(DWORD timeoutMs)
{
    if (::WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

DWORD CRavoProcess::Close(DWORD timeoutMs)
{
    if (IsRunning())
        Run("Close", timeoutMs);
    DWORD code = WaitForExit(timeoutMs);
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

BOOL WaitForNoRavoWindow(DWORD timeoutMs)
{
    return WaitUntil([] { return FindRavoWindow() == nullptr; }, timeoutMs);
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

std::vector<HWND> VisibleDialogsOf(DWORD pid)
{
    return TopLevelWindowsOf(pid, "#32770", true);
}

std::string ControlText(HWND hDialog, int nID)
{
    const HWND hItem = ::GetDlgItem(hDialog, nID);
    if (hItem == nullptr)
        return std::string();
    char text[512] = {};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(hItem, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                               SMTO_NORMAL, 5000, &copied))
        return std::string();
    return text;
}
