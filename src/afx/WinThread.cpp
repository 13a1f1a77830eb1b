#include "afx/WinThread.h"

#include "afx/ThreadSlot.h"
#include "afx/Wnd.h"

#include <process.h>

namespace {
CThreadSlot s_currentThread;
}

namespace afx {
void SetCurrentThread(CWinThread* pThread)
{
    s_currentThread.Set(pThread);
}
}  // namespace afx

CWinThread* AfxGetThread()
{
    return static_cast<CWinThread*>(s_currentThread.Get());
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->m_pMainWnd : nullptr;
}

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr)
        ::CloseHandle(m_hThread);
}

unsigned __stdcall CWinThread::ThreadEntry(void* pParam)
{
    auto* pThread = static_cast<CWinThread*>(pParam);
    afx::SetCurrentThread(pThread);
    UINT exitCode;
    if (pThread->m_pfnThreadProc != nullptr) {
        exitCode = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    } else if (pThread->InitInstance()) {
        exitCode = static_cast<UINT>(pThread->Run());
    } else {
        exitCode = static_cast<UINT>(pThread->ExitInstance());
    }
    CWnd::DeleteTempMap();
    if (pThread->m_bAutoDelete)
        delete pThread;
    return exitCode;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    unsigned threadId = 0;
    const uintptr_t handle = ::_beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry,
                                              this, dwCreateFlags, &threadId);
    if (handle == 0)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = threadId;
    return TRUE;
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    return ::SetThreadPriority(m_hThread, nPriority);
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::Run()
{
    MSG msg;
    for (;;) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            OnIdle(0);
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            m_nExitCode = got == 0 ? static_cast<int>(msg.wParam) : -1;
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinThread::ExitInstance()
{
    return m_nExitCode;
}

BOOL CWinThread::OnIdle(LONG)
{
    CWnd::DeleteTempMap();
    return FALSE;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        pThread->ResumeThread();
    return pThread;
}
