#include "frame/SystemFunction.h"

FARPROC SystemProc(const char* dll, const char* name)
{
    HMODULE hModule = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, dll, &hModule)) {
        char path[MAX_PATH];
        const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
        if (length == 0 || length + 1 + static_cast<UINT>(::lstrlenA(dll)) >= MAX_PATH)
            return nullptr;
        path[length] = '\\';
        ::lstrcpynA(path + length + 1, dll, MAX_PATH - length - 1);
        // The full path: the DLL's own dependencies are looked for in its
        // folder first, not in the program's.
        hModule = ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    return hModule != nullptr ? ::GetProcAddress(hModule, name) : nullptr;
}
