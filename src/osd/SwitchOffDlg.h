// CSwitchOffDlg: the notice shown instead of the selection panel while the
// radio switch is off. One icon (the disabled state of the radios present)
// and a request to turn the switch on. It closes after four seconds, on
// Enter, on a click on the icon or on the firmware's radio event, and never
// writes the status byte.
#pragma once

#include "afx/Dialog.h"
#include "osd/IconButton.h"
#include "radio/RadioControl.h"

class CSwitchOffDlg : public CDialog {
public:
    explicit CSwitchOffDlg(CWnd* pParent = nullptr);
    ~CSwitchOffDlg() override;

    AFX_DECLARE_MESSAGE_MAP(CDialog)

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    LRESULT OnHookKey(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClickedBtn5();

private:
    BOOL ShowIcon();
    void CloseOsd();

    CRadioControl m_radio;
    CIconButton* m_pIcon;
    CIconButton m_btn5;
};
