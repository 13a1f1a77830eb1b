#include "FakeShell.h"

#include "RavoProcess.h"

#include <algorithm>
#include <map>

namespace {

const char SHELL_CLASS[] = "Shell_TrayWnd";

// Wine 8's record for one Shell_NotifyIcon call (its own, platform-neutral
// layout): window, id, flags, callback message, a 128-character UTF-16
// tooltip at offset 16, the balloon fields, then at offset 944 the picture's
// width, height, planes and bits per pixel, and after the 960-byte header the
// mask bits followed by the colour bits, as GetBitmapBits gives them.
const size_t RECORD_TIP = 16;
const size_t RECORD_TIP_CHARS = 128;
const size_t RECORD_HEADER = 960;

std::string Narrow(const wchar_t* text, size_t maxChars)
{
    size_t length = 0;
    while (length < maxChars && text[length] != 0)
        ++length;
    if (length == 0)
        return std::string();
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0,
                                           nullptr, nullptr);
    std::string result(size, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &result[0], size, nullptr,
                          nullptr);
    return result;
}

std::vector<BYTE> BitmapBits(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || !::GetObjectA(hBitmap, sizeof(bm), &bm))
        return {};
    std::vector<BYTE> bits(static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
    ::GetBitmapBits(hBitmap, static_cast<LONG>(bits.size()), bits.data());
    return bits;
}

// Mask and colour bits of each tray picture as the program loads it.
const std::map<UINT, std::vector<BYTE>>& TrayPictures()
{
    static std::map<UINT, std::vector<BYTE>> pictures;
    static bool loaded = false;
    if (loaded)
        return pictures;
    loaded = true;
    const HMODULE hRavo =
        ::LoadLibraryExA((BinDir() + "Ravo.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (hRavo == nullptr)
        return pictures;
    for (UINT id : { 128u, 138u, 140u, 142u, 144u, 146u, 148u }) {
        const HICON hIcon = static_cast<HICON>(
            ::LoadImageA(hRavo, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
        ICONINFO info = {};
        if (hIcon == nullptr || !::GetIconInfo(hIcon, &info))
            continue;
        std::vector<BYTE> bits = BitmapBits(info.hbmMask);
        const std::vector<BYTE> color = BitmapBits(info.hbmColor);
        bits.insert(bits.end(), color.begin(), color.end());
        pictures[id] = bits;
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
        ::DestroyIcon(hIcon);
    }
    ::FreeLibrary(hRavo);
    return pictures;
}

}  // namespace

UINT IconIdOf(const BYTE* bits, size_t size)
{
    for (const auto& picture : TrayPictures()) {
        if (picture.second.size() == size && std::equal(picture.second.begin(),
                                                        picture.second.end(), bits))
            return picture.first;
    }
    return 0;
}

CFakeShell::CFakeShell()
{
    TrayPictures();  // loaded here, not on the shell's thread while it answers
}

CFakeShell::~CFakeShell()
{
    Stop();
}

BOOL CFakeShell::Start()
{
    if (m_thread.joinable())
        return IsFirst();
    m_hReady = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this] { Run(); });
    ::WaitForSingleObject(m_hReady, 10000);
    ::CloseHandle(m_hReady);
    m_hReady = nullptr;
    // Wine's own tray window has the same class; the program talks to the
    // first in the z-order, which must be this one.
    return m_hWnd != nullptr && WaitUntil([this] {
        if (IsFirst())
            return true;
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return false;
    }, 2000);
}

void CFakeShell::Stop()
{
    if (!m_thread.joinable())
        return;
    ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
    m_hWnd = nullptr;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_icons.clear();
}

BOOL CFakeShell::IsFirst() const
{
    return m_hWnd != nullptr && ::FindWindowA(SHELL_CLASS, nullptr) == m_hWnd;
}

void CFakeShell::Run()
{
    m_threadId = ::GetCurrentThreadId();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &CFakeShell::WndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = SHELL_CLASS;
    ::RegisterClassA(&wc);  // fails harmlessly when a former shell registered it
    m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, SHELL_CLASS, "", WS_POPUP, 0, 0,
                               0, 0, nullptr, nullptr, wc.hInstance, this);
    ::SetEvent(m_hReady);
    if (m_hWnd == nullptr)
        return;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CFakeShell::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    } else if (message == WM_COPYDATA) {
        auto* self = reinterpret_cast<CFakeShell*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (self != nullptr)
            return self->OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return FALSE;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void CFakeShell::BeforeNextAnswer(std::function<void(const TrayCall&)> action)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_beforeAnswer = std::move(action);
}

