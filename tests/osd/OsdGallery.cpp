// Renders one on-screen display for a screenshot: osd_gallery
//   select|notice|about <status byte, hex> <out.bmp> [right presses]
// in the language the program would choose for this process's locale.
// The firmware double serves the status byte. Once the dialog is shown and
// painted (and the highlight moved), the dialog's area of the screen is
// saved as a 24-bit BMP and the dialog is cancelled, so nothing is applied.
#include "afx/Dialog.h"
#include "app/UiLanguage.h"
#include "FakeObra.h"
#include "osd/AboutDlg.h"
#include "osd/RadioSelectDlg.h"
#include "osd/SwitchOffDlg.h"
#include "shared/ExternalNames.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

CDialog* s_pDialog = nullptr;
const char* s_pszOutput = nullptr;
int s_nRights = 0;
bool s_bSaved = false;

bool SaveScreenArea(const RECT& rc, const char* path)
{
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = w;
    bih.biHeight = h;  // bottom-up, as BMP files store it
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    const int stride = (w * 3 + 3) & ~3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * h);

    const HDC hScreen = ::GetDC(nullptr);
    const HDC hMem = ::CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, w, h);
    const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, w, h, hScreen, rc.left, rc.top, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::GetDIBits(hMem, hBitmap, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bih),
                DIB_RGB_COLORS);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);

    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;  // "BM"
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
    bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    std::fwrite(&bfh, sizeof(bfh), 1, file);
    std::fwrite(&bih, sizeof(bih), 1, file);
    std::fwrite(pixels.data(), 1, pixels.size(), file);
    return std::fclose(file) == 0;
}

// Thread timer: waits for the dialog to show, moves the highlight, lets it
// repaint, then saves it and cancels.
void CALLBACK Step(HWND, UINT, UINT_PTR nId, DWORD)
{
    static int s_nTicks = 0;
    const HWND hDlg = s_pDialog->m_hWnd;
    if (hDlg == nullptr || !::IsWindowVisible(hDlg))
        return;
    if (s_nRights > 0) {
        ::PostMessageA(hDlg, WM_HOOKKEY, 0, SC_RIGHT);
        --s_nRights;
        return;
    }
    if (++s_nTicks < 5)  // about 250 ms for the paints to land on the screen
        return;
    ::KillTimer(nullptr, nId);
    ::UpdateWindow(hDlg);
    RECT rc;
    ::GetWindowRect(hDlg, &rc);
    s_bSaved = SaveScreenArea(rc, s_pszOutput);
    ::EndDialog(hDlg, IDCANCEL);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: osd_gallery select|notice|about <status hex> <out.bmp> [rights]\n");
        return 2;
    }
    SelectUiLanguage();
    FakeObra::Reset(static_cast<BYTE>(std::strtoul(argv[2], nullptr, 16)));
    s_pszOutput = argv[3];
    s_nRights = argc > 4 ? std::atoi(argv[4]) : 0;

    std::unique_ptr<CDialog> dialog;
    if (std::strcmp(argv[1], "select") == 0)
        dialog.reset(new CRadioSelectDlg);
    else if (std::strcmp(argv[1], "notice") == 0)
        dialog.reset(new CSwitchOffDlg);
    else
        dialog.reset(new CAboutDlg);
    s_pDialog = dialog.get();

    ::SetTimer(nullptr, 0, 50, &Step);
    dialog->DoModal();
    if (!s_bSaved) {
        std::fprintf(stderr, "osd_gallery: nothing saved to %s\n", s_pszOutput);
        return 1;
    }
    return 0;
}
