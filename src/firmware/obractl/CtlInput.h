// The platform's side of the machine as obractl plays it: key events from
// the keyboard controller and the notify event that other programs signal.
#pragma once

#include <windows.h>

// Injects a key-down, holds it about 150 ms, then injects the key-up. The
// event carries the scan code only (virtual key 0). FALSE when either event
// was not injected.
bool PressScanCode(WORD scanCode, bool extended);
// Opens or creates the auto-reset event "TorvaneNotifyEvent" and sets it.
bool SignalNotifyEvent();
