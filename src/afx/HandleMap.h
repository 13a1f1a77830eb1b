// CHandleMap: which object belongs to which window handle, for the windows
// of one thread. A thread has a handful of windows, so an array searched
// from the end (the newest windows are asked for most) does the job of a
// hash table without its code.
#pragma once

#include <windows.h>

class CWnd;

class CHandleMap {
public:
    CHandleMap() = default;
    ~CHandleMap();
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;

    // The object of hWnd, or NULL.
    CWnd* Lookup(HWND hWnd) const;
    // Maps hWnd to pWnd, replacing any object it had. FALSE when out of memory.
    BOOL SetAt(HWND hWnd, CWnd* pWnd);
    void RemoveKey(HWND hWnd);

    int GetCount() const { return m_nCount; }
    CWnd* GetAt(int nIndex) const { return m_pEntries[nIndex].pWnd; }
    // Forgets every entry (the objects are the caller's).
    void RemoveAll() { m_nCount = 0; }

private:
    struct Entry {
        HWND hWnd;
        CWnd* pWnd;
    };
    int Find(HWND hWnd) const;

    Entry* m_pEntries = nullptr;
    int m_nCount = 0;
    int m_nCapacity = 0;
};
