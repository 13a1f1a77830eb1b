#include "afx/MultiLock.h"

CMultiLock::CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock)
{
    m_bTooMany = dwCount > MAXIMUM_WAIT_OBJECTS;
    if (!m_bTooMany) {
        for (DWORD i = 0; i < dwCount; ++i)
            m_handles[i] = ppObjects[i]->m_hObject;
        m_dwCount = dwCount;
    }
    if (bInitialLock)
        Lock();
}

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask)
{
    if (m_bTooMany) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    if (dwWakeMask != 0)
        return ::MsgWaitForMultipleObjects(m_dwCount, m_handles, bWaitForAll, dwTimeOut, dwWakeMask);
    return ::WaitForMultipleObjects(m_dwCount, m_handles, bWaitForAll, dwTimeOut);
}
