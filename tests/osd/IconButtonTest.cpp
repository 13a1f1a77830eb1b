// CIconButton: attachment, placement of the icon, the highlight and the
// ownership of the icon handle.
#include "OsdHarness.h"

#include "ImportPatch.h"
#include "osd/IconButton.h"
#include "res/resource.h"

#include <algorithm>

namespace {

const DWORD KEY = 0x00FF00FF;  // background of every rendering (DIB order 0x00RRGGBB)

DWORD DibColour(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// The pixels of a w x h 32-bit DIB on the key colour after paint(dc).
template <typename Paint>
std::vector<DWORD> Render(int w, int h, Paint paint)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC hdc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    DWORD* pixels = static_cast<DWORD*>(bits);
    std::fill(pixels, pixels + w * h, KEY);
    paint(hdc);
    ::GdiFlush();
    std::vector<DWORD> result(pixels, pixels + w * h);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::DeleteObject(hBitmap);
    return result;
}

std::vector<DWORD> RenderButton(CIconButton& button, int w, int h, UINT itemState = 0)
{
    return Render(w, h, [&](HDC hdc) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = itemState;
        dis.hDC = hdc;
        dis.rcItem = { 0, 0, w, h };
        button.DrawItem(&dis);
    });
}

// A real push button, attached to a CIconButton for the test's length.
class AttachedButton {
public:
    explicit AttachedButton(CIconButton& button)
    {
        m_hWnd = ::CreateWindowExA(0, "BUTTON", "Btn", WS_POPUP | BS_PUSHBUTTON, 0, 0, 72, 72,
                                   nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        button.SubclassWindow(m_hWnd);
    }
    ~AttachedButton() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

}  // namespace

// The icon is drawn unscaled at ((w - 64) >> 1, (h - 64) >> 1): (4, 4) in a
// 72-pixel button, x = -1 in a 63-pixel one. Focus, pressed and disabled
// states look the same as the normal one.
TEST(IconButton, DrawsTheIconCentredWithArithmeticHalving)
{
    CIconButton button;
    ASSERT_TRUE(button.SetIcon(IDR_OSD_BOTH_ON));
    struct Case { int w, h, x, y; } cases[] = { { 72, 72, 4, 4 }, { 63, 72, -1, 4 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.w);
        const std::vector<DWORD> expected = Render(c.w, c.h, [&](HDC hdc) {
            ::DrawIconEx(hdc, c.x, c.y, button.GetIcon(), 0, 0, 0, nullptr, DI_NORMAL);
        });
        ASSERT_NE(expected, Render(c.w, c.h, [](HDC) {}));
        EXPECT_EQ(expected, RenderButton(button, c.w, c.h));
        EXPECT_EQ(expected,
                  RenderButton(button, c.w, c.h, ODS_DISABLED | ODS_FOCUS | ODS_SELECTED));
    }
}

// Attaching makes the button owner-drawn; selected, it fills its rectangle
// and outlines it with a 3-pixel pen; unselected and without an icon it
// draws nothing at all.
TEST(IconButton, SelectionHighlightsTheWholeButton)
{
    CIconButton button;
    AttachedButton attached(button);
    EXPECT_EQ(BS_OWNERDRAW, ::GetWindowLongA(attached.m_hWnd, GWL_STYLE) & BS_TYPEMASK);

    EXPECT_EQ(Render(72, 72, [](HDC) {}), RenderButton(button, 72, 72));

    button.SetSelected(TRUE);
    std::vector<DWORD> pixels = RenderButton(button, 72, 72);
    const DWORD frame = DibColour(CIconButton::HIGHLIGHT_FRAME);
    const DWORD fill = DibColour(CIconButton::HIGHLIGHT_FILL);
    EXPECT_EQ(frame, pixels[36 * 72 + 0]);
    EXPECT_EQ(frame, pixels[0 * 72 + 36]);
    EXPECT_EQ(fill, pixels[36 * 72 + 3]);
    EXPECT_EQ(fill, pixels[36 * 72 + 36]);

    // The icon goes over the highlight; selecting again draws the same.
    ASSERT_TRUE(button.SetIcon(IDR_OSD_BT_ON));
    button.SetSelected(TRUE);
    pixels = RenderButton(button, 72, 72);
    EXPECT_EQ(frame, pixels[36 * 72 + 0]);
    EXPECT_EQ(fill, pixels[36 * 72 + 3]);
    EXPECT_EQ(pixels, RenderButton(button, 72, 72));

    button.SetSelected(FALSE);
    EXPECT_EQ(KEY, RenderButton(button, 72, 72)[36 * 72 + 3]);
}

BOOL WINAPI HighContrastOn(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni)
{
    if (uiAction != SPI_GETHIGHCONTRAST)
        return ::SystemParametersInfoW(uiAction, uiParam, pvParam, fWinIni);
    static_cast<HIGHCONTRASTA*>(pvParam)->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
    return TRUE;
}

// In high contrast the highlight takes the scheme's colours: filled with
// the highlight colour, framed 3 pixels wide in the highlight text colour.
TEST(IconButton, HighContrastDrawsTheHighlightInTheSchemesColours)
{
    const int elements[] = { COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT };
    const COLORREF scheme[] = { RGB(0, 128, 0), RGB(255, 255, 0) };
    const COLORREF saved[] = { ::GetSysColor(elements[0]), ::GetSysColor(elements[1]) };
    ASSERT_TRUE(::SetSysColors(2, elements, scheme));
    CImportPatch patch("user32.dll", "SystemParametersInfoA",
                       reinterpret_cast<void*>(&HighContrastOn));
    ASSERT_TRUE(patch.IsApplied());

    CIconButton button;
    AttachedButton attached(button);
    button.SetSelected(TRUE);
    const std::vector<DWORD> pixels = RenderButton(button, 72, 72);
    ::SetSysColors(2, elements, saved);
    for (int x : { 0, 1, 2, 69, 70, 71 })
        EXPECT_EQ(DibColour(scheme[1]), pixels[36 * 72 + x]) << "frame at x " << x;
    for (int x : { 3, 36, 68 })
        EXPECT_EQ(DibColour(scheme[0]), pixels[36 * 72 + x]) << "fill at x " << x;
}

// Replacing the icon destroys the old handle, a failed load keeps the
// current one, and the button's destruction destroys the last.
TEST(IconButton, OwnsItsIcon)
{
    HICON hLast = nullptr;
    {
        CIconButton button;
        ASSERT_TRUE(button.SetIcon(IDR_OSD_BT_ON));
        const HICON hFirst = button.GetIcon();
        ASSERT_TRUE(button.SetIcon(IDR_OSD_WLAN_ON));
        hLast = button.GetIcon();
        EXPECT_NE(hFirst, hLast);
        EXPECT_FALSE(::DestroyIcon(hFirst));

        EXPECT_FALSE(button.SetIcon(136));  // no icon with that number
        EXPECT_EQ(hLast, button.GetIcon());
        EXPECT_TRUE(harness::IconIs(hLast, IDR_OSD_WLAN_ON));
    }
    EXPECT_FALSE(::DestroyIcon(hLast));
}
