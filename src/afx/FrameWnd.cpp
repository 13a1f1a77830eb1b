#include "afx/FrameWnd.h"

#include "afx/WinApp.h"

const CRuntimeClass CFrameWnd::classCFrameWnd = { "CFrameWnd", &CWnd::classCWnd };
const CRuntimeClass* CFrameWnd::GetRuntimeClass() const { return &classCFrameWnd; }

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* /*pContext*/)
{
    // The title is the resource string up to its first line break.
    CString title;
    title.LoadString(nIDResource);
    const LPCSTR full = title;
    int length = 0;
    while (full[length] != '\0' && full[length] != '\n')
        ++length;
    const CString text(full, length);

    const HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
    const BOOL created = CreateEx(0, nullptr, text, dwDefaultStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, hMenu);
    if (!created && hMenu != nullptr)
        ::DestroyMenu(hMenu);  // a failed creation leaves the menu unowned
    return created;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                           ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return cs.lpszClass != nullptr;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
