// CRadioSelectDlg: the radio selection panel. One icon button per radio
// combination, a caption naming the highlighted one and a hint line. Left,
// Right and the OSD hotkey move the highlight (with wrap-around), Enter, a
// double-click or four idle seconds apply it; the firmware's radio event
// closes the panel without applying. Keys arrive from the keyboard hook,
// which the panel aims at itself while it is open. The keyboard focus is on
// the highlighted button at all times, and each button is named by its
// choice's sentence, so that a screen reader says the choice.
#pragma once

#include "osd/ForegroundHelper.h"
#include "osd/IconButton.h"
#include "osd/OsdShared.h"

class CRadioSelectDlg : public COsdDlg {
public:
    explicit CRadioSelectDlg(CWnd* pParent = nullptr);

    AFX_DECLARE_MESSAGE_MAP(COsdDlg)

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter through the dialog manager (the panel has the keyboard focus):
    // applies and closes, as the hook's Enter does.
    void OnOK() override;

    LRESULT OnHookKey(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClickedBtn1();
    void OnClickedBtn2();
    void OnClickedBtn3();
    void OnClickedBtn4();
    void OnDoubleClickedBtn();
    LRESULT OnPressEnded(WPARAM wParam, LPARAM lParam);

private:
    BOOL ClosedDuringClaim();
    BOOL ReadStatus();
    void BuildChoices();
    void Navigate(BOOL bInitial);
    void ApplySelection();
    BOOL EnableItem(int nId, BOOL bEnable);
    void SetItemText(int nId, UINT nStringId);
    void ClickButton(int nIndex);
    void FocusHighlighted();
    BOOL HasChoice(int nIndex) const;

    CIconButton* m_pButtons[4];
    int m_nChoiceCount;
    int m_nSel;
    int m_nInitialSel;
    RadioState m_state;
    CForegroundHelper m_foreground;
    CIconButton m_btn4;
    CIconButton m_btn3;
    CIconButton m_btn2;
    CIconButton m_btn1;
};
