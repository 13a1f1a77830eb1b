// The yardstick for Ravo's benchmarks: the same job done the plain Win32
// way, with no framework. One hidden window and one tray icon; a low-level
// keyboard hook that posts every key to the window in front (the main window,
// or the panel while it is open); on the hotkey a modal panel with four icon
// buttons; on Enter two read-modify-write cycles through OBRAEvaluate and a
// tray refresh that reads the register again. Built three times: with the
// hook as bench_baseline_app.exe, without it (BASELINE_NO_HOOK) as
// bench_nohook.exe, and as bench_samesteps.exe (BASELINE_SAME_STEPS), which
// takes the program's foreground steps before its panel shows: the input
// attachments to the foreground thread, SetForegroundWindow, SetFocus and
// SW_HIDE on its hidden window, and its hook removed and installed again.
#include <windows.h>
#include <shellapi.h>

#include "BaselineRes.h"
#include "BenchProtocol.h"
#include "firmware/RadioStatus.h"

namespace {

const UINT WM_BASELINE_TRAY = WM_USER + 0xC4;
const UINT_PTR IDT_PANEL = 1;
const UINT PANEL_TIMEOUT_MS = 4000;
const int CHOICES = 4;

// Choice i: the panel icon, the caption, and the two enable bits it writes.
struct Choice {
    WORD icon;
    const char* caption;
    BOOL bluetooth;
    BOOL wlan;
};
const Choice CHOICE[CHOICES] = {
    { IDI_BASE_OSD_BT_ON, "Bluetooth is enabled.", TRUE, FALSE },
    { IDI_BASE_OSD_WLAN_ON, "Wireless LAN is enabled.", FALSE, TRUE },
    { IDI_BASE_OSD_BOTH_ON, "Bluetooth and Wireless LAN are enabled.", TRUE, TRUE },
    { IDI_BASE_OSD_BOTH_OFF, "Bluetooth and Wireless LAN are disabled.", FALSE, FALSE },
};

HINSTANCE g_hInstance;
HWND g_hMain;
HWND g_hKeyTarget;  // where the hook posts: the main window or the open panel
HHOOK g_hHook;
NOTIFYICONDATAA g_nid;
BOOL g_bPanelOpen;

int g_nSel;
int g_nInitialSel;

BYTE ReadRegister()
{
    const BYTE input[1] = { RADIO_STATUS_REGISTER };
    BYTE value = RADIO_STATUS_UNANSWERED;
    EvaluateRequest request = {};
    request.function = EVAL_READ;
    request.input = input;
    request.inputLength = 1;
    request.output = &value;
    request.outputLength = 1;
    OBRAEvaluate(request);
    return value;
}

void WriteBit(BYTE mask, BOOL enable)
{
    const BYTE value = ReadRegister();
    const BYTE input[2] = { RADIO_STATUS_REGISTER,
                            static_cast<BYTE>(enable ? (value | mask) : (value & ~mask)) };
    EvaluateRequest request = {};
    request.function = EVAL_WRITE;
    request.input = input;
    request.inputLength = 2;
    OBRAEvaluate(request);
}

// Reads the register and shows a fitting icon and tooltip.
void RefreshTray(DWORD message)
{
    const BYTE value = ReadRegister();
    const BOOL bt = (value & RADIO_BT_ENABLED) != 0;
    const BOOL wlan = (value & RADIO_WLAN_ENABLED) != 0;
    WORD icon = IDI_BASE_TRAY_BOTH_OFF;
    const char* tip = "Bluetooth and Wireless LAN are disabled.";
    if (bt && wlan) {
        icon = IDI_BASE_TRAY_BOTH_ON;
        tip = "Bluetooth and Wireless LAN are enabled.";
    } else if (bt) {
        icon = IDI_BASE_TRAY_BT_ON;
        tip = "Bluetooth is enabled.";
    } else if (wlan) {
        icon = IDI_BASE_TRAY_WLAN_ON;
        tip = "Wireless LAN is enabled.";
    }
    g_nid.hIcon = ::LoadIconA(g_hInstance, MAKEINTRESOURCEA(icon));
    ::lstrcpynA(g_nid.szTip, tip, sizeof(g_nid.szTip));
    g_nid.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    ::Shell_NotifyIconA(message, &g_nid);
}

#ifndef BASELINE_NO_HOOK
// Forwards every key to the window in front and passes it on.
LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const KBDLLHOOKSTRUCT* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    ::PostMessageA(g_hKeyTarget, WM_BASELINE_KEY, event->flags, event->scanCode);
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}
#endif

void ShowSelection(HWND hDlg)
{
    for (int i = 0; i < CHOICES; ++i)
        ::SendDlgItemMessageA(hDlg, IDC_BASE_BTN1 + i, BM_SETSTATE, i == g_nSel, 0);
    ::SetDlgItemTextA(hDlg, IDC_BASE_CAPTION, CHOICE[g_nSel].caption);
    ::SetTimer(hDlg, IDT_PANEL, PANEL_TIMEOUT_MS, nullptr);
}

