// Milliseconds from the performance counter, and polling with a short pause.
#pragma once

#include <windows.h>

inline double NowMs()
{
    static LARGE_INTEGER s_frequency = {};
    if (s_frequency.QuadPart == 0)
        ::QueryPerformanceFrequency(&s_frequency);
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(s_frequency.QuadPart);
}

// Waits about a quarter of a millisecond (Sleep cannot go below one). Under
// Wine this is a plain host sleep; on Windows it is rounded up to the timer
// resolution.
void PausePoll();

// Polls fn() until it is true or timeoutMs passed. Returns the time at
// which it was seen true, or a negative value.
template <typename Fn>
double PollUntil(Fn fn, double timeoutMs)
{
    const double start = NowMs();
    for (;;) {
        if (fn())
            return NowMs();
        if (NowMs() - start > timeoutMs)
            return -1.0;
        PausePoll();
    }
}
