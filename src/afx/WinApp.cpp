#include "afx/WinApp.h"

#include "afx/Wnd.h"

#include <stdlib.h>  // __argc, __argv

namespace {
CWinApp* s_pApp = nullptr;
}  // namespace

CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName)
{
    s_pApp = this;
    m_bAutoDelete = FALSE;
}

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = nullptr;
    if (AfxGetThread() == this)
        afx::SetCurrentThread(nullptr);
    m_hThread = nullptr;  // the process's own thread: not ours to close
}

CWinApp* AfxGetApp()
{
    return s_pApp;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (s_pApp != nullptr && s_pApp->m_hInstance != nullptr)
        return s_pApp->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; ++i) {
        LPCSTR param = __argv[i];
        const BOOL bFlag = param[0] == '-' || param[0] == '/';
        if (bFlag)
            ++param;
        rCmdInfo.ParseParam(param, bFlag, i + 1 == __argc);
    }
}

BOOL CWinApp::Enable3dControls()
{
    return TRUE;
}

void CWinApp::SetRegistryKey(LPCSTR)
{
}

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA existing;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassA(lpWndClass) != 0;
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per combination of module and attributes. The caller gets its
    // atom, which names the class to CreateWindowEx and needs no storage.
    char name[64];
    const HINSTANCE hInst = AfxGetInstanceHandle();
    ::wsprintfA(name, "Afx:%08lX:%x:%08lX:%08lX:%08lX",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hInst)), nClassStyle,
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hCursor)),
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hbrBackground)),
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hIcon)));
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    ATOM atom = static_cast<ATOM>(::GetClassInfoExA(hInst, name, &existing));
    if (atom != 0)
        return MAKEINTATOM(atom);
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    atom = ::RegisterClassA(&wc);
    if (atom == 0)  // another thread may have registered it meanwhile
        atom = static_cast<ATOM>(::GetClassInfoExA(hInst, name, &existing));
    return atom != 0 ? MAKEINTATOM(atom) : nullptr;
}

void AfxEnableControlContainer()
{
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_nThreadID = ::GetCurrentThreadId();
    afx::SetCurrentThread(pApp);

    int exitCode;
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        exitCode = pApp->ExitInstance();
    } else {
        exitCode = pApp->Run();
    }
    CWnd::DeleteTempMap();
    return exitCode;
}
