// The main frame's client window. It draws nothing and handles no commands.
#pragma once

#include "afx/Afx.h"

class CChildView : public CWnd {
public:
    static const afx::MessageMap* GetThisMessageMap();
    const afx::MessageMap* GetMessageMap() const override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnPaint();
};
