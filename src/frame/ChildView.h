// The main frame's client window. It draws nothing and handles no commands.
#pragma once

#include "afx/Afx.h"

class CChildView : public CWnd {
public:
    AFX_DECLARE_MESSAGE_MAP(CWnd)

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnPaint();
};
