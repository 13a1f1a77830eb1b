#include "app/WatcherMessage.h"

#include "shared/ExternalNames.h"

UINT WatcherMessageFor(DWORD waitResult)
{
    switch (waitResult) {
    case WAIT_OBJECT_0:
        return WM_STATUS_CHANGED;
    case WAIT_OBJECT_0 + 1:
        return WM_CLOSE_REQUEST;
    default:
        return 0;
    }
}
