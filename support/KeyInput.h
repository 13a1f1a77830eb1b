// Key events injected by scan code (virtual key 0), as the keyboard
// controller sends them.
#pragma once

#include <windows.h>

// The INPUT record of one such event, for SendInput.
INPUT ScanCodeInput(WORD scanCode, bool extended, bool keyUp);
// Injects one event. TRUE when it was injected.
bool SendScanCode(WORD scanCode, bool extended, bool keyUp);
// Key-down, a pause of holdMs (injected sequences need it to stay in order),
// then key-up, which is sent even when the key-down failed, so no key is
// left down. TRUE when both were injected.
bool PressScanCode(WORD scanCode, bool extended = false, DWORD holdMs = 150);
