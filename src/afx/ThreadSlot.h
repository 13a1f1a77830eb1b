// CThreadSlot: one pointer per thread, in a Win32 TLS slot taken on first
// use. A namespace-scope slot is constant-initialised, so it works before
// any constructor runs, and it needs no runtime support for thread_local.
// Threads start with nullptr; the slot is never released (it lives as long
// as the process).
#pragma once

#include <windows.h>

class CThreadSlot {
public:
    constexpr CThreadSlot() = default;
    CThreadSlot(const CThreadSlot&) = delete;
    CThreadSlot& operator=(const CThreadSlot&) = delete;

    // Keeps the caller's last-error value, which TlsGetValue clears: the
    // framework looks its state up on every message.
    void* Get()
    {
        const DWORD error = ::GetLastError();
        void* pValue = ::TlsGetValue(Index());
        ::SetLastError(error);
        return pValue;
    }
    void Set(void* pValue) { ::TlsSetValue(Index(), pValue); }

private:
    DWORD Index();

    volatile LONG m_nIndex = static_cast<LONG>(TLS_OUT_OF_INDEXES);
};
