#include "afx/HandleMap.h"

CHandleMap::~CHandleMap()
{
    if (m_pEntries != nullptr)
        ::HeapFree(::GetProcessHeap(), 0, m_pEntries);
}

int CHandleMap::Find(HWND hWnd) const
{
    for (int i = m_nCount - 1; i >= 0; --i) {
        if (m_pEntries[i].hWnd == hWnd)
            return i;
    }
    return -1;
}

CWnd* CHandleMap::Lookup(HWND hWnd) const
{
    const int i = Find(hWnd);
    return i < 0 ? nullptr : m_pEntries[i].pWnd;
}

BOOL CHandleMap::SetAt(HWND hWnd, CWnd* pWnd)
{
    const int i = Find(hWnd);
    if (i >= 0) {
        m_pEntries[i].pWnd = pWnd;
        return TRUE;
    }
    if (m_nCount == m_nCapacity) {
        const int nCapacity = m_nCapacity == 0 ? 8 : m_nCapacity * 2;
        const HANDLE hHeap = ::GetProcessHeap();
        const SIZE_T cb = sizeof(Entry) * static_cast<SIZE_T>(nCapacity);
        void* p = m_pEntries == nullptr ? ::HeapAlloc(hHeap, 0, cb)
                                        : ::HeapReAlloc(hHeap, 0, m_pEntries, cb);
        if (p == nullptr)
            return FALSE;
        m_pEntries = static_cast<Entry*>(p);
        m_nCapacity = nCapacity;
    }
    m_pEntries[m_nCount++] = { hWnd, pWnd };
    return TRUE;
}

void CHandleMap::RemoveKey(HWND hWnd)
{
    const int i = Find(hWnd);
    if (i < 0)
        return;
    // Order does not matter: the last entry takes the gap.
    m_pEntries[i] = m_pEntries[--m_nCount];
}
