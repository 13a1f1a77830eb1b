// The single-instance rule: the first copy creates a named mutex, owns it
// and never releases it, so every later copy finds it existing.
#pragma once

#include <windows.h>

class CSingleInstance {
public:
    virtual ~CSingleInstance() = default;

    // TRUE when this process created the mutex; FALSE when it existed
    // already or could not be created. The handle is kept open until the
    // process ends.
    BOOL Acquire(LPCSTR lpszName);
};
