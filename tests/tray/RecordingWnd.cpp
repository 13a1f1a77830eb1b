#include "RecordingWnd.h"

#include "afx/WinApp.h"

BOOL CRecordingWnd::CreateHidden()
{
    return CreateEx(0, AfxRegisterWndClass(0), "RavoTrayTest", WS_POPUP, 0, 0, 10, 10, nullptr,
                    nullptr);
}

void CRecordingWnd::PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

LRESULT CRecordingWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message == WM_NULL)
        m_messages.push_back({ message, wParam, lParam });
    if (message == WM_COMMAND)
        return 0;
    return CWnd::WindowProc(message, wParam, lParam);
}
