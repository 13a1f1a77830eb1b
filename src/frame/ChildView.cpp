#include "frame/ChildView.h"

BOOL CChildView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
    cs.lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                       ::LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    return TRUE;
}

void CChildView::OnPaint()
{
    CPaintDC dc(this);  // validates the window; nothing is drawn
}

const afx::MessageEntry* CChildView::MessageEntries()
{
    static const afx::MessageEntry entries[] = {
        afx::OnMessage<&CChildView::OnPaint>(WM_PAINT),
        afx::EndOfMap(),
    };
    return entries;
}
