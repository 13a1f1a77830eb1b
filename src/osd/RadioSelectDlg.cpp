#include "osd/RadioSelectDlg.h"

#include "res/resource.h"
#include "shared/ExternalNames.h"

namespace {

const UINT_PTR IDT_AUTO_APPLY = 1;
const int MAX_CHOICES = 4;
const int BUTTON_SIZE = 72;  // pixels, to fit a 64 x 64 icon and its highlight

// What applying a choice writes: Bluetooth bit first, then Wireless LAN bit.
struct ChoiceBits {
    UINT nStateId;
    BOOL bBluetooth;
    BOOL bWlan;
};
const ChoiceBits s_choiceBits[] = {
    { IDR_OSD_BT_ON, TRUE, FALSE },
    { IDR_OSD_BOTH_ON, TRUE, TRUE },
    { IDR_OSD_BT_OFF, FALSE, FALSE },
    { IDR_OSD_BOTH_OFF, FALSE, FALSE },
    { IDR_OSD_WLAN_OFF, FALSE, FALSE },
    { IDR_OSD_WLAN_ON, FALSE, TRUE },
};

}  // namespace

// Shared by every run of the panel and kept from one run to the next.
static UINT s_choiceIds[MAX_CHOICES];  // state ids of the choices, in button order
static BOOL s_bMoveLeft;               // direction of the next step
static BOOL s_bStep;                   // FALSE: Navigate keeps m_nSel as set by a click

CRadioSelectDlg::CRadioSelectDlg(CWnd* pParent)
    : COsdDlg(IDD_RADIO_SELECT, pParent),
      m_pButtons(),
      m_nChoiceCount(0),
      m_nSel(0),
      m_nInitialSel(0),
      m_state()
{
}

void CRadioSelectDlg::DoDataExchange(CDataExchange* pDX)
{
    COsdDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BTN1, m_btn1);
    DDX_Control(pDX, IDC_BTN2, m_btn2);
    DDX_Control(pDX, IDC_BTN3, m_btn3);
    DDX_Control(pDX, IDC_BTN4, m_btn4);
}

BOOL CRadioSelectDlg::OnInitDialog()
{
    COsdDlg::OnInitDialog();

    InstallHook();
    SetTimer(IDT_AUTO_APPLY, OSD_TIMEOUT_MS, nullptr);
    m_foreground.Activate();
    if (!IsWindow())
        return ClosedDuringClaim();

    m_pButtons[0] = &m_btn1;
    m_pButtons[1] = &m_btn2;
    m_pButtons[2] = &m_btn3;
    m_pButtons[3] = &m_btn4;

    ReadStatus();
    BuildChoices();

    if (m_nChoiceCount == 0) {
        // The radios went away since the caller looked: there is nothing to
        // offer or apply. Close before the panel shows, leaving no hook.
        KillTimer(IDT_AUTO_APPLY);
        UninstallHook();
        EndDialog(IDCANCEL);
        return TRUE;
    }

    Navigate(TRUE);

    for (int i = 0; i < MAX_CHOICES; ++i)
        m_pButtons[i]->SetWindowPos(nullptr, 0, 0, BUTTON_SIZE, BUTTON_SIZE, SWP_NOMOVE);
    PlaceOnUsersMonitor();
    FocusHighlighted();
    return FALSE;  // the focus is set: on the highlighted button
}

BOOL CRadioSelectDlg::ClosedDuringClaim()
{
    // The foreground claim handles messages other threads send: a shut-down
    // among them destroyed the panel with its owner. Nothing is applied.
    UninstallHook();
    return FALSE;
}

BOOL CRadioSelectDlg::ReadStatus()
{
    m_radio.Read();
    m_state = m_radio.State();
    return TRUE;
}

