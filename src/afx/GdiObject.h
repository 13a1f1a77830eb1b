// CGdiObject: base of the GDI objects the program creates; owns its handle
// and deletes it.
#pragma once

#include <windows.h>

class CGdiObject {
public:
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject()
    {
        if (m_hObject != nullptr)
            ::DeleteObject(m_hObject);
    }

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ m_hObject;

protected:
    explicit CGdiObject(HGDIOBJ hObject) : m_hObject(hObject) {}
};
