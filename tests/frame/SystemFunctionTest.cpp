// Which messages programs of a lower integrity level may send the frame:
// the same four on Windows 7 and later (per window) and on Vista (per
// process, where the per-window form is missing). Its session notifications.
#include "frame/MessageFilter.h"
#include "frame/SessionNotification.h"

#include "ImportPatch.h"
#include "shared/ExternalNames.h"
#include "tray/TrayIcon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct FilterCall {
    HWND hWnd;  // NULL for the per-process form
    UINT message;
    DWORD action;
};

std::vector<FilterCall> s_calls;
bool s_bHasWindowForm = true;
decltype(&::GetProcAddress) s_realGetProcAddress;

BOOL WINAPI RecordWindowFilter(HWND hWnd, UINT message, DWORD action, void*)
{
    s_calls.push_back({ hWnd, message, action });
    return TRUE;
}

BOOL WINAPI RecordProcessFilter(UINT message, DWORD action)
{
    s_calls.push_back({ nullptr, message, action });
    return TRUE;
}

int s_registrations = 0;

BOOL WINAPI RegisterOnceReady(HWND, DWORD)
{
    ::SetLastError(RPC_S_INVALID_BINDING);
    return ++s_registrations > 1;
}

template <typename Fn>
FARPROC AsFarProc(Fn fn)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(fn));
}

FARPROC WINAPI FakeGetProcAddress(HMODULE hModule, LPCSTR name)
{
    if (HIWORD(name) != 0 && std::strcmp(name, "ChangeWindowMessageFilterEx") == 0)
        return s_bHasWindowForm ? AsFarProc(&RecordWindowFilter) : nullptr;
    if (HIWORD(name) != 0 && std::strcmp(name, "ChangeWindowMessageFilter") == 0)
        return AsFarProc(&RecordProcessFilter);
    if (HIWORD(name) != 0 && std::strcmp(name, "WTSRegisterSessionNotification") == 0)
        return AsFarProc(&RegisterOnceReady);
    return s_realGetProcAddress(hModule, name);
}

std::vector<FilterCall> FilterCallsFor(HWND hWnd, bool bHasWindowForm)
{
    s_calls.clear();
    s_bHasWindowForm = bHasWindowForm;
    CImportPatch patch("kernel32.dll", "GetProcAddress",
                       reinterpret_cast<void*>(&FakeGetProcAddress));
    EXPECT_TRUE(patch.IsApplied());
    s_realGetProcAddress = patch.OriginalAs<decltype(&::GetProcAddress)>();
    AllowFromLowerIntegrity(hWnd);
    return s_calls;
}

}  // namespace

TEST(MessageFilter, AllowsExactlyTheFourMessagesPerWindowOrElsePerProcess)
{
    const HWND hWnd = reinterpret_cast<HWND>(0x1234);
    const UINT messages[] = { CTrayIcon::TaskbarCreatedMessage(), WM_TRAY_NOTIFY,
                              WM_STATUS_CHANGED, WM_CLOSE_REQUEST };
    for (bool bHasWindowForm : { true, false }) {
        SCOPED_TRACE(bHasWindowForm ? "Windows 7 and later" : "Vista");
        const std::vector<FilterCall> calls = FilterCallsFor(hWnd, bHasWindowForm);
        ASSERT_EQ(calls.size(), 4u);
        for (size_t i = 0; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i].message, messages[i]);
            EXPECT_EQ(calls[i].hWnd, bHasWindowForm ? hWnd : nullptr);
            EXPECT_EQ(calls[i].action, 1u);  // MSGFLT_ALLOW, or MSGFLT_ADD
        }
    }
}

TEST(SessionNotification, RegistersOnceTheSessionServicesAreReady)
{
    const HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, "Global\\TermSrvReadyEvent");
    CImportPatch patch("kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&FakeGetProcAddress));
    s_realGetProcAddress = patch.OriginalAs<decltype(&::GetProcAddress)>();
    const HWND hWnd = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, 0, 0, 0);
    ASSERT_TRUE(ready != nullptr && patch.IsApplied() && hWnd != nullptr);
    const UINT WM_READY = WM_APP + 1;
    CSessionNotification session;
    EXPECT_FALSE(session.Register(hWnd, WM_READY));  // refused at an early logon
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
