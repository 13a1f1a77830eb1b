#include "support/KeyInput.h"

INPUT ScanCodeInput(WORD scanCode, bool extended, bool keyUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = KEYEVENTF_SCANCODE | (extended ? KEYEVENTF_EXTENDEDKEY : 0) |
                       (keyUp ? KEYEVENTF_KEYUP : 0);
    return input;
}

bool SendScanCode(WORD scanCode, bool extended, bool keyUp)
{
    INPUT input = ScanCodeInput(scanCode, extended, keyUp);
    return ::SendInput(1, &input, sizeof(input)) == 1;
}

bool PressScanCode(WORD scanCode, bool extended, DWORD holdMs)
{
    const bool down = SendScanCode(scanCode, extended, false);
    ::Sleep(holdMs);
    const bool up = SendScanCode(scanCode, extended, true);
    return down && up;
}
