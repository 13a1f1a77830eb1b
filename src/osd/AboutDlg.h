// CAboutDlg: the About box. Shows the application icon and "Ravo Ver "
// followed by the installed version as the registry records it.
#pragma once

#include "afx/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    // Reads HKLM "SOFTWARE\RAVO" value "Version" as text (at most 20 bytes,
    // the terminating zero included). text stays as it was when the key or
    // value is missing or does not fit.
    void ReadVersion(CString& text);

protected:
    BOOL OnInitDialog() override;
};
