// CBrush: a solid brush the program creates and owns.
#pragma once

#include "afx/GdiObject.h"

class CBrush : public CGdiObject {
public:
    explicit CBrush(COLORREF crColor) : CGdiObject(::CreateSolidBrush(crColor)) {}
};
