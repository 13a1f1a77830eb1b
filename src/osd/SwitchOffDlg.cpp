#include "osd/SwitchOffDlg.h"

#include "res/resource.h"
#include "shared/ExternalNames.h"

namespace {

const UINT_PTR IDT_AUTO_CLOSE = 2;

}  // namespace

CSwitchOffDlg::CSwitchOffDlg(CWnd* pParent)
    : COsdDlg(IDD_SWITCH_OFF, pParent), m_pIcon(nullptr)
{
}

void CSwitchOffDlg::DoDataExchange(CDataExchange* pDX)
{
    COsdDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BTN5, m_btn5);
}

BOOL CSwitchOffDlg::OnInitDialog()
{
    COsdDlg::OnInitDialog();

    InstallHook();
    SetTimer(IDT_AUTO_CLOSE, OSD_TIMEOUT_MS, nullptr);
    ShowIcon();
    NameIcon();
    PlaceOnUsersMonitor();
    return TRUE;
}

// The icon's name for a screen reader says what the notice says: its
// sentence, in one line.
void CSwitchOffDlg::NameIcon()
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char className[8] = {};
        ::GetClassNameA(hChild, className, sizeof(className));
        if (::lstrcmpiA(className, "Static") == 0) {
            CString text;
            CWnd::FromHandle(hChild)->GetWindowText(text);
            m_btn5.SetWindowText(AccessibleName(text));
            return;
        }
    }
}

BOOL CSwitchOffDlg::ShowIcon()
{
    m_pIcon = &m_btn5;

    // Only the presence bits choose the picture; the status is read once.
    m_radio.Read();
    const BOOL bWlanPresent = m_radio.IsWlanPresent();
    const BOOL bBtPresent = m_radio.IsBluetoothPresent();

    UINT nIconId = IDR_OSD_BOTH_OFF;
    if (bWlanPresent && !bBtPresent)
        nIconId = IDR_OSD_WLAN_OFF;
    else if (!bWlanPresent && bBtPresent)
        nIconId = IDR_OSD_BT_OFF;

    m_pIcon->SetIcon(nIconId);
    return m_pIcon->ShowWindow(SW_SHOW);
}

LRESULT CSwitchOffDlg::OnHookKey(WPARAM wParam, LPARAM lParam)
{
    const DWORD flags = static_cast<DWORD>(wParam);
    const DWORD scanCode = static_cast<DWORD>(lParam);

    if (scanCode == SC_RADIO_EVENT) {
        // Press and release both act: the main frame refreshes, the notice closes.
        RefreshMainFrame();
        CloseOsd();
    } else if (scanCode == SC_ENTER && !(flags & LLKHF_UP)) {
        CloseOsd();
    }
    return 0;
}

void CSwitchOffDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == IDT_AUTO_CLOSE) {
        KillTimer(IDT_AUTO_CLOSE);
        OnOK();
    }
    COsdDlg::OnTimer(nIDEvent);
}

void CSwitchOffDlg::OnClickedBtn5()
{
    CloseOsd();
}

const afx::MessageEntry* CSwitchOffDlg::MessageEntries()
{
    static const afx::MessageEntry entries[] = {
        afx::OnMessage<&CSwitchOffDlg::OnTimer>(WM_TIMER),
        afx::OnControl<&CSwitchOffDlg::OnClickedBtn5>(BN_CLICKED, IDC_BTN5),
        afx::OnMessage<&CSwitchOffDlg::OnHookKey>(WM_HOOKKEY),
        afx::EndOfMap(),
    };
    return entries;
}
