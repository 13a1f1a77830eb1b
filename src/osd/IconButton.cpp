#include "osd/IconButton.h"

#include "afx/Brush.h"
#include "afx/Dc.h"
#include "afx/Pen.h"
#include "afx/WinApp.h"

CIconButton::CIconButton()
    : m_hIcon(nullptr), m_nIconWidth(0), m_nIconHeight(0), m_bSelected(FALSE)
{
}

CIconButton::~CIconButton()
{
    FreeIcon();
}

void CIconButton::PreSubclassWindow()
{
    const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    SendMessage(BM_SETSTYLE, static_cast<WPARAM>((style & 0xFF) | BS_OWNERDRAW), TRUE);
    CButton::PreSubclassWindow();
}

BOOL CIconButton::SetIcon(UINT nIconId)
{
    // Width and height 0 without LR_DEFAULTSIZE: the resource's own size.
    const HICON hIcon = static_cast<HICON>(::LoadImageA(
        AfxGetResourceHandle(), MAKEINTRESOURCEA(nIconId), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    if (hIcon == nullptr)
        return FALSE;

    FreeIcon();
    m_hIcon = hIcon;

    ICONINFO info;
    if (!::GetIconInfo(m_hIcon, &info))
        return FALSE;
    // An icon's hotspot is its centre.
    m_nIconWidth = 2 * static_cast<int>(info.xHotspot);
    m_nIconHeight = 2 * static_cast<int>(info.yHotspot);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    return TRUE;
}

BOOL CIconButton::SetSelected(BOOL bSelected)
{
    m_bSelected = bSelected;
    return RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // The button looks the same focused or pressed. Those redraws come
    // without an erase: the icon drawn over itself would darken its soft
    // edges.
    if (lpDrawItemStruct->itemAction != ODA_DRAWENTIRE)
        return;
    CDC dc(lpDrawItemStruct->hDC);
    const RECT rc = lpDrawItemStruct->rcItem;
    if (m_bSelected)
        DrawSelection(&dc, &rc);

    // Centred by halving with an arithmetic shift: an icon larger than the
    // button gets a negative offset and is clipped evenly.
    const int x = (rc.right - rc.left - m_nIconWidth) >> 1;
    const int y = (rc.bottom - rc.top - m_nIconHeight) >> 1;
    const POINT origin = { x, y };
    const SIZE naturalSize = { 0, 0 };
    dc.DrawState(origin, naturalSize, m_hIcon, DSS_NORMAL, nullptr);
}

// In high contrast the chosen button shows in the scheme's own colours,
// and not by colour alone: filled, and framed 3 pixels wide inside.
void CIconButton::DrawSelection(CDC* pDC, const RECT* pRect)
{
    HIGHCONTRASTA highContrast = {};
    highContrast.cbSize = sizeof(highContrast);
    const bool bHighContrast =
        ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(highContrast), &highContrast, 0) &&
        (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;

    CBrush brush(bHighContrast ? ::GetSysColor(COLOR_HIGHLIGHT) : HIGHLIGHT_FILL);
    const HGDIOBJ hOldBrush = pDC->SelectObject(brush);
    CPen pen(bHighContrast ? PS_INSIDEFRAME : PS_SOLID, 3,
             bHighContrast ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : HIGHLIGHT_FRAME);
    const HGDIOBJ hOldPen = pDC->SelectObject(pen);

    pDC->Rectangle(pRect->left, pRect->top, pRect->right, pRect->bottom);

    pDC->SelectObject(hOldBrush);
    pDC->SelectObject(hOldPen);
    // The pen goes first, then the brush, as the locals unwind.
}

// The dialog manager would move the focus on arrow keys and Tab, away from
// the highlighted choice; the button takes them and does nothing with them.
LRESULT CIconButton::OnGetDlgCode(WPARAM, LPARAM)
{
    return Default() | DLGC_WANTARROWS | DLGC_WANTTAB;
}

// A press dragged off the button ends without a click, with the focus left
// here: the parent hears of every press that ends, after any click.
LRESULT CIconButton::OnLButtonUp(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    const HWND hParent = ::GetParent(m_hWnd);
    if (IsWindow() && hParent != nullptr)
        ::SendMessageA(hParent, WM_PRESS_ENDED, ::GetDlgCtrlID(m_hWnd), 0);
    return result;
}

void CIconButton::FreeIcon()
{
    if (m_hIcon != nullptr && ::DestroyIcon(m_hIcon))
        m_hIcon = nullptr;
}

const afx::MessageEntry* CIconButton::MessageEntries()
{
    static const afx::MessageEntry entries[] = {
        afx::OnMessage<&CIconButton::OnGetDlgCode>(WM_GETDLGCODE),
        afx::OnMessage<&CIconButton::OnLButtonUp>(WM_LBUTTONUP),
        afx::EndOfMap(),
    };
    return entries;
}
