// The few C++ runtime functions the program uses, made from Win32 calls so
// that the runtime's exception and threading machinery stays out of it.
//
// Allocation uses the process heap, aligned as operator new promises.
// Nothing in the program can go on without the memory it asks for, so a
// failed allocation ends the process with STATUS_NO_MEMORY, as an unhandled std::bad_alloc would; only the
// nothrow forms return NULL.
//
// Function-local statics with a dynamic initialiser are guarded: the first
// thread to get there initialises, others wait until it is done; one that
// re-enters its own initialiser ends the process.
//
// Per-thread data lives in Win32 TLS slots (CThreadSlot) rather than in
// thread_local variables, which need the runtime's emulated TLS and its
// thread library.
#include "afx/ThreadSlot.h"

#include <windows.h>

#include <cstdint>
#include <new>

namespace {

// operator new promises this alignment. The process heap gives
// MEMORY_ALLOCATION_ALIGNMENT: 16 on 64-bit Windows, only 8 on 32-bit.
constexpr size_t NEW_ALIGNMENT = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
constexpr bool HEAP_ALIGNS = MEMORY_ALLOCATION_ALIGNMENT >= NEW_ALIGNMENT;
static_assert((NEW_ALIGNMENT & (NEW_ALIGNMENT - 1)) == 0, "alignment is a power of two");
static_assert(HEAP_ALIGNS || NEW_ALIGNMENT - MEMORY_ALLOCATION_ALIGNMENT >= sizeof(void*),
              "room for the heap block's address below an aligned block");

// NULL when the heap has no room. Where the heap aligns too little, the
// block is taken larger and the returned address moved up to the next
// aligned one; the heap's own address is kept just below it.
void* TryAllocate(size_t size)
{
    if (size == 0)
        size = 1;
    if constexpr (HEAP_ALIGNS) {
        return ::HeapAlloc(::GetProcessHeap(), 0, size);
    } else {
        if (size > static_cast<size_t>(-1) - NEW_ALIGNMENT)
            return nullptr;
        void* raw = ::HeapAlloc(::GetProcessHeap(), 0, size + NEW_ALIGNMENT);
        if (raw == nullptr)
            return nullptr;
        const uintptr_t aligned = (reinterpret_cast<uintptr_t>(raw) + NEW_ALIGNMENT) &
                                  ~static_cast<uintptr_t>(NEW_ALIGNMENT - 1);
        void** p = reinterpret_cast<void**>(aligned);
        p[-1] = raw;
        return p;
    }
}

void* Allocate(size_t size)
{
    void* p = TryAllocate(size);
    if (p == nullptr)
        ::RaiseException(STATUS_NO_MEMORY, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return p;
}

void Free(void* p)
{
    if (p == nullptr)
        return;
    if constexpr (!HEAP_ALIGNS)
        p = static_cast<void**>(p)[-1];
    ::HeapFree(::GetProcessHeap(), 0, p);
}

#if defined(__GNUC__)
// What a static initialiser that re-enters itself ends the process with.
const DWORD STATUS_RECURSIVE_INIT = 0xC0000194;  // STATUS_POSSIBLE_DEADLOCK

// The compiler's 64-bit guard: its first byte, once non-zero, says the
// object is initialised (the compiler tests it inline); the second word is
// ours, the id of the thread that initialises, 0 when none does.
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
void* operator new(size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, size_t) noexcept { Free(p); }
void operator delete[](void* p, size_t) noexcept { Free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }

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
// __cxa_guard_abort if it gives up); 0: already initialised. A thread that
// gets here again while it initialises the same object would wait for
// itself for ever: that ends the process at once instead.
int __cxa_guard_acquire(Guard* guard)
{
    const LONG self = static_cast<LONG>(::GetCurrentThreadId());
    for (;;) {
        if (guard->done)
            return 0;
        const LONG owner = ::InterlockedCompareExchange(&guard->busy, self, 0);
        if (owner == 0) {
            if (!guard->done)
                return 1;
            ::InterlockedExchange(&guard->busy, 0);
            return 0;
        }
        if (owner == self)
            ::RaiseException(STATUS_RECURSIVE_INIT, EXCEPTION_NONCONTINUABLE, 0, nullptr);
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
