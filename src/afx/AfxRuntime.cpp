// The few C++ runtime functions the program uses, made from Win32 calls so
// that the runtime's exception and threading machinery stays out of it.
//
// Allocation uses the process heap. Nothing in the program can go on
// without the memory it asks for, so a failed allocation ends the process
// with STATUS_NO_MEMORY, as an unhandled std::bad_alloc would.
//
// Function-local statics with a dynamic initialiser are guarded: the first
// thread to get there initialises, others wait until it is done.
//
// Per-thread data lives in Win32 TLS slots (CThreadSlot) rather than in
// thread_local variables, which need the runtime's emulated TLS and its
// thread library.
#include "afx/ThreadSlot.h"

#include <windows.h>

#include <new>

namespace {

void* Allocate(size_t size)
{
    void* p = ::HeapAlloc(::GetProcessHeap(), 0, size != 0 ? size : 1);
    if (p == nullptr)
        ::RaiseException(STATUS_NO_MEMORY, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return p;
}

void Free(void* p)
{
    if (p != nullptr)
        ::HeapFree(::GetProcessHeap(), 0, p);
}

#if defined(__GNUC__)
// The compiler's 64-bit guard: its first byte, once non-zero, says the
// object is initialised (the compiler tests it inline); the second word is
// ours, 1 while a thread initialises.
struct Guard {
    volatile char done;
    char unused[3];
    volatile LONG busy;
};
static_assert(sizeof(Guard) == 8, "guard layout");
#endif

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, size_t) noexcept { Free(p); }
void operator delete[](void* p, size_t) noexcept { Free(p); }

DWORD CThreadSlot::Index()
{
    const LONG index = m_nIndex;
    if (index != static_cast<LONG>(TLS_OUT_OF_INDEXES))
        return static_cast<DWORD>(index);
    // Two threads may race for the first use: the loser gives its slot back.
    const DWORD mine = ::TlsAlloc();
    const LONG before = ::InterlockedCompareExchange(&m_nIndex, static_cast<LONG>(mine),
                                                     static_cast<LONG>(TLS_OUT_OF_INDEXES));
    if (before == static_cast<LONG>(TLS_OUT_OF_INDEXES))
        return mine;
    if (mine != TLS_OUT_OF_INDEXES)
        ::TlsFree(mine);
    return static_cast<DWORD>(before);
}

// The Itanium C++ ABI's support functions (GCC and clang); MSVC's runtime has
// its own.
#if defined(__GNUC__)
extern "C" {

// 1: the caller initialises and then calls __cxa_guard_release (or
// __cxa_guard_abort if it gives up); 0: already initialised.
int __cxa_guard_acquire(Guard* guard)
{
    for (;;) {
        if (guard->done)
            return 0;
        if (::InterlockedCompareExchange(&guard->busy, 1, 0) == 0) {
            if (!guard->done)
                return 1;
            ::InterlockedExchange(&guard->busy, 0);
            return 0;
        }
        ::Sleep(0);
    }
}

void __cxa_guard_release(Guard* guard)
{
    ::MemoryBarrier();  // the object is complete before anyone sees it done
    guard->done = 1;
    ::InterlockedExchange(&guard->busy, 0);
}

void __cxa_guard_abort(Guard* guard)
{
    ::InterlockedExchange(&guard->busy, 0);
}

// A call through a pure virtual function is a bug; end the process where
// it happened, without the runtime's terminate handler.
void __cxa_pure_virtual()
{
    ::RaiseException(STATUS_ILLEGAL_INSTRUCTION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

}  // extern "C"
#endif  // __GNUC__
