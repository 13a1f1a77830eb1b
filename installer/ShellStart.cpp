// ShellStart: starts a program through the desktop's shell, so that it runs
// with the signed-in user's normal rights rather than its caller's. The
// installer runs elevated; a program that it started itself would run
// elevated too, and so would every named object that program creates.
//
//   ShellStart.exe <program>
//
// The desktop's Explorer carries out the start with ShellExecute of its own
// IShellDispatch2, reached through the desktop window's shell view: the same
// shell that starts the Run key's entries at logon and a double-clicked
// program. Exit codes:
//   0  the shell took the request
//   1  not started: no shell could be reached in time, or it refused
//   2  wrong arguments
//   3  not known: the deadline passed while the request was with the
//      shell, which may still carry it out
#include <windows.h>
// Before shldisp.h: its ShellExecute macro then renames the dispatch method
// and the call alike.
#include <shellapi.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

namespace {

const int kStarted = 0;
const int kNotStarted = 1;
const int kWrongArguments = 2;
const int kNotKnown = 3;

const int kAttempts = 20;
const DWORD kRetryMs = 500;
// The installer waits for this program; a shell that hangs in a call must
// not hold its Finish page open.
const DWORD kDeadlineMs = 30000;

// Owns one interface pointer.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // The out-parameter of a call that hands over a new reference.
    T** Out()
    {
        Reset();
        return &m_p;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }

    void Reset()
    {
        if (m_p != nullptr)
            m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

// One VARIANT, cleared on destruction.
class Variant {
public:
    Variant() { ::VariantInit(&m_v); }
    explicit Variant(LONG value) : Variant()
    {
        m_v.vt = VT_I4;
        m_v.lVal = value;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&m_v); }

    VARIANT* Ptr() { return &m_v; }
    // By value, as dispatch methods take it: the callee gets a shallow copy
    // and frees nothing.
    const VARIANT& Value() const { return m_v; }

private:
    VARIANT m_v;
};

class Bstr {
public:
    explicit Bstr(const wchar_t* text) : m_s(::SysAllocString(text)) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { ::SysFreeString(m_s); }
    BSTR Get() const { return m_s; }

private:
    BSTR m_s;
};

class ComApartment {
public:
    ComApartment() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    bool Ok() const { return SUCCEEDED(m_hr); }

private:
    HRESULT m_hr;
};

// The Shell.Application object of the running desktop: the desktop window's
// browser, its shell view, the view's automation object and its
// application. A ShellExecute on it runs inside Explorer.
bool DesktopShell(ComPtr<IShellDispatch2>& shell)
{
    ComPtr<IShellWindows> windows;
    if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                  IID_IShellWindows, windows.OutVoid())))
        return false;
    Variant desktopLocation(CSIDL_DESKTOP);
    Variant noRoot;
    LONG hWnd = 0;
    ComPtr<IDispatch> desktop;
    if (windows->FindWindowSW(desktopLocation.Ptr(), noRoot.Ptr(), SWC_DESKTOP, &hWnd,
                              SWFO_NEEDDISPATCH, desktop.Out()) != S_OK ||
        !desktop)
        return false;
    ComPtr<IServiceProvider> provider;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IDispatch> background;
    ComPtr<IShellFolderViewDual> folderView;
    ComPtr<IDispatch> application;
    return SUCCEEDED(desktop->QueryInterface(IID_IServiceProvider, provider.OutVoid())) &&
           SUCCEEDED(provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                            browser.OutVoid())) &&
           SUCCEEDED(browser->QueryActiveShellView(view.Out())) && view &&
           SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch,
                                         background.OutVoid())) && background &&
           SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual,
                                                folderView.OutVoid())) &&
           SUCCEEDED(folderView->get_Application(application.Out())) && application &&
           SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.OutVoid())) &&
           shell;
}

// Set once the start request is on its way to the shell: from then on, a
// deadline that passes leaves the outcome unknown.
volatile LONG s_requestSent = 0;

int Run(const wchar_t* program)
{
    ComApartment apartment;
    if (!apartment.Ok())
        return kNotStarted;
    // A shell that is still starting (or a busy one) answers a moment later.
    ComPtr<IShellDispatch2> shell;
    for (int attempt = 0; !DesktopShell(shell); ++attempt) {
        if (attempt == kAttempts)
            return kNotStarted;
        ::Sleep(kRetryMs);
    }
    Bstr file(program);
    Variant noArguments, noFolder, defaultVerb;
    Variant show(SW_SHOWNORMAL);
    ::InterlockedExchange(&s_requestSent, 1);
    return SUCCEEDED(shell->ShellExecute(file.Get(), noArguments.Value(), noFolder.Value(),
                                         defaultVerb.Value(), show.Value()))
               ? kStarted
               : kNotStarted;
}

DWORD WINAPI RunThread(LPVOID program)
{
    return static_cast<DWORD>(Run(static_cast<const wchar_t*>(program)));
}

// Runs the start on a thread of its own and gives up at the deadline; the
// process exit then ends the thread, wherever it waits. The thread reads
// program until then, so the caller must not free it.
int RunWithDeadline(const wchar_t* program)
{
    const HANDLE thread = ::CreateThread(nullptr, 0, RunThread, const_cast<wchar_t*>(program),
                                         0, nullptr);
    if (thread == nullptr)
        return Run(program);
    DWORD result = kNotStarted;
    if (::WaitForSingleObject(thread, kDeadlineMs) != WAIT_OBJECT_0)
        result = ::InterlockedCompareExchange(&s_requestSent, 0, 0) != 0 ? kNotKnown : kNotStarted;
    else if (!::GetExitCodeThread(thread, &result))
        result = kNotStarted;
    ::CloseHandle(thread);
    return static_cast<int>(result);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int argc = 0;
    // Never freed: a start thread given up at the deadline may still read
    // it, and the process's end frees it.
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const int result = argv != nullptr && argc == 2 ? RunWithDeadline(argv[1]) : kWrongArguments;
    // Not through the C runtime's exit: a start thread still waiting on
    // the shell would make its clean-up wait too.
    ::ExitProcess(static_cast<UINT>(result));
}
