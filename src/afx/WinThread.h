// CWinThread: a thread with an optional message loop; AfxBeginThread starts
// a worker thread on a controlling function.
#pragma once

#include "afx/CmdTarget.h"

class CWnd;

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // TRUE: the object deletes itself when its thread ends.
    BOOL m_bAutoDelete = TRUE;

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD ResumeThread();
    BOOL SetThreadPriority(int nPriority);

    virtual BOOL InitInstance();
    // The message loop: runs until WM_QUIT, then returns ExitInstance().
    virtual int Run();
    virtual int ExitInstance();
    // Called when the message queue is empty; releases temporary objects.
    virtual BOOL OnIdle(LONG lCount);

protected:
    int m_nExitCode = 0;

private:
    static unsigned __stdcall ThreadEntry(void* pParam);

    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
};

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// The CWinThread object of the calling thread: the application object on the
// main thread, NULL on threads the framework did not start.
CWinThread* AfxGetThread();
// The calling thread's main window.
CWnd* AfxGetMainWnd();

namespace afx {
// Makes pThread the calling thread's CWinThread.
void SetCurrentThread(CWinThread* pThread);
}
