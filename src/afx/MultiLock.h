// CMultiLock: waits on several synchronisation objects at once.
#pragma once

#include "afx/SyncObject.h"

class CMultiLock {
public:
    // At most MAXIMUM_WAIT_OBJECTS objects, the most a wait takes; with
    // more, every Lock fails.
    CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock = FALSE);
    CMultiLock(const CMultiLock&) = delete;
    CMultiLock& operator=(const CMultiLock&) = delete;

    // Waits for any (or all) of the objects, or for a message of the classes
    // in dwWakeMask. Returns WAIT_OBJECT_0 + the index of the object that
    // ended the wait (the lowest index when several are signalled; only that
    // auto-reset event is reset), WAIT_OBJECT_0 + count for a message,
    // WAIT_TIMEOUT or WAIT_FAILED.
    DWORD Lock(DWORD dwTimeOut = INFINITE, BOOL bWaitForAll = TRUE, DWORD dwWakeMask = 0);

private:
    HANDLE m_handles[MAXIMUM_WAIT_OBJECTS] = {};
    DWORD m_dwCount = 0;
    BOOL m_bTooMany = FALSE;
};
