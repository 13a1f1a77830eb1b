#include "app/SingleInstance.h"

BOOL CSingleInstance::Acquire(LPCSTR lpszName)
{
    const HANDLE hMutex = ::CreateMutexA(nullptr, TRUE, lpszName);
    return hMutex != nullptr && ::GetLastError() != ERROR_ALREADY_EXISTS;
}
