#include "E2eSupport.h"

#include "support/KeyInput.h"
#include "RadioModel.h"
#include "firmware/FirmwareState.h"

#include <cstdio>

namespace e2e {

DWORD FirmwareRequestCount()
{
    CFirmwareProbe::UseInstance(FIRMWARE_INSTANCE);
    CFirmwareState state;
    DWORD sequence = 0;
    state.Access([&](FirmwareSharedState& shared) { sequence = shared.sequence; });
    return sequence;
}

DWORD RequestsForRadioKey(HWND hWnd, DWORD waitMs)
{
    Responsive(hWnd);
    const DWORD before = FirmwareRequestCount();
    PressScanCode(0x71, false);
    WaitUntil([&] { return FirmwareRequestCount() != before; }, waitMs);
    ::Sleep(300);
    Responsive(hWnd);
    return FirmwareRequestCount() - before;
}

BOOL SendTimed(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
               LRESULT* result)
{
    DWORD_PTR answer = 0;
    const LRESULT sent =
        ::SendMessageTimeoutA(hWnd, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &answer);
    if (result != nullptr)
        *result = static_cast<LRESULT>(answer);
    return sent != 0;
}

BOOL Responsive(HWND hWnd, DWORD timeoutMs)
{
    return SendTimed(hWnd, WM_NULL, 0, 0, timeoutMs);
}

int ControlOf(Osd kind)
{
    switch (kind) {
    case Osd::Selection: return IDC_CHOICE_TEXT;
    case Osd::Notice: return IDC_BTN5;
    default: return IDC_VERSION;
    }
}

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

}  // namespace


std::vector<HWND> MenusOf(DWORD pid)
{
    return TopLevelWindowsOf(pid, "#32768", true);
}

HWND FindDialog(DWORD pid, Osd kind)
{
    for (HWND hDlg : VisibleDialogsOf(pid)) {
        if (::GetDlgItem(hDlg, ControlOf(kind)) != nullptr)
            return hDlg;
    }
    return nullptr;
}

HWND WaitForDialog(DWORD pid, Osd kind, DWORD timeoutMs)
{
    HWND hDlg = nullptr;
    WaitUntil([&] { return (hDlg = FindDialog(pid, kind)) != nullptr; }, timeoutMs);
    return hDlg;
}

BOOL WaitForNoDialog(DWORD pid, DWORD timeoutMs)
{
    return WaitUntil([&] { return VisibleDialogsOf(pid).empty(); }, timeoutMs);
}

