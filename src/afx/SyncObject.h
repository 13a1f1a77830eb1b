// CSyncObject: base of the synchronisation objects; owns one kernel handle
// and closes it.
// m_hObject stays NULL when the object could not be created or opened.
#pragma once

#include <windows.h>

class CSyncObject {
public:
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;
    virtual ~CSyncObject();

    operator HANDLE() const { return m_hObject; }

    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;

    HANDLE m_hObject = nullptr;

protected:
    CSyncObject() = default;
};
