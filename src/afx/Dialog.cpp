#include "afx/Dialog.h"

#include "afx/WinApp.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

INT_PTR CDialog::DoModal()
{
    const HINSTANCE hInst = AfxGetResourceHandle();
    const HRSRC hResource = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDHelp), RT_DIALOG);
    const HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
    const auto* pTemplate =
        hTemplate != nullptr ? static_cast<LPCDLGTEMPLATEA>(::LockResource(hTemplate)) : nullptr;
    if (pTemplate == nullptr)
        return -1;

    HWND hOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (hOwner == nullptr) {
        if (CWnd* pMain = AfxGetMainWnd())
            hOwner = pMain->m_hWnd;
    }

    HookWindowCreate(this);
    const INT_PTR result =
        ::DialogBoxIndirectParamA(hInst, pTemplate, hOwner, &CDialog::DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    UnhookWindowCreate();
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    // Every other message has already been offered to the map by the
    // framework's window procedure, which owns the dialog window.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pDialog = static_cast<CDialog*>(FromHandlePermanent(hWnd));
    return pDialog != nullptr ? pDialog->HandleInitDialog() : TRUE;
}

BOOL CDialog::HandleInitDialog()
{
    RECT before;
    ::GetWindowRect(m_hWnd, &before);
    const BOOL result = OnInitDialog();
    // A dialog that did not place itself is centred (over its owner, or in
    // the work area when the owner is hidden). OnInitDialog may have
    // destroyed it, or let a message sent meanwhile destroy it.
    RECT after;
    if (IsWindow() && ::GetWindowRect(m_hWnd, &after) && ::EqualRect(&before, &after) &&
        !::IsWindowVisible(m_hWnd))
        CenterWindow();
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (IsWindow())
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    rControl.SubclassWindow(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC));
}

const afx::MessageEntry* CDialog::MessageEntries()
{
    static const afx::MessageEntry entries[] = {
        // IDOK and IDCANCEL reach OnOK and OnCancel through the map.
        afx::OnCommand<&CDialog::OnOK>(IDOK),
        afx::OnCommand<&CDialog::OnCancel>(IDCANCEL),
        afx::EndOfMap(),
    };
    return entries;
}
