#include "firmware/obractl/CtlInput.h"

#include "shared/ExternalNames.h"

#include <windows.h>

bool SignalNotifyEvent()
{
    HANDLE hEvent = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, RAVO_NOTIFY_EVENT);
    if (hEvent == nullptr)
        hEvent = ::CreateEventA(nullptr, FALSE, FALSE, RAVO_NOTIFY_EVENT);
    if (hEvent == nullptr)
        return false;
    const bool set = ::SetEvent(hEvent) != FALSE;
    ::CloseHandle(hEvent);
    return set;
}
