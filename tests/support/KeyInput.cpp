#include "KeyInput.h"

void SendScanCode(WORD scanCode, bool extended, bool keyUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = KEYEVENTF_SCANCODE | (extended ? KEYEVENTF_EXTENDEDKEY : 0) |
                       (keyUp ? KEYEVENTF_KEYUP : 0);
    ::SendInput(1, &input, sizeof(input));
}

void PressScanCode(WORD scanCode, bool extended, DWORD holdMs)
{
    SendScanCode(scanCode, extended, false);
    ::Sleep(holdMs);
    SendScanCode(scanCode, extended, true);
}
