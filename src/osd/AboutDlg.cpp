#include "osd/AboutDlg.h"

#include "res/resource.h"

namespace {

const char VERSION_KEY[] = "SOFTWARE\\RAVO";
const char VERSION_VALUE[] = "Version";
const DWORD VERSION_BYTES = 20;

}  // namespace

CAboutDlg::CAboutDlg()
    : CDialog(IDD_ABOUTBOX)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CWnd* pVersion = GetDlgItem(IDC_VERSION);
    if (pVersion != nullptr) {
        CString label;
        pVersion->GetWindowText(label);  // "Ravo Ver " from the template
        CString version;
        ReadVersion(version);
        pVersion->SetWindowText(label + version);
    }
    return TRUE;
}

void CAboutDlg::ReadVersion(CString& text)
{
    // One byte more than the query may fill, so the text always ends within
    // the buffer, also when the value fills all 20 bytes without a zero.
    char buffer[VERSION_BYTES + 1] = {};

    HKEY hKey = nullptr;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, VERSION_KEY, &hKey) != ERROR_SUCCESS)
        return;

    DWORD size = VERSION_BYTES;
    // The type is not examined: whatever the value holds is read as text.
    const LONG result = ::RegQueryValueExA(hKey, VERSION_VALUE, nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(buffer), &size);
    if (result == ERROR_SUCCESS)
        text.Format("%s", buffer);
    ::RegCloseKey(hKey);
}
