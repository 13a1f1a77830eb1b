// A program started from the build folder and watched from outside: its
// process, its exit, and the top-level windows it owns.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The folder of the running program, where Ravo.exe, OBRA.dll and the tools
// are built too (with a trailing backslash).
std::string BinDir();

class CProgramProcess {
public:
    CProgramProcess() = default;
    // Closes the handles; a derived class ends the program first if it wants.
    virtual ~CProgramProcess();
    CProgramProcess(const CProgramProcess&) = delete;
    CProgramProcess& operator=(const CProgramProcess&) = delete;

    // Starts "<exe> <arguments>" from BinDir(), with BinDir() as its current
    // folder. FALSE when it could not be started.
    BOOL Launch(const std::string& exe, const std::string& arguments = "");
    BOOL IsRunning() const;
    // Waits for the end; the exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs);
    // WaitForExit, and a kill (exit code 98) when the time ran out.
    DWORD WaitOrKill(DWORD timeoutMs);

    DWORD Pid() const { return m_pi.dwProcessId; }
    HANDLE Handle() const { return m_pi.hProcess; }

private:
    PROCESS_INFORMATION m_pi = {};
};

// The main window of a running Ravo, or NULL.
HWND FindRavoWindow();
// The top-level windows of process pid, of one class (any class for
// nullptr), only the visible ones if visibleOnly; topmost first.
std::vector<HWND> TopLevelWindowsOf(DWORD pid, const char* className, bool visibleOnly);
