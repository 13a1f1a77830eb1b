// CIconButton: an owner-drawn push button that shows one icon resource,
// unscaled and centred, over a light-blue highlight while it is selected
// (in high contrast, the scheme's highlight colours). It draws no caption,
// focus, pressed or disabled look; its window text is its name for screen
// readers. It keeps the arrow keys and Tab, so that the dialog manager
// never moves the focus away from it, and tells its parent when a press
// ends, clicked or dragged off.
#pragma once

#include "afx/Button.h"

class CDC;

class CIconButton : public CButton {
public:
    // Highlight colours (0x00BBGGRR).
    static constexpr COLORREF HIGHLIGHT_FILL = 0x00EFD6C6;   // RGB(198, 214, 239)
    static constexpr COLORREF HIGHLIGHT_FRAME = 0x00C56A31;  // RGB(49, 106, 197)
    // Sent to the parent when a press ends, after any click; wParam is the
    // button's control id. (Windows' own BN_UNPUSHED may come mid-press.)
    static constexpr UINT WM_PRESS_ENDED = WM_APP + 0x101;

    CIconButton();
    ~CIconButton() override;

    AFX_DECLARE_MESSAGE_MAP(CButton)

    // Loads icon resource nIconId at its own size and shows it from the next
    // paint on. FALSE when it cannot be loaded; the previous icon then stays.
    BOOL SetIcon(UINT nIconId);
    // Stores the flag and repaints at once; the repaint's result.
    BOOL SetSelected(BOOL bSelected);

    HICON GetIcon() const { return m_hIcon; }
    BOOL IsSelected() const { return m_bSelected; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    // Makes the attached button owner-drawn.
    void PreSubclassWindow() override;

    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);

private:
    void DrawSelection(CDC* pDC, const RECT* pRect);
    void FreeIcon();

    HICON m_hIcon;      // owned
    int m_nIconWidth;
    int m_nIconHeight;
    BOOL m_bSelected;
};
