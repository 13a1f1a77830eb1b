#include "afx/AfxString.h"

#include "afx/WinApp.h"

#include <cstdarg>
#include <cstdio>

CString& CString::operator=(LPCSTR psz)
{
    m_text = psz ? psz : "";
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    if (psz)
        m_text += psz;
    return *this;
}

CString operator+(const CString& left, LPCSTR right)
{
    CString result(left);
    result += right;
    return result;
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (length < 0) {
        m_text.clear();
    } else {
        m_text.assign(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(&m_text[0], m_text.size(), pszFormat, args);
        m_text.resize(static_cast<size_t>(length));
    }
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    // A pointer to the resource text itself (length-counted, not terminated).
    LPCWSTR text = nullptr;
    const int length = ::LoadStringW(AfxGetResourceHandle(), nID,
                                     reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        m_text.clear();
        return FALSE;
    }
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    m_text.assign(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, length, &m_text[0], bytes, nullptr, nullptr);
    return TRUE;
}
