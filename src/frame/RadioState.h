// What the main frame shows for the radio state it caches: the status class
// that picks the on-screen display, and the tray StateId.
#pragma once

#include "radio/RadioControl.h"

#include <windows.h>

// Status class of the radio state: which on-screen display fits it.
constexpr int STATUS_CLASS_NONE = 0;  // no radio present
constexpr int STATUS_CLASS_ON   = 1;  // a radio present, switch on
constexpr int STATUS_CLASS_OFF  = 2;  // a radio present, switch off

// STATUS_CLASS_NONE when neither radio is present (the switch is then not
// looked at), else STATUS_CLASS_ON or STATUS_CLASS_OFF by the switch.
int StatusClassOf(const RadioState& state);

// The tray StateId (138 to 148) for the state. A radio counts as enabled
// only while the switch is on; with no radio the picture is "both off".
UINT TrayStateIdOf(const RadioState& state);
