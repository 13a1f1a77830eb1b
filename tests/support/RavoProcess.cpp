#include "RavoProcess.h"

CRavoProcess::~CRavoProcess()
{
    if (IsRunning())
        Close();
}

BOOL CRavoProcess::Start(const std::string& arguments)
{
    return Launch("Ravo.exe", arguments);
}

DWORD CRavoProcess::Run(const std::string& arguments, DWORD timeoutMs)
{
    CRavoProcess process;
    if (!process.Start(arguments))
        return static_cast<DWORD>(-1);
    const DWORD code = process.WaitForExit(timeoutMs);
    if (code == STILL_ACTIVE)
        ::TerminateProcess(process.Handle(), 99);
    return code;
}

HWND CRavoProcess::WaitForMainWindow(DWORD timeoutMs)
{
    HWND hWnd = nullptr;
    const BOOL found = WaitUntil([&] {
        hWnd = FindRavoWindow();
        DWORD pid = 0;
        if (hWnd != nullptr)
            ::GetWindowThreadProcessId(hWnd, &pid);
        return hWnd != nullptr && pid == Pid();
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

DWORD CRavoProcess::Close(DWORD timeoutMs)
{
    if (IsRunning())
        Run("Close", timeoutMs);
    return WaitOrKill(timeoutMs);
}

BOOL WaitForNoRavoWindow(DWORD timeoutMs)
{
    return WaitUntil([] { return FindRavoWindow() == nullptr; }, timeoutMs);
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
