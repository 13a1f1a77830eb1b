// CSwitchOffDlg: the notice shown instead of the selection panel while the
// radio switch is off. One icon (the disabled state of the radios present)
// and a request to turn the switch on. It closes after four seconds, on
// Enter, on a click on the icon or on the firmware's radio event, and never
// writes the status byte.
#pragma once

#include "osd/IconButton.h"
#include "osd/OsdShared.h"

class CSwitchOffDlg : public COsdDlg {
public:
    explicit CSwitchOffDlg(CWnd* pParent = nullptr);

    AFX_DECLARE_MESSAGE_MAP(COsdDlg)

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    LRESULT OnHookKey(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClickedBtn5();

private:
    BOOL ShowIcon();
    void NameIcon();

    CIconButton* m_pIcon;
    CIconButton m_btn5;
};
