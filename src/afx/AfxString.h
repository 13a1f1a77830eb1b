// CString: the framework's text value, a heap copy of a NUL-terminated string
// with the few operations the program uses. An empty string holds no memory.
#pragma once

#include <windows.h>

class CString {
public:
    CString() = default;
    CString(LPCSTR psz) { Assign(psz, psz ? ::lstrlenA(psz) : 0); }
    // The first nLength characters of psz.
    CString(LPCSTR psz, int nLength) { Assign(psz, psz ? nLength : 0); }
    CString(const CString& other) { Assign(other.m_pszData, other.m_nLength); }
    CString(CString&& other) noexcept : m_pszData(other.m_pszData), m_nLength(other.m_nLength)
    {
        other.m_pszData = nullptr;
        other.m_nLength = 0;
    }
    ~CString() { delete[] m_pszData; }

    operator LPCSTR() const { return m_pszData ? m_pszData : ""; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    int GetLength() const { return m_nLength; }

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(LPCSTR psz);
    CString& operator+=(LPCSTR psz);
    friend CString operator+(const CString& left, LPCSTR right);
    bool operator==(LPCSTR psz) const;
    bool operator!=(LPCSTR psz) const { return !(*this == psz); }

    // printf-style formatting into this string (wvsprintfA: no floating
    // point, and at most 1024 characters).
    void Format(LPCSTR pszFormat, ...);
    // Loads string resource nID of the application; empty and FALSE when absent.
    BOOL LoadString(UINT nID);

private:
    // Replaces the text with the first nLength characters of psz, which may
    // point into this string's own text.
    void Assign(LPCSTR psz, int nLength);
    // Frees the text and takes pszData (new[]-allocated, nLength characters
    // and a terminator, or NULL for empty) in its place.
    void Adopt(char* pszData, int nLength);

    char* m_pszData = nullptr;
    int m_nLength = 0;
};