void CFakeShell::RefuseAdds(int count)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_refuseAdds = count;
}

void CFakeShell::AnswerLate(int count)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lateAnswers = count;
}

BOOL CFakeShell::OnCopyData(const COPYDATASTRUCT* cds)
{
    if (cds == nullptr || cds->cbData < RECORD_HEADER)
        return FALSE;
    const BYTE* record = static_cast<const BYTE*>(cds->lpData);
    TrayCall call;
    call.op = static_cast<DWORD>(cds->dwData);
    LONG hWnd;
    memcpy(&hWnd, record, 4);
    call.hWnd = reinterpret_cast<HWND>(static_cast<LONG_PTR>(hWnd));
    memcpy(&call.uID, record + 4, 4);
    memcpy(&call.uFlags, record + 8, 4);
    memcpy(&call.uCallbackMessage, record + 12, 4);
    wchar_t tip[RECORD_TIP_CHARS];
    memcpy(tip, record + RECORD_TIP, sizeof(tip));
    call.tip = Narrow(tip, RECORD_TIP_CHARS);
    if (cds->cbData > RECORD_HEADER)
        call.iconId = IconIdOf(record + RECORD_HEADER, cds->cbData - RECORD_HEADER);

    std::function<void(const TrayCall&)> action;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        action.swap(m_beforeAnswer);
    }
    if (action)
        action(call);

    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = std::find_if(m_icons.begin(), m_icons.end(), [&](const TrayIconState& icon) {
        return icon.hWnd == call.hWnd && icon.uID == call.uID;
    });
    auto apply = [&](TrayIconState& icon) {
        if (call.uFlags & NIF_MESSAGE)
            icon.uCallbackMessage = call.uCallbackMessage;
        if (call.uFlags & NIF_TIP)
            icon.tip = call.tip;
        if (call.uFlags & NIF_ICON)
            icon.iconId = call.iconId;
    };
    switch (call.op) {
    case NIM_ADD:
        call.answer = it == m_icons.end();
        if (call.answer && m_refuseAdds > 0) {
            --m_refuseAdds;
            call.answer = FALSE;
        }
        if (call.answer) {
            TrayIconState icon;
            icon.hWnd = call.hWnd;
            icon.uID = call.uID;
            apply(icon);
            m_icons.push_back(icon);
        }
        break;
    case NIM_MODIFY:
        call.answer = it != m_icons.end();
        if (call.answer)
            apply(*it);
        break;
    case NIM_DELETE:
        call.answer = it != m_icons.end();
        if (call.answer)
            m_icons.erase(it);
        break;
    default:
        call.answer = it != m_icons.end();
        break;
    }
    if (call.answer && call.op != NIM_DELETE && m_lateAnswers > 0) {
        --m_lateAnswers;
        call.answer = FALSE;
    }
    m_calls.push_back(call);
    m_changed.notify_all();
    return call.answer;
}

std::vector<TrayCall> CFakeShell::Calls(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<TrayCall> calls;
    for (const TrayCall& call : m_calls) {
        if (hWnd == nullptr || call.hWnd == hWnd)
            calls.push_back(call);
    }
    return calls;
}

void CFakeShell::ClearCalls()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.clear();
}

std::vector<TrayIconState> CFakeShell::Icons(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<TrayIconState> icons;
    for (const TrayIconState& icon : m_icons) {
        if (hWnd == nullptr || icon.hWnd == hWnd)
            icons.push_back(icon);
    }
    return icons;
}

BOOL CFakeShell::IconOf(HWND hWnd, TrayIconState& icon)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const TrayIconState& shown : m_icons) {
        if (shown.hWnd == hWnd) {
            icon = shown;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CFakeShell::WaitForIcon(HWND hWnd, UINT iconId, const std::string* tip, DWORD timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        for (const TrayIconState& shown : m_icons) {
            if (shown.hWnd == hWnd)
                return shown.iconId == iconId && (tip == nullptr || shown.tip == *tip);
        }
        return false;
    });
}

void CFakeShell::BroadcastTaskbarCreated()
{
    ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}
