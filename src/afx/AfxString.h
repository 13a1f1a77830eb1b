// CString: the framework's text value, a thin layer over std::string with the
// few operations the program uses.
#pragma once

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(LPCSTR psz) : m_text(psz ? psz : "") {}

    operator LPCSTR() const { return m_text.c_str(); }
    BOOL IsEmpty() const { return m_text.empty(); }

    CString& operator=(LPCSTR psz);
    CString& operator+=(LPCSTR psz);
    friend CString operator+(const CString& left, LPCSTR right);
    bool operator==(LPCSTR psz) const { return m_text == (psz ? psz : ""); }
    bool operator!=(LPCSTR psz) const { return !(*this == psz); }

    // printf-style formatting into this string.
    void Format(LPCSTR pszFormat, ...);
    // Loads string resource nID of the application; empty and FALSE when absent.
    BOOL LoadString(UINT nID);

private:
    std::string m_text;
};
