// Under Wine, figures that the Win32 API does not give for another process
// (GetProcessTimes reports the caller's own CPU time), read from the host's
// /proc through Wine's Z: drive.
#pragma once

#include <windows.h>

#include <string>

bool RunningUnderWine();
// The live host process of this Wine prefix whose program is exeName (the
// newest, if several), or 0.
DWORD FindHostPid(const std::string& exeName);
// CPU time of all its threads so far, in milliseconds; negative if unknown.
double HostCpuMs(DWORD hostPid);
