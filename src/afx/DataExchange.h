// Dialog data exchange: the dialog and the direction of one exchange.
#pragma once

#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;
};

// Attaches rControl to dialog control nIDC (once), so the control's messages
// reach rControl's map.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
