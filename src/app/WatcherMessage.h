// What the watcher thread posts for each result of its wait on the two
// named events.
#pragma once

#include <windows.h>

// 0 (the notify event) gives WM_STATUS_CHANGED, 1 (the close event) gives
// WM_CLOSE_REQUEST, anything else 0: no message.
UINT WatcherMessageFor(DWORD waitResult);
