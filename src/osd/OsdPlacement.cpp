#include "osd/OsdPlacement.h"

namespace {

LONGLONG OverlapArea(const RECT& a, const RECT& b)
{
    RECT overlap;
    if (!::IntersectRect(&overlap, &a, &b))
        return 0;
    return static_cast<LONGLONG>(overlap.right - overlap.left) * (overlap.bottom - overlap.top);
}

// Squared distance between two rectangles; 0 when they touch or overlap.
LONGLONG Distance(const RECT& a, const RECT& b)
{
    const LONGLONG dx = a.right <= b.left   ? b.left - a.right
                        : b.right <= a.left ? a.left - b.right
                                            : 0;
    const LONGLONG dy = a.bottom <= b.top   ? b.top - a.bottom
                        : b.bottom <= a.top ? a.top - b.bottom
                                            : 0;
    return dx * dx + dy * dy;
}

// The monitor that overlaps target most, else the nearest; the first wins a tie.
size_t MonitorFor(const MonitorArea* monitors, size_t count, const RECT& target)
{
    size_t best = 0;
    LONGLONG bestOverlap = 0;
    for (size_t i = 0; i < count; ++i) {
        const LONGLONG overlap = OverlapArea(monitors[i].rcMonitor, target);
        if (overlap > bestOverlap) {
            best = i;
            bestOverlap = overlap;
        }
    }
    if (bestOverlap > 0)
        return best;
    for (size_t i = 1; i < count; ++i) {
        if (Distance(monitors[i].rcMonitor, target) < Distance(monitors[best].rcMonitor, target))
            best = i;
    }
    return best;
}

bool IsClass(HWND hWnd, const char* name)
{
    char className[32] = {};
    return ::GetClassNameA(hWnd, className, sizeof(className)) > 0 &&
           ::lstrcmpiA(className, name) == 0;
}

// At most this many monitors take part; the rest are not looked at.
const size_t MAX_MONITORS = 16;

struct MonitorList {
    MonitorArea areas[MAX_MONITORS];
    size_t count = 0;
};

BOOL CALLBACK AddMonitor(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam)
{
    auto* list = reinterpret_cast<MonitorList*>(lParam);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (list->count == MAX_MONITORS || !::GetMonitorInfoA(hMonitor, &info))
        return TRUE;
    // The primary monitor first, as OsdWorkArea expects.
    size_t slot = list->count++;
    if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
        list->areas[slot] = list->areas[0];
        slot = 0;
    }
    list->areas[slot] = { info.rcMonitor, info.rcWork };
    return TRUE;
}

}  // namespace

RECT OsdWorkArea(const MonitorArea* monitors, size_t count, const RECT* pUserWindow, POINT cursor)
{
    if (count == 0)
        return RECT{};
    const RECT target = pUserWindow != nullptr
                            ? *pUserWindow
                            : RECT{ cursor.x, cursor.y, cursor.x + 1, cursor.y + 1 };
    return monitors[MonitorFor(monitors, count, target)].rcWork;
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
    MonitorList monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    RECT userWindow;
    const bool bUserWindow = IsUsersWindow(hUserWindow) && ::GetWindowRect(hUserWindow, &userWindow);
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    RECT area = OsdWorkArea(monitors.areas, monitors.count, bUserWindow ? &userWindow : nullptr,
                            cursor);
    if (monitors.count == 0)
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const POINT origin =
        CentreIn(area, { dialog.right - dialog.left, dialog.bottom - dialog.top });
    ::SetWindowPos(hDlg, nullptr, origin.x, origin.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
