#include "frame/ForegroundHelper.h"

#include "afx/Afx.h"

BOOL CForegroundHelper::Activate()
{
    m_dwForegroundThreadId = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    const BOOL ok = ::AttachThreadInput(m_dwForegroundThreadId, ::GetCurrentThreadId(), TRUE);
    if (CWnd* pMainWnd = AfxGetMainWnd()) {
        pMainWnd->SetForegroundWindow();
        pMainWnd->SetFocus();
        pMainWnd->ShowWindow(SW_HIDE);
    }
    return ok != FALSE;
}
