#include "frame/SystemFunction.h"

FARPROC SystemProc(const char* dll, const char* name)
{
    HMODULE hModule = ::GetModuleHandleA(dll);
    if (hModule == nullptr) {
        char path[MAX_PATH];
        const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
        if (length == 0 || length + 1 + static_cast<UINT>(::lstrlenA(dll)) >= MAX_PATH)
            return nullptr;
        path[length] = '\\';
        ::lstrcpynA(path + length + 1, dll, MAX_PATH - length - 1);
        hModule = ::LoadLibraryA(path);
    }
    return hModule != nullptr ? ::GetProcAddress(hModule, name) : nullptr;
}