void CRadioSelectDlg::BuildChoices()
{
    if (m_state.btPresent && m_state.wlanPresent) {
        s_choiceIds[0] = IDR_OSD_BT_ON;
        s_choiceIds[1] = IDR_OSD_WLAN_ON;
        s_choiceIds[2] = IDR_OSD_BOTH_ON;
        s_choiceIds[3] = IDR_OSD_BOTH_OFF;
        m_nChoiceCount = 4;
        if (m_state.btEnabled && !m_state.wlanEnabled)
            m_nSel = 0;
        else if (!m_state.btEnabled && m_state.wlanEnabled)
            m_nSel = 1;
        else if (m_state.btEnabled && m_state.wlanEnabled)
            m_nSel = 2;
        else
            m_nSel = 3;
    } else if (m_state.btPresent) {
        s_choiceIds[0] = IDR_OSD_BT_ON;
        s_choiceIds[1] = IDR_OSD_BT_OFF;
        m_nChoiceCount = 2;
        m_nSel = m_state.btEnabled ? 0 : 1;
    } else if (m_state.wlanPresent) {
        s_choiceIds[0] = IDR_OSD_WLAN_ON;
        s_choiceIds[1] = IDR_OSD_WLAN_OFF;
        m_nChoiceCount = 2;
        m_nSel = m_state.wlanEnabled ? 0 : 1;
    } else {
        return;
    }

    // A button's window text is what a screen reader names it by; owner
    // drawn, it never shows.
    for (int i = 0; i < m_nChoiceCount; ++i) {
        CString sentence;
        sentence.LoadString(s_choiceIds[i]);
        m_pButtons[i]->SetIcon(s_choiceIds[i]);
        m_pButtons[i]->SetWindowText(AccessibleName(sentence));
        m_pButtons[i]->ShowWindow(SW_SHOW);
    }
    if (m_nChoiceCount == 2) {
        // Buttons 3 and 4 stay visible but disabled and blank, and nameless.
        EnableItem(IDC_BTN3, FALSE);
        EnableItem(IDC_BTN4, FALSE);
        m_pButtons[2]->SetWindowText("");
        m_pButtons[3]->SetWindowText("");
    }
    m_nInitialSel = m_nSel;
}

void CRadioSelectDlg::Navigate(BOOL bInitial)
{
    // Every move restarts the countdown.
    KillTimer(IDT_AUTO_APPLY);
    SetTimer(IDT_AUTO_APPLY, OSD_TIMEOUT_MS, nullptr);

    if (m_nChoiceCount <= 0)
        return;  // nothing to highlight

    if (!bInitial) {
        for (int i = 0; i < MAX_CHOICES; ++i)
            m_pButtons[i]->SetSelected(FALSE);
        if (s_bStep) {
            const int n = m_nChoiceCount;
            if (s_bMoveLeft)
                m_nSel = (m_nSel > 0 && m_nSel <= n - 1) ? m_nSel - 1 : n - 1;
            else
                m_nSel = (m_nSel >= 0 && m_nSel < n - 1) ? m_nSel + 1 : 0;
        }
    }
    if (!HasChoice(m_nSel))
        return;
    SetItemText(IDC_CHOICE_TEXT, s_choiceIds[m_nSel]);
    m_pButtons[m_nSel]->SetSelected(TRUE);
}

void CRadioSelectDlg::ApplySelection()
{
    if (!m_state.switchOn)
        return;
    if (m_nSel == m_nInitialSel)
        return;
    if (!HasChoice(m_nSel))
        return;

    // Applied once: whatever else closes the panel afterwards writes nothing.
    m_nInitialSel = m_nSel;
    const UINT nStateId = s_choiceIds[m_nSel];
    for (const ChoiceBits& choice : s_choiceBits) {
        if (choice.nStateId == nStateId) {
            // Each write re-reads the byte, so the second keeps the first's bit.
            m_radio.SetBluetooth(choice.bBluetooth);
            m_radio.SetWlan(choice.bWlan);
            break;
        }
    }

    RefreshMainFrame();
}

BOOL CRadioSelectDlg::EnableItem(int nId, BOOL bEnable)
{
    CWnd* pItem = GetDlgItem(nId);
    if (pItem != nullptr)
        pItem->EnableWindow(bEnable);
    return TRUE;
}

void CRadioSelectDlg::SetItemText(int nId, UINT nStringId)
{
    CString text;
    text.LoadString(nStringId);  // empty when missing
    CWnd* pItem = GetDlgItem(nId);
    if (pItem != nullptr)
        pItem->SetWindowText(text);
}

BOOL CRadioSelectDlg::HasChoice(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nChoiceCount;
}

