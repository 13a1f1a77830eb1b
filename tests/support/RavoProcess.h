// Starts and watches Ravo.exe from a test, through its outside interfaces
// only: the command line and exit code, and the window class "TorvaneClass".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The folder of the running test program, where Ravo.exe, OBRA.dll and the
// tools are built too (with a trailing backslash).
std::string BinDir();

class CRavoProcess {
public:
    CRavoProcess() = default;
    ~CRavoProcess();
    CRavoProcess(const CRavoProcess&) = delete;
    CRavoProcess& operator=(const CRavoProcess&) = delete;

    // Starts "Ravo.exe <arguments>". FALSE when it could not be started.
    BOOL Start(const std::string& arguments = "");
    // Starts, and waits for the process to end; returns its exit code, or
    // STILL_ACTIVE when it ran past timeoutMs (it is then killed).
    static DWORD Run(const std::string& arguments, DWORD timeoutMs = 10000);

    // Waits until the main window exists and the program has finished
    // starting (its message loop runs). Returns the window or NULL.
    HWND WaitForMainWindow(DWORD timeoutMs = 10000);
    // Waits for the end; the exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs = 10000);
    // Asks the copy to close the documented way ("Ravo.exe Close") and waits;
    // kills it if it does not end. Returns its exit code.
    DWORD Close(DWORD timeoutMs = 10000);

    DWORD Pid() const { return m_pi.dwProcessId; }
    HANDLE Handle() const { return m_pi.hProcess; }
    BOOL IsRunning() const;

private:
    PROCESS_INFORMATION m_pi = {};
};

// The main window of a running copy, or NULL.
HWND FindRavoWindow();
// The top-level windows of process pid, of one class (any class for
// nullptr), only the visible ones if visibleOnly.
std::vector<HWND> TopLevelWindowsOf(DWORD pid, const char* className, bool visibleOnly);
// The visible dialog windows (class "#32770") of process pid.
std::vector<HWND> VisibleDialogsOf(DWORD pid);
// The text of a control of another process's dialog (WM_GETTEXT, which
// works across processes where GetWindowText does not); empty when the
// control is missing or does not answer.
std::string ControlText(HWND hDialog, int nID);
// Waits until no window of class "TorvaneClass" is left.
BOOL WaitForNoRavoWindow(DWORD timeoutMs = 10000);
// Waits until fn() is true, pumping this thread's messages meanwhile.
template <typename Fn>
BOOL WaitUntil(Fn fn, DWORD timeoutMs = 5000)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (fn())
            return TRUE;
        if (::GetTickCount() - start >= timeoutMs)
            return FALSE;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(10);
    }
}
