#include "afx/MultiLock.h"

CMultiLock::CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock)
{
    for (DWORD i = 0; i < dwCount; ++i)
        m_handles.push_back(ppObjects[i]->m_hObject);
    if (bInitialLock)
        Lock();
}

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask)
{
    const DWORD count = static_cast<DWORD>(m_handles.size());
    if (dwWakeMask != 0)
        return ::MsgWaitForMultipleObjects(count, m_handles.data(), bWaitForAll, dwTimeOut, dwWakeMask);
    return ::WaitForMultipleObjects(count, m_handles.data(), bWaitForAll, dwTimeOut);
}
