#include "Keys.h"

#include "Clock.h"
#include "support/KeyInput.h"

#include <vector>

namespace {

const char SINK_CLASS[] = "RavoBenchKeySink";
long g_received;

LRESULT CALLBACK SinkProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        ++g_received;  // never passed on: no menu, help or beep for the test key
        return 0;
    default:
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

}  // namespace

CKeySink::CKeySink()
{
    const HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SinkProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = SINK_CLASS;
    ::RegisterClassA(&wc);
    m_hWnd = ::CreateWindowExA(0, SINK_CLASS, "key sink", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64,
                               nullptr, nullptr, hInstance, nullptr);
}

CKeySink::~CKeySink()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

BOOL CKeySink::TakeFocus()
{
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    return ::GetForegroundWindow() == m_hWnd && ::GetFocus() == m_hWnd;
}

long CKeySink::Received() const
{
    return g_received;
}

double CKeySink::Burst(WORD scanCode, int count, double timeoutMs)
{
    std::vector<INPUT> inputs;
    inputs.reserve(count);
    for (int i = 0; i < count; ++i)
        inputs.push_back(ScanCodeInput(scanCode, false, i % 2 == 1));

    g_received = 0;
    const double start = NowMs();
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        if (g_received >= count)
            return NowMs() - start;
        const double left = timeoutMs - (NowMs() - start);
        if (left <= 0)
            return -1.0;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1,
                                    QS_ALLINPUT);
    }
}
