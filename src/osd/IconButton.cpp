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

void CIconButton::DrawSelection(CDC* pDC, const RECT* pRect)
{
    CBrush brush(HIGHLIGHT_FILL);
    const HGDIOBJ hOldBrush = pDC->SelectObject(brush);
    CPen pen(PS_SOLID, 3, HIGHLIGHT_FRAME);
    const HGDIOBJ hOldPen = pDC->SelectObject(pen);

    pDC->Rectangle(pRect->left, pRect->top, pRect->right, pRect->bottom);

    pDC->SelectObject(hOldBrush);
    pDC->SelectObject(hOldPen);
    // The pen goes first, then the brush, as the locals unwind.
}

void CIconButton::FreeIcon()
{
    if (m_hIcon != nullptr && ::DestroyIcon(m_hIcon))
        m_hIcon = nullptr;
}
