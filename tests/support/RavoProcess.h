// Starts and watches Ravo.exe from a test, through its outside interfaces
// only: the command line and exit code, and its window class.
#pragma once

#include "support/ProgramProcess.h"

#include <windows.h>

#include <string>
#include <vector>

class CRavoProcess : public CProgramProcess {
public:
    CRavoProcess() = default;
    ~CRavoProcess() override;

    // Starts "Ravo.exe <arguments>". FALSE when it could not be started.
    BOOL Start(const std::string& arguments = "");
    // Starts, and waits for the process to end; returns its exit code, or
    // STILL_ACTIVE when it ran past timeoutMs (it is then killed).
    static DWORD Run(const std::string& arguments, DWORD timeoutMs = 10000);

    // Waits until the main window exists and the program has finished
    // starting (its message loop runs). Returns the window or NULL.
    HWND WaitForMainWindow(DWORD timeoutMs = 10000);
    // Waits for the end; the exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs = 10000) { return CProgramProcess::WaitForExit(timeoutMs); }
    // Asks the copy to close the documented way ("Ravo.exe Close") and waits;
    // kills it if it does not end. Returns its exit code.
    DWORD Close(DWORD timeoutMs = 10000);
};

// The visible dialog windows (class "#32770") of process pid.
std::vector<HWND> VisibleDialogsOf(DWORD pid);
// The text of a control of another process's dialog (WM_GETTEXT, which
// works across processes where GetWindowText does not); empty when the
// control is missing or does not answer.
std::string ControlText(HWND hDialog, int nID);
// Waits until no main window of a copy is left.
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
