// CPen: a pen the program creates and owns.
#pragma once

#include "afx/GdiObject.h"

class CPen : public CGdiObject {
public:
    CPen(int nPenStyle, int nWidth, COLORREF crColor)
        : CGdiObject(::CreatePen(nPenStyle, nWidth, crColor)) {}
};
