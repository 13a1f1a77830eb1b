// CDC: a view on a device context that someone else owns (the one a
// WM_DRAWITEM hands over); it never releases the DC.
#pragma once

#include <windows.h>

class CDC {
public:
    explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    operator HDC() const { return m_hDC; }

    // Returns the object selected before.
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    // Draws an icon in the given state; a zero size keeps the icon's own size.
    BOOL DrawState(POINT pt, SIZE size, HICON hIcon, UINT nFlags, HBRUSH hBrush = nullptr)
    {
        return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y,
                            size.cx, size.cy, nFlags | DST_ICON);
    }

    HDC m_hDC;
};
