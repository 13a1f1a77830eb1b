// CSingleLock: acquires and releases one synchronisation object, and knows
// whether it holds it.
#pragma once

#include "afx/SyncObject.h"

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
    ~CSingleLock();

    BOOL Lock(DWORD dwTimeOut = INFINITE);
    // Releases the object if held; no effect otherwise.
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired = FALSE;
};
