#include "afx/CommandLineInfo.h"

void CCommandLineInfo::ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL /*bLast*/)
{
    if (!bFlag && m_strFileName.IsEmpty())
        m_strFileName = pszParam;
}
