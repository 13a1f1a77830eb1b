#include "osd/ForegroundHelper.h"

#include "afx/WinApp.h"
#include "afx/Wnd.h"

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
