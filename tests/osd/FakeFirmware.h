// A stand-in for the firmware library: serves a scripted status byte and
// records the bytes written to it.
#pragma once

#include <windows.h>

#include <vector>

namespace FakeFirmware {

void Reset(BYTE registerValue);
// The values written, in order.
const std::vector<BYTE>& Writes();

}  // namespace FakeFirmware
