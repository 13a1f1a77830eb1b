#include "OsdHarness.h"

#include "afx/Dialog.h"
#include "ImportPatch.h"
#include "osd/IconButton.h"
#include "osd/OsdShared.h"
#include "res/resource.h"
#include "shared/ExternalNames.h"

#include <cstring>

namespace {

HHOOK const FAKE_LL_HOOK = reinterpret_cast<HHOOK>(0x5A5A0001);

struct TimerCall {
    HWND hWnd;
    UINT_PTR nId;
    UINT nElapse;
};

HOOKPROC s_hookProc = nullptr;
bool s_hookInstalled = false;
int s_foregroundClaims = 0;
int s_inputAttachments = 0;  // attachments not undone yet
UINT s_shortPeriod = 0;  // 0: periods as asked
std::vector<TimerCall> s_timerCalls;
harness::FrameStandIn* s_pFrame = nullptr;
std::function<void()> s_duringClaim;

decltype(&::SetWindowsHookExA) s_realSetHook;
decltype(&::UnhookWindowsHookEx) s_realUnhook;
decltype(&::CallNextHookEx) s_realCallNext;
decltype(&::SetTimer) s_realSetTimer;
decltype(&::FindWindowA) s_realFindWindow;

HHOOK WINAPI FakeSetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId)
{
    if (idHook != WH_KEYBOARD_LL)
        return s_realSetHook(idHook, lpfn, hmod, dwThreadId);
    s_hookProc = lpfn;
    s_hookInstalled = true;
    return FAKE_LL_HOOK;
}

BOOL WINAPI FakeUnhookWindowsHookEx(HHOOK hhk)
{
    if (hhk != FAKE_LL_HOOK)
        return s_realUnhook(hhk);
    s_hookInstalled = false;
    return TRUE;
}

LRESULT WINAPI FakeCallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam)
{
    return hhk == FAKE_LL_HOOK ? 0 : s_realCallNext(hhk, nCode, wParam, lParam);
}

UINT_PTR WINAPI FakeSetTimer(HWND hWnd, UINT_PTR nId, UINT nElapse, TIMERPROC lpTimerFunc)
{
    s_timerCalls.push_back({ hWnd, nId, nElapse });
    if (s_shortPeriod != 0 && nElapse == OSD_TIMEOUT_MS)
        nElapse = s_shortPeriod;
    return s_realSetTimer(hWnd, nId, nElapse, lpTimerFunc);
}

BOOL WINAPI FakeAttachThreadInput(DWORD, DWORD, BOOL bAttach)
{
    if (bAttach) {
        ++s_foregroundClaims;
        ++s_inputAttachments;
        if (std::function<void()> action = std::move(s_duringClaim)) {
            s_duringClaim = nullptr;
            action();
        }
    } else {
        --s_inputAttachments;
    }
    return TRUE;
}

// Only this process's stand-in answers for the main frame's class.
HWND WINAPI FakeFindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName)
{
    if (lpClassName == nullptr || HIWORD(lpClassName) == 0 ||
        std::strcmp(lpClassName, RAVO_CLASS_NAME) != 0)
        return s_realFindWindow(lpClassName, lpWindowName);
    return s_pFrame != nullptr && lpWindowName == nullptr ? s_pFrame->m_hWnd : nullptr;
}

template <typename Fn>
CImportPatch* Patch(const char* dll, const char* name, Fn replacement, Fn& original)
{
    auto* patch = new CImportPatch(dll, name, reinterpret_cast<void*>(replacement));
    EXPECT_TRUE(patch->IsApplied()) << name;
    original = patch->OriginalAs<Fn>();
    return patch;
}

LRESULT CALLBACK FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_STATUS_CHANGED && s_pFrame != nullptr) {
        ++s_pFrame->refreshes;
        s_pFrame->writesAtRefresh = FakeObra::Writes().size();
        s_pFrame->hookAtRefresh = s_hookInstalled;
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

ATOM RegisterOnce(const char* name, WNDPROC proc)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    return ::RegisterClassA(&wc);
}

}  // namespace

