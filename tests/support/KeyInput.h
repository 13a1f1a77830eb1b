// Injects key events by scan code, as the keyboard controller would send them.
#pragma once

#include <windows.h>

// Key-down, a pause of holdMs (injected sequences need it to stay in
// order), then key-up.
void PressScanCode(WORD scanCode, bool extended = false, DWORD holdMs = 150);
void SendScanCode(WORD scanCode, bool extended, bool keyUp);
