#include "osd/OsdPlacement.h"

namespace {

bool IsClass(HWND hWnd, const char* name)
{
    char className[32] = {};
    return ::GetClassNameA(hWnd, className, sizeof(className)) > 0 &&
           ::lstrcmpiA(className, name) == 0;
}

}  // namespace

RECT OsdWorkArea(HWND hUserWindow, POINT cursor)
{
    const HMONITOR hMonitor = IsUsersWindow(hUserWindow)
                                  ? ::MonitorFromWindow(hUserWindow, MONITOR_DEFAULTTONEAREST)
                                  : ::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoA(hMonitor, &info))
        return info.rcWork;
    RECT area = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

POINT CentreIn(const RECT& area, SIZE size)
{
    return { area.left + ((area.right - area.left) - size.cx) / 2,
             area.top + ((area.bottom - area.top) - size.cy) / 2 };
}

BOOL IsUsersWindow(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindowVisible(hWnd) || ::IsIconic(hWnd) ||
        hWnd == ::GetDesktopWindow() || hWnd == ::GetShellWindow())
        return FALSE;
    static const char* const shellClasses[] = { "Progman", "WorkerW", "Shell_TrayWnd",
                                                 "Shell_SecondaryTrayWnd" };
    for (const char* shellClass : shellClasses) {
        if (IsClass(hWnd, shellClass))
            return FALSE;
    }
    return TRUE;
}

void PlaceOsd(HWND hDlg, HWND hUserWindow)
{
    RECT dialog;
    if (!::GetWindowRect(hDlg, &dialog))
        return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    const POINT origin = CentreIn(OsdWorkArea(hUserWindow, cursor),
                                  { dialog.right - dialog.left, dialog.bottom - dialog.top });
    ::SetWindowPos(hDlg, nullptr, origin.x, origin.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