void Apply(HWND hDlg)
{
    ::KillTimer(hDlg, IDT_PANEL);
    if (g_nSel != g_nInitialSel) {
        WriteBit(RADIO_BT_ENABLED, CHOICE[g_nSel].bluetooth);
        WriteBit(RADIO_WLAN_ENABLED, CHOICE[g_nSel].wlan);
        ::SendMessageA(g_hMain, WM_BASELINE_REFRESH, 0, 0);
    }
    ::EndDialog(hDlg, IDOK);
}

// Left/Right (and the hotkey) move the highlight; Enter applies; the radio
// event closes without applying; four seconds without a move applies.
void OnPanelKey(HWND hDlg, DWORD flags, DWORD scan)
{
    if (flags & LLKHF_UP)
        return;
    if (scan == SC_BENCH_LEFT) {
        g_nSel = (g_nSel + CHOICES - 1) % CHOICES;
        ShowSelection(hDlg);
    } else if (scan == SC_BENCH_RIGHT || (scan == SC_BENCH_HOTKEY && (flags & LLKHF_EXTENDED))) {
        g_nSel = (g_nSel + 1) % CHOICES;
        ShowSelection(hDlg);
    } else if (scan == SC_BENCH_ENTER) {
        Apply(hDlg);
    } else if (scan == SC_BENCH_RADIO) {
        ::EndDialog(hDlg, IDCANCEL);
    }
}

INT_PTR CALLBACK PanelProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        g_hKeyTarget = hDlg;
#ifdef BASELINE_SAME_STEPS
        g_hHook = ::SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, g_hInstance, 0);
#endif
        const BYTE value = ReadRegister();
        const BOOL bt = (value & RADIO_BT_ENABLED) != 0;
        const BOOL wlan = (value & RADIO_WLAN_ENABLED) != 0;
        g_nSel = bt && wlan ? 2 : bt ? 0 : wlan ? 1 : 3;
        g_nInitialSel = g_nSel;
        for (int i = 0; i < CHOICES; ++i) {
            const HANDLE hIcon = ::LoadImageA(g_hInstance, MAKEINTRESOURCEA(CHOICE[i].icon),
                                              IMAGE_ICON, 0, 0, LR_SHARED);
            ::SendDlgItemMessageA(hDlg, IDC_BASE_BTN1 + i, BM_SETIMAGE, IMAGE_ICON,
                                  reinterpret_cast<LPARAM>(hIcon));
        }
        ShowSelection(hDlg);
        return TRUE;
    }
    case WM_BASELINE_KEY:
        OnPanelKey(hDlg, static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
        return TRUE;
    case WM_TIMER:
        if (wParam == IDT_PANEL)
            Apply(hDlg);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            ::EndDialog(hDlg, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

void ShowPanel()
{
    if (g_bPanelOpen)
        return;
    g_bPanelOpen = TRUE;
    ReadRegister();  // as Ravo does: decide on a fresh read whether to show the panel
#ifdef BASELINE_SAME_STEPS
    // The hook goes and comes back with the panel (WM_INITDIALOG); the input
    // of the foreground thread is attached twice, before and after the
    // hidden window is made foreground.
    if (g_hHook != nullptr) {
        ::UnhookWindowsHookEx(g_hHook);
        g_hHook = nullptr;
    }
    ::AttachThreadInput(::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr),
                        ::GetCurrentThreadId(), TRUE);
    ::SetForegroundWindow(g_hMain);
    ::SetFocus(g_hMain);
    ::ShowWindow(g_hMain, SW_HIDE);
    ::AttachThreadInput(::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr),
                        ::GetCurrentThreadId(), TRUE);
#endif
    ::DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_BASE_PANEL), g_hMain, PanelProc, 0);
    g_hKeyTarget = g_hMain;
    g_bPanelOpen = FALSE;
}

LRESULT CALLBACK MainProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        g_hMain = hWnd;
        g_hKeyTarget = hWnd;
        g_nid.cbSize = NOTIFYICONDATAA_V2_SIZE;
        g_nid.hWnd = hWnd;
        g_nid.uID = 1;
        g_nid.uCallbackMessage = WM_BASELINE_TRAY;
        RefreshTray(NIM_ADD);
#ifndef BASELINE_NO_HOOK
        g_hHook = ::SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, g_hInstance, 0);
#endif
        return 0;
    case WM_BASELINE_KEY:
        if (!(wParam & LLKHF_UP) && lParam == SC_BENCH_HOTKEY && (wParam & LLKHF_EXTENDED))
            ShowPanel();
        else if (!(wParam & LLKHF_UP) && lParam == SC_BENCH_RADIO)
            RefreshTray(NIM_MODIFY);
        return 0;
    case WM_BASELINE_REFRESH:
        RefreshTray(NIM_MODIFY);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_BASELINE_PANEL)
            ShowPanel();
        return 0;
    case WM_CLOSE:
        ::Shell_NotifyIconA(NIM_DELETE, &g_nid);
        if (g_hHook != nullptr)
            ::UnhookWindowsHookEx(g_hHook);
        ::DestroyWindow(hWnd);
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
    g_hInstance = hInstance;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = BASELINE_CLASS;
    if (!::RegisterClassA(&wc))
        return 1;
    if (!::CreateWindowExA(0, BASELINE_CLASS, "Baseline", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0,
                           nullptr, nullptr, hInstance, nullptr))
        return 1;

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