namespace harness {

Fakes::Fakes()
{
    s_hookProc = nullptr;
    s_hookInstalled = false;
    s_foregroundClaims = 0;
    s_duringClaim = nullptr;
    s_inputAttachments = 0;
    s_shortPeriod = 0;
    s_timerCalls.clear();
    FakeObra::Reset(0);

    decltype(&::AttachThreadInput) unused;
    m_patches = {
        Patch("user32.dll", "SetWindowsHookExA", &FakeSetWindowsHookExA, s_realSetHook),
        Patch("user32.dll", "UnhookWindowsHookEx", &FakeUnhookWindowsHookEx, s_realUnhook),
        Patch("user32.dll", "CallNextHookEx", &FakeCallNextHookEx, s_realCallNext),
        Patch("user32.dll", "SetTimer", &FakeSetTimer, s_realSetTimer),
        Patch("user32.dll", "AttachThreadInput", &FakeAttachThreadInput, unused),
        Patch("user32.dll", "FindWindowA", &FakeFindWindowA, s_realFindWindow),
    };
}

Fakes::~Fakes()
{
    for (CImportPatch* patch : m_patches)
        delete patch;
}

void Key(DWORD scanCode, DWORD flags)
{
    if (!s_hookInstalled)
        return;
    KBDLLHOOKSTRUCT event = {};
    event.scanCode = scanCode;
    event.flags = flags;
    s_hookProc(HC_ACTION, (flags & LLKHF_UP) ? WM_KEYUP : WM_KEYDOWN,
               reinterpret_cast<LPARAM>(&event));
}

bool HookInstalled() { return s_hookInstalled; }
int ForegroundClaims() { return s_foregroundClaims; }
void DuringNextForegroundClaim(std::function<void()> action) { s_duringClaim = std::move(action); }
int InputAttachments() { return s_inputAttachments; }
void ShortenOsdTimers(UINT nPeriod) { s_shortPeriod = nPeriod; }

int TimerStarts(HWND hWnd, UINT_PTR nId)
{
    int count = 0;
    for (const TimerCall& call : s_timerCalls)
        count += call.hWnd == hWnd && call.nId == nId;
    return count;
}

UINT LastTimerPeriod(HWND hWnd, UINT_PTR nId)
{
    UINT period = 0;
    for (const TimerCall& call : s_timerCalls)
        if (call.hWnd == hWnd && call.nId == nId)
            period = call.nElapse;
    return period;
}

FrameStandIn::FrameStandIn()
{
    RegisterOnce(RAVO_CLASS_NAME, &FrameProc);
    m_hWnd = ::CreateWindowExA(0, RAVO_CLASS_NAME, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
    s_pFrame = this;
}

FrameStandIn::~FrameStandIn()
{
    s_pFrame = nullptr;
    ::DestroyWindow(m_hWnd);
}

ModalScript& ModalScript::Then(Step step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

LRESULT CALLBACK ModalScript::DriverProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* script = reinterpret_cast<ModalScript*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (script != nullptr && message == WM_TIMER && wParam == 1) {
        // The dialog shows when its loop first finds the queue empty, which
        // an expired timer can precede: wait for it.
        const HWND hDlg = script->m_pDialog->m_hWnd;
        if (hDlg != nullptr && ::IsWindowVisible(hDlg)) {
            ::KillTimer(hWnd, 1);
            script->RunNext();
        }
        return 0;
    }
    if (script != nullptr && message == WM_APP) {
        script->RunNext();
        return 0;
    }
    if (script != nullptr && message == WM_TIMER && wParam == 2) {
        ::KillTimer(hWnd, 2);
        if (script->m_pDialog->m_hWnd != nullptr)
            ::EndDialog(script->m_pDialog->m_hWnd, IDABORT);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void ModalScript::RunNext()
{
    const HWND hDlg = m_pDialog->m_hWnd;
    if (hDlg == nullptr)
        return;
    if (m_next < m_steps.size())
        m_steps[m_next++](hDlg);
    if (m_next < m_steps.size())
        ::PostMessageA(m_hDriver, WM_APP, 0, 0);
    else
        ::SetTimer(m_hDriver, 2, 3000, nullptr);
}

INT_PTR ModalScript::Run(CDialog& dialog)
{
    static const ATOM driverClass = RegisterOnce("OsdScriptDriver", &DriverProc);
    (void)driverClass;
    m_pDialog = &dialog;
    m_next = 0;
    m_hDriver = ::CreateWindowExA(0, "OsdScriptDriver", "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(m_hDriver, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetTimer(m_hDriver, 1, 10, nullptr);
    const INT_PTR result = dialog.DoModal();
    ::DestroyWindow(m_hDriver);
    m_hDriver = nullptr;
    return result;
}

void Notify(HWND hDlg, int nId, UINT nCode)
{
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nId, nCode),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nId)));
}

std::string ItemText(HWND hDlg, int nId)
{
    char text[256] = {};
    ::GetDlgItemTextA(hDlg, nId, text, sizeof(text));
    return text;
}

CIconButton* Button(HWND hDlg, int nId)
{
    return static_cast<CIconButton*>(CWnd::FromHandlePermanent(::GetDlgItem(hDlg, nId)));
}

int Highlighted(HWND hDlg)
{
    int found = -1;
    for (int i = 0; i < 4; ++i) {
        CIconButton* button = Button(hDlg, IDC_BTN1 + i);
        if (button != nullptr && button->IsSelected())
            found = found == -1 ? i : -2;
    }
    return found;
}

bool IconIs(HICON hIcon, UINT nIconId)
{
    const auto bits = [](HICON icon) {
        std::vector<BYTE> pixels;
        ICONINFO info = {};
        if (icon == nullptr || !::GetIconInfo(icon, &info))
            return pixels;
        BITMAP bm = {};
        ::GetObjectA(info.hbmColor, sizeof(bm), &bm);
        pixels.resize(static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
        ::GetBitmapBits(info.hbmColor, static_cast<LONG>(pixels.size()), pixels.data());
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        return pixels;
    };
    const HICON hReference = static_cast<HICON>(::LoadImageA(
        ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIconId), IMAGE_ICON, 0, 0, 0));
    const std::vector<BYTE> expected = bits(hReference);
    ::DestroyIcon(hReference);
    return !expected.empty() && bits(hIcon) == expected;
}

}  // namespace harness
