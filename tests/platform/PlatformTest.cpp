// Platform behaviour the program relies on, checked where the tests run.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_APP + 1) {
        ++*reinterpret_cast<int*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND CreateCounter(const char* className, int* counter)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(counter));
    return hwnd;
}

}  // namespace

// A named mutex created first is owned; a second create reports that it
// already exists. Single-instance detection rests on this.
TEST(Platform, NamedMutexReportsExistingObject)
{
    HANDLE first = CreateMutexA(nullptr, TRUE, "RavoPlatformTestMutex");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    HANDLE second = CreateMutexA(nullptr, TRUE, "RavoPlatformTestMutex");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    CloseHandle(second);
    CloseHandle(first);
}

// WaitForMultipleObjects reports the lowest signalled index and resets only
// that auto-reset event.
TEST(Platform, MultipleWaitPrefersLowestIndexAndResetsOnlyIt)
{
    HANDLE events[2] = { CreateEventA(nullptr, FALSE, FALSE, nullptr),
                         CreateEventA(nullptr, FALSE, FALSE, nullptr) };
    SetEvent(events[1]);
    SetEvent(events[0]);
    EXPECT_EQ(WaitForMultipleObjects(2, events, FALSE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForMultipleObjects(2, events, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(2, events, FALSE, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(events[0]);
    CloseHandle(events[1]);
}

// A window class found by FindWindowA, and a posted message delivered by the
// thread's message loop: the way other programs reach the running copy.
TEST(Platform, FindWindowAndPostedMessage)
{
    int count = 0;
    HWND hwnd = CreateCounter("RavoPlatformTestClass", &count);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(FindWindowA("RavoPlatformTestClass", nullptr), hwnd);
    PostMessageA(hwnd, WM_APP + 1, 0, 0);
    PostMessageA(hwnd, WM_APP + 1, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_EQ(count, 2);
    DestroyWindow(hwnd);
}
