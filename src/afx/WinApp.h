// CWinApp: the application object. Exactly one exists; AfxWinMain runs its
// InitInstance and then its message loop.
#pragma once

#include "afx/CommandLineInfo.h"
#include "afx/WinThread.h"

class CWinApp : public CWinThread {
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;

    // Splits the process's command line (the C runtime's argument vector)
    // and hands each argument to rCmdInfo.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);

    // Kept for the program's start-up sequence; they change nothing here.
    BOOL Enable3dControls();
    void SetRegistryKey(LPCSTR lpszRegistryKey);
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// Registers a window class unless this module has registered it already.
BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);
// Registers (once) a class with the framework's default procedure and the
// given look; returns the class atom (MAKEINTATOM), nullptr on failure.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                           HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
// Kept for the program's start-up sequence; the framework hosts no controls.
void AfxEnableControlContainer();

// The process's main function: InitInstance, then Run. Returns the exit code.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