int CountWindowsOf(DWORD pid)
{
    const std::vector<HWND> windows = TopLevelWindowsOf(pid, nullptr, false);
    int count = static_cast<int>(windows.size());
    for (HWND hWnd : windows)
        ::EnumChildWindows(hWnd, &CountChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

BOOL ItemEnabled(HWND hDlg, int id)
{
    const HWND hItem = ::GetDlgItem(hDlg, id);
    return hItem != nullptr && ::IsWindowEnabled(hItem);
}

std::vector<std::string> ChildTexts(HWND hDlg)
{
    std::vector<std::string> texts;
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char text[512] = {};
        SendTimed(hChild, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

namespace {

// Top-down 32-bit pixels of a bitmap.
std::vector<DWORD> PixelsOf(HDC hdc, HBITMAP hBitmap, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    if (!::GetDIBits(hdc, hBitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS))
        pixels.clear();
    return pixels;
}

}  // namespace

UINT PictureOnButton(HWND hButton, const std::vector<UINT>& candidates)
{
    RECT rc = {};
    POINT origin = { 0, 0 };
    if (!::GetClientRect(hButton, &rc) || !::ClientToScreen(hButton, &origin))
        return 0;
    const int width = rc.right, height = rc.bottom;
    const HDC hScreen = ::GetDC(nullptr);
    const HDC hMem = ::CreateCompatibleDC(hScreen);
    const HBITMAP hShot = ::CreateCompatibleBitmap(hScreen, width, height);
    const HGDIOBJ hOld = ::SelectObject(hMem, hShot);
    ::BitBlt(hMem, 0, 0, width, height, hScreen, origin.x, origin.y, SRCCOPY);
    ::SelectObject(hMem, hOld);
    const std::vector<DWORD> shot = PixelsOf(hMem, hShot, width, height);
    ::DeleteObject(hShot);

    const HMODULE hRavo =
        ::LoadLibraryExA((BinDir() + "Ravo.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    UINT best = 0;
    double bestMatch = 0.0;
    for (UINT id : candidates) {
        const HICON hIcon = static_cast<HICON>(
            ::LoadImageA(hRavo, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
        ICONINFO info = {};
        if (shot.empty() || hIcon == nullptr || !::GetIconInfo(hIcon, &info))
            continue;
        const int size = static_cast<int>(info.xHotspot) * 2;
        const std::vector<DWORD> icon = PixelsOf(hMem, info.hbmColor, size, size);
        // Placed as the button centres it: halved with an arithmetic shift.
        const int left = (width - size) >> 1, top = (height - size) >> 1;
        int opaque = 0, same = 0;
        for (int y = 0; y < size && !icon.empty(); ++y) {
            for (int x = 0; x < size; ++x) {
                const DWORD pixel = icon[static_cast<size_t>(y) * size + x];
                const int sx = left + x, sy = top + y;
                if ((pixel >> 24) != 0xFF || sx < 0 || sy < 0 || sx >= width || sy >= height)
                    continue;
                ++opaque;
                same += (shot[static_cast<size_t>(sy) * width + sx] & 0xFFFFFF) == (pixel & 0xFFFFFF);
            }
        }
        const double match = opaque > 0 ? static_cast<double>(same) / opaque : 0.0;
        if (match > bestMatch) {
            bestMatch = match;
            best = id;
        }
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
        ::DestroyIcon(hIcon);
    }
    if (hRavo != nullptr)
        ::FreeLibrary(hRavo);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    return bestMatch >= 0.9 ? best : 0;
}

BOOL SendKey(HWND hWnd, WPARAM flags, LPARAM scanCode)
{
    return SendTimed(hWnd, WM_HOOKKEY, flags, scanCode);
}

void PressVirtualKey(WORD vk)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(150);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof(input));
}

void ClickCentre(HWND hWnd, int count)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    // Moved there as a mouse would go, and given a moment, before the press.
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv((rc.left + rc.right) / 2, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv((rc.top + rc.bottom) / 2, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &move, sizeof(move));
    ::Sleep(100);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            ::Sleep(50);  // well inside the double-click time
        ::SendInput(2, click, sizeof(INPUT));
    }
}

namespace {

const char VERSION_KEY[] = "SOFTWARE\\RAVO";
const char VERSION_VALUE[] = "Version";

}  // namespace

CVersionValue::CVersionValue()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, VERSION_KEY, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    m_bKeyExisted = TRUE;
    DWORD size = 0;
    if (::RegQueryValueExA(hKey, VERSION_VALUE, nullptr, &m_type, nullptr, &size) ==
        ERROR_SUCCESS) {
        m_data.resize(size);
        m_bExisted = ::RegQueryValueExA(hKey, VERSION_VALUE, nullptr, &m_type, m_data.data(),
                                        &size) == ERROR_SUCCESS;
        m_data.resize(size);
    }
    ::RegCloseKey(hKey);
}

CVersionValue::~CVersionValue()
{
    if (m_bExisted)
        Set(m_type, m_data.data(), static_cast<DWORD>(m_data.size()));
    else if (m_bKeyExisted)
        Remove();
    else
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, VERSION_KEY);
}

BOOL CVersionValue::Set(DWORD type, const void* data, DWORD size)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyA(HKEY_LOCAL_MACHINE, VERSION_KEY, &hKey) != ERROR_SUCCESS)
        return FALSE;
    const LONG result = ::RegSetValueExA(hKey, VERSION_VALUE, 0, type,
                                         static_cast<const BYTE*>(data), size);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

BOOL CVersionValue::SetString(const std::string& text)
{
    return Set(REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

BOOL CVersionValue::Remove()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, VERSION_KEY, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
        return TRUE;
    const LONG result = ::RegDeleteValueA(hKey, VERSION_VALUE);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

namespace {

// Wine's heap checking for Ravo.exe, the system's per-program global flags:
// freed blocks are filled with 0xFEEEFEEE, so that a window object used
// after it was deleted fails a test instead of passing by luck.
const char HEAP_FLAGS_KEY[] =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\Ravo.exe";
const DWORD FLG_HEAP_CHECKS = 0x70;  // free fill, tail check, parameter checks

void SetHeapChecking(bool on)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, HEAP_FLAGS_KEY, 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return;
    if (on) {
        ::RegSetValueExA(hKey, "GlobalFlag", 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&FLG_HEAP_CHECKS), sizeof(DWORD));
    } else {
        ::RegDeleteValueA(hKey, "GlobalFlag");
    }
    ::RegCloseKey(hKey);
}

}  // namespace

CEditor::~CEditor()
{
    if (m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    m_process.WaitOrKill(5000);
}

BOOL CEditor::Start()
{
    if (!m_process.Launch("e2e_editor.exe"))
        return FALSE;
    if (!WaitUntil([&] {
            const std::vector<HWND> windows =
                TopLevelWindowsOf(m_process.Pid(), "RavoE2eEditor", true);
            m_hWnd = windows.empty() ? nullptr : windows.front();
            return m_hWnd != nullptr;
        }, 10000))
        return FALSE;
    m_hEdit = ::FindWindowExA(m_hWnd, nullptr, "EDIT", nullptr);
    return m_hEdit != nullptr &&
           WaitUntil([&] { return ::GetForegroundWindow() == m_hWnd; }, 5000);
}

std::string CEditor::Text() const
{
    char text[256] = {};
    SendTimed(m_hEdit, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

CSession::CSession() : m_pShell(new CFakeShell)
{
    SetHeapChecking(true);
}

CSession::~CSession()
{
    if (m_ravo.IsRunning())
        Close();
    SetHeapChecking(false);
}

BOOL CSession::Start(BYTE status, const std::string& arguments)
{
    // What went wrong, on stderr: the callers only assert the result.
    const auto fail = [](const char* what) {
        std::fprintf(stderr, "CSession::Start: %s\n", what);
        return FALSE;
    };
    if (!m_pShell->Start())
        return fail("the stand-in shell is not the first Shell_TrayWnd");
    if (!WaitForNoRavoWindow())
        return fail("a former copy's window is still there");
    m_firmware.Reset();
    m_firmware.SetStatus(status);
    if (!m_ravo.Start(arguments))
        return fail("Ravo.exe did not start");
    m_hWnd = m_ravo.WaitForMainWindow(15000);
    if (m_hWnd == nullptr)
        return fail("no main window");
    // Its picture: the tooltip's wording is the test's to check, in the
    // language the copy shows.
    const UINT id = model::TrayIdFor(status);
    return m_pShell->WaitForIcon(m_hWnd, id, nullptr) ? TRUE
                                                      : fail("the tray does not show the state");
}

DWORD CSession::Close()
{
    const DWORD code = m_ravo.Close(15000);
    WaitForNoRavoWindow();
    return code;
}

BOOL CSession::WaitForTrayOf(BYTE status, DWORD timeoutMs)
{
    const UINT id = model::TrayIdFor(status);
    return m_pShell->WaitForIcon(m_hWnd, id, model::TextOf(id), timeoutMs);
}

BOOL CSession::TrayEmpty()
{
    TrayIconState icon;
    return !m_pShell->IconOf(m_hWnd, icon);
}

BOOL CSession::RestartShell()
{
    m_pShell.reset();
    m_pShell.reset(new CFakeShell);
    return m_pShell->Start();
}

}  // namespace e2e
