#include "afx/WinApp.h"

#include "afx/Wnd.h"

#include <cstdio>
#include <cstdlib>

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
    thread_local char name[96];
    const HINSTANCE hInst = AfxGetInstanceHandle();
    std::snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst),
                  nClassStyle, static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
                  static_cast<void*>(hIcon));
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    return AfxRegisterClass(&wc) ? name : nullptr;
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
