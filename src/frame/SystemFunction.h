// Functions of system DLLs that the program uses where Windows has them but
// does not import, because they are newer than Windows XP SP3 (or are
// documented so): looked up at run time; callers work on without them.
#pragma once

#include <windows.h>

// The function name that dll (a file name such as "wtsapi32.dll") exports,
// or NULL. A DLL already loaded is pinned, one not loaded yet is loaded from
// the system folder and never freed: either stays for the process's life.
FARPROC SystemProc(const char* dll, const char* name);

template <typename Fn>
Fn SystemFunction(const char* dll, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemProc(dll, name)));
}
