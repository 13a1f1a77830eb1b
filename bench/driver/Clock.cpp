#include "Clock.h"

namespace {

typedef LONG(WINAPI* DelayExecutionFn)(BOOLEAN alertable, const LARGE_INTEGER* interval);

DelayExecutionFn DelayExecution()
{
    static const DelayExecutionFn s_fn = reinterpret_cast<DelayExecutionFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"),
                                                 "NtDelayExecution")));
    return s_fn;
}

}  // namespace

void PausePoll()
{
    LARGE_INTEGER interval;
    interval.QuadPart = -2500;  // relative, in 100 ns units
    if (const DelayExecutionFn fn = DelayExecution())
        fn(FALSE, &interval);
    else
        ::Sleep(1);
}
