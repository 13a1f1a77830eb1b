// CDialog: a modal dialog made from a dialog template resource.
#pragma once

#include "afx/DataExchange.h"
#include "afx/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    AFX_DECLARE_MESSAGE_MAP(CWnd)

    // Runs the dialog in a nested message loop; every other window of the
    // thread keeps receiving its messages meanwhile. The owner is the parent
    // given at construction, else the application's main window. Returns
    // the EndDialog result, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    // Exchanges data with the controls (UpdateData(FALSE)); TRUE lets the
    // dialog manager set the focus.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL HandleInitDialog();
};
