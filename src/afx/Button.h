// CButton: a push-button control. An owner-drawn button paints in DrawItem,
// which the parent's WM_DRAWITEM reaches through reflection.
#pragma once

#include "afx/Wnd.h"

class CButton : public CWnd {
public:
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