LRESULT CRadioSelectDlg::OnHookKey(WPARAM wParam, LPARAM lParam)
{
    const DWORD flags = static_cast<DWORD>(wParam);
    const DWORD scanCode = static_cast<DWORD>(lParam);

    m_foreground.Activate();
    if (!IsWindow())
        return ClosedDuringClaim();
    if (flags & LLKHF_UP) {
        FocusHighlighted();
        return 0;
    }

    switch (scanCode) {
    case SC_LEFT:
        s_bMoveLeft = TRUE;
        s_bStep = TRUE;
        Navigate(FALSE);
        break;
    case SC_OSD_HOTKEY:
        if (!(flags & LLKHF_EXTENDED))
            break;
        [[fallthrough]];
    case SC_RIGHT:
        s_bMoveLeft = FALSE;
        s_bStep = TRUE;
        Navigate(FALSE);
        break;
    case SC_ENTER:
        OnOK();
        return 0;
    case SC_RADIO_EVENT:
        RefreshMainFrame();
        CloseOsd();
        return 0;
    default:
        break;
    }
    FocusHighlighted();
    return 0;
}

// The foreground steps leave the focus on the hidden main window: the panel
// comes to the front again, with the focus on the highlighted button. A
// screen reader then names the choice (the focus event of the button).
void CRadioSelectDlg::FocusHighlighted()
{
    if (!HasChoice(m_nSel))
        return;
    SetForegroundWindow();
    m_pButtons[m_nSel]->SetFocus();
}

// Activated, the panel puts the focus on the highlighted button, not on the
// control the dialog manager saved, which may be an earlier choice's.
LRESULT CRadioSelectDlg::OnActivate(WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == WA_INACTIVE || !HasChoice(m_nSel))
        return Default();
    m_pButtons[m_nSel]->SetFocus();
    return 0;
}

void CRadioSelectDlg::OnOK()
{
    ApplySelection();
    CloseOsd();
}

void CRadioSelectDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == IDT_AUTO_APPLY) {
        KillTimer(IDT_AUTO_APPLY);
        OnOK();
    }
    COsdDlg::OnTimer(nIDEvent);
}

void CRadioSelectDlg::ClickButton(int nIndex)
{
    // Buttons without a choice (the disabled ones of a two-choice panel)
    // never take the highlight.
    if (!HasChoice(nIndex))
        return;
    s_bStep = FALSE;
    m_nSel = nIndex;
    Navigate(FALSE);
}

void CRadioSelectDlg::OnClickedBtn1() { ClickButton(0); }
void CRadioSelectDlg::OnClickedBtn2() { ClickButton(1); }
void CRadioSelectDlg::OnClickedBtn3() { ClickButton(2); }
void CRadioSelectDlg::OnClickedBtn4() { ClickButton(3); }

// A press dragged off a button leaves the focus on it, away from the
// highlighted choice, which gets it back.
LRESULT CRadioSelectDlg::OnPressEnded(WPARAM, LPARAM)
{
    if (HasChoice(m_nSel))
        m_pButtons[m_nSel]->SetFocus();
    return 0;
}

void CRadioSelectDlg::OnDoubleClickedBtn()
{
    OnOK();
}

const afx::MessageEntry* CRadioSelectDlg::MessageEntries()
{
    static const afx::MessageEntry entries[] = {
        afx::OnMessage<&CRadioSelectDlg::OnTimer>(WM_TIMER),
        afx::OnControl<&CRadioSelectDlg::OnClickedBtn1>(BN_CLICKED, IDC_BTN1),
        afx::OnControl<&CRadioSelectDlg::OnClickedBtn2>(BN_CLICKED, IDC_BTN2),
        afx::OnControl<&CRadioSelectDlg::OnClickedBtn3>(BN_CLICKED, IDC_BTN3),
        afx::OnControl<&CRadioSelectDlg::OnClickedBtn4>(BN_CLICKED, IDC_BTN4),
        afx::OnControl<&CRadioSelectDlg::OnDoubleClickedBtn>(BN_DOUBLECLICKED, IDC_BTN1),
        afx::OnControl<&CRadioSelectDlg::OnDoubleClickedBtn>(BN_DOUBLECLICKED, IDC_BTN2),
        afx::OnControl<&CRadioSelectDlg::OnDoubleClickedBtn>(BN_DOUBLECLICKED, IDC_BTN3),
        afx::OnControl<&CRadioSelectDlg::OnDoubleClickedBtn>(BN_DOUBLECLICKED, IDC_BTN4),
        afx::OnMessage<&CRadioSelectDlg::OnPressEnded>(CIconButton::WM_PRESS_ENDED),
        afx::OnMessage<&CRadioSelectDlg::OnHookKey>(WM_HOOKKEY),
        afx::OnMessage<&CRadioSelectDlg::OnActivate>(WM_ACTIVATE),
        afx::EndOfMap(),
    };
    return entries;
}
