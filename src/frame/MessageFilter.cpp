#include "frame/MessageFilter.h"

#include "frame/SystemFunction.h"
#include "shared/ExternalNames.h"
#include "tray/TrayIcon.h"

namespace {

// As winuser.h declares them for Windows 7 (ChangeWindowMessageFilterEx) and
// Vista (ChangeWindowMessageFilter), which the program's headers hide.
using ChangeWindowFilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
using ChangeProcessFilterFn = BOOL(WINAPI*)(UINT, DWORD);
const DWORD FILTER_ALLOW = 1;  // MSGFLT_ALLOW, for one window
const DWORD FILTER_ADD = 1;    // MSGFLT_ADD, for the whole process

}  // namespace

void AllowFromLowerIntegrity(HWND hWnd)
{
    const UINT messages[] = { CTrayIcon::TaskbarCreatedMessage(), WM_TRAY_NOTIFY,
                              WM_STATUS_CHANGED, WM_CLOSE_REQUEST };
    if (const auto allowForWindow =
            SystemFunction<ChangeWindowFilterFn>("user32.dll", "ChangeWindowMessageFilterEx")) {
        for (UINT message : messages)
            allowForWindow(hWnd, message, FILTER_ALLOW, nullptr);
    } else if (const auto allowForProcess =
                   SystemFunction<ChangeProcessFilterFn>("user32.dll",
                                                        "ChangeWindowMessageFilter")) {
        // Vista: the filter is the whole process's; it has no other window
        // that the four messages could reach unasked.
        for (UINT message : messages)
            allowForProcess(message, FILTER_ADD);
    }
}
