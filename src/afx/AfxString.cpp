#include "afx/AfxString.h"

#include "afx/WinApp.h"

#include <stdarg.h>
#include <string.h>

void CString::Adopt(char* pszData, int nLength)
{
    delete[] m_pszData;
    m_pszData = pszData;
    m_nLength = pszData != nullptr ? nLength : 0;
}

void CString::Assign(LPCSTR psz, int nLength)
{
    char* data = nullptr;
    if (nLength > 0) {
        data = new char[static_cast<size_t>(nLength) + 1];
        ::CopyMemory(data, psz, static_cast<size_t>(nLength));
        data[nLength] = '\0';
    }
    Adopt(data, nLength);
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        Assign(other.m_pszData, other.m_nLength);
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        Adopt(other.m_pszData, other.m_nLength);
        other.m_pszData = nullptr;
        other.m_nLength = 0;
    }
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    Assign(psz, psz ? ::lstrlenA(psz) : 0);
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    const int added = psz ? ::lstrlenA(psz) : 0;
    if (added == 0)
        return *this;
    const int length = m_nLength + added;
    char* data = new char[static_cast<size_t>(length) + 1];
    if (m_nLength > 0)
        ::CopyMemory(data, m_pszData, static_cast<size_t>(m_nLength));
    ::CopyMemory(data + m_nLength, psz, static_cast<size_t>(added));
    data[length] = '\0';
    Adopt(data, length);
    return *this;
}

CString operator+(const CString& left, LPCSTR right)
{
    CString result(left);
    result += right;
    return result;
}

bool CString::operator==(LPCSTR psz) const
{
    return ::strcmp(*this, psz ? psz : "") == 0;
}

void CString::Format(LPCSTR pszFormat, ...)
{
    // wvsprintfA writes at most 1024 characters and the terminator. What it
    // returns when it cuts the text short differs between versions, so the
    // length is taken from the text itself.
    char buffer[1025];
    buffer[0] = '\0';
    buffer[1024] = '\0';
    va_list args;
    va_start(args, pszFormat);
    ::wvsprintfA(buffer, pszFormat, args);
    va_end(args);
    Assign(buffer, static_cast<int>(::strnlen(buffer, 1024)));
}

BOOL CString::LoadString(UINT nID)
{
    // A pointer to the resource text itself (length-counted, not terminated).
    LPCWSTR text = nullptr;
    const int length = ::LoadStringW(AfxGetResourceHandle(), nID,
                                     reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        Assign(nullptr, 0);
        return FALSE;
    }
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        Assign(nullptr, 0);
        return FALSE;
    }
    char* data = new char[static_cast<size_t>(bytes) + 1];
    const int written = ::WideCharToMultiByte(CP_ACP, 0, text, length, data, bytes, nullptr, nullptr);
    if (written <= 0) {
        delete[] data;
        Assign(nullptr, 0);
        return FALSE;
    }
    data[written] = '\0';
    Adopt(data, written);
    return TRUE;
}
