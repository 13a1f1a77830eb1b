// e2e_editor.exe: another program of the session, the one the user was
// typing in when a display of Ravo opened. One window in front with an edit
// control that has the focus; the end-to-end tests read back what reaches
// it. It keeps the focus on the edit control whenever its window gets the
// focus, as an editor does.
#include <windows.h>

namespace {

const int IDC_EDIT = 100;

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 300, 24,
                          hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_EDIT)),
                          reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance, nullptr);
        return 0;
    case WM_SETFOCUS:
        ::SetFocus(::GetDlgItem(hWnd, IDC_EDIT));
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "RavoE2eEditor";
    if (!::RegisterClassA(&wc))
        return 1;
    const HWND hWnd = ::CreateWindowExA(0, wc.lpszClassName, "Editor", WS_OVERLAPPEDWINDOW,
                                        100, 100, 340, 90, nullptr, nullptr, hInstance, nullptr);
    if (hWnd == nullptr)
        return 1;
    ::ShowWindow(hWnd, SW_SHOWNORMAL);
    ::SetForegroundWindow(hWnd);
    ::SetFocus(::GetDlgItem(hWnd, IDC_EDIT));
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
