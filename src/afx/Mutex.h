// CMutex: a kernel mutex, named or not.
#pragma once

#include "afx/SyncObject.h"

class CMutex : public CSyncObject {
public:
    explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

    BOOL Unlock() override { return ::ReleaseMutex(m_hObject); }
};
