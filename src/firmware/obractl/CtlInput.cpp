#include "firmware/obractl/CtlInput.h"

#include "shared/ExternalNames.h"

namespace {

const DWORD KEY_HOLD_MS = 150;

bool SendScanCode(WORD scanCode, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = 0;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = KEYEVENTF_SCANCODE | flags;
    return SendInput(1, &input, sizeof(INPUT)) == 1;
}

}  // namespace

// The key-up is sent even when the key-down failed, so no key is left down.
bool PressScanCode(WORD scanCode, bool extended)
{
    const DWORD flags = extended ? KEYEVENTF_EXTENDEDKEY : 0;
    const bool down = SendScanCode(scanCode, flags);
    Sleep(KEY_HOLD_MS);
    const bool up = SendScanCode(scanCode, flags | KEYEVENTF_KEYUP);
    return down && up;
}

bool SignalNotifyEvent()
{
    HANDLE hEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, RAVO_NOTIFY_EVENT);
    if (!hEvent)
        hEvent = CreateEventA(NULL, FALSE, FALSE, RAVO_NOTIFY_EVENT);
    if (!hEvent)
        return false;
    const bool set = SetEvent(hEvent) != FALSE;
    CloseHandle(hEvent);
    return set;
}
