// Status class of the radio state, as the main frame computes it from the
// status bits.
#pragma once

constexpr int STATUS_CLASS_NONE = 0;  // no radio present
constexpr int STATUS_CLASS_ON   = 1;  // a radio present, switch on
constexpr int STATUS_CLASS_OFF  = 2;  // a radio present, switch off
