// Session notifications at an early logon: refused while the session
// services start, registered once after their event is set.
#include "frame/SessionNotification.h"

#include "ImportPatch.h"

#include <gtest/gtest.h>

namespace {

int s_registrations = 0;
decltype(&::GetProcAddress) s_realGetProcAddress;

BOOL WINAPI RegisterOnceReady(HWND, DWORD)
{
    ::SetLastError(RPC_S_INVALID_BINDING);
    return ++s_registrations > 1;
}

FARPROC WINAPI FakeGetProcAddress(HMODULE hModule, LPCSTR name)
{
    if (HIWORD(name) != 0 && ::lstrcmpA(name, "WTSRegisterSessionNotification") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RegisterOnceReady));
    return s_realGetProcAddress(hModule, name);
}

}  // namespace

TEST(SessionNotification, RegistersOnceTheSessionServicesAreReady)
{
    const HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, "Global\\TermSrvReadyEvent");
    CImportPatch patch("kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&FakeGetProcAddress));
    s_realGetProcAddress = patch.OriginalAs<decltype(&::GetProcAddress)>();
    const HWND hWnd = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        nullptr, nullptr);
    ASSERT_TRUE(ready != nullptr && patch.IsApplied() && hWnd != nullptr);
    const UINT WM_READY = WM_APP + 1;
    CSessionNotification session;
    EXPECT_FALSE(session.Register(hWnd, WM_READY));
    MSG msg;
    ::Sleep(300);
    EXPECT_FALSE(::PeekMessageA(&msg, hWnd, WM_READY, WM_READY, PM_REMOVE)) << "not ready yet";
    ::SetEvent(ready);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000, QS_POSTMESSAGE);
    EXPECT_TRUE(::PeekMessageA(&msg, hWnd, WM_READY, WM_READY, PM_REMOVE));
    EXPECT_TRUE(session.OnServicesReady());
    EXPECT_FALSE(session.OnServicesReady());
    EXPECT_EQ(s_registrations, 2);
    ::DestroyWindow(hWnd);
    ::CloseHandle(ready);
}
