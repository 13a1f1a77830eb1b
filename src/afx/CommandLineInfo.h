// CCommandLineInfo: what ParseCommandLine found. Arguments that begin with a
// slash or a hyphen are switches; the first other argument is the file name.
#pragma once

#include "afx/AfxString.h"

class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;

    // One argument, without its leading slash or hyphen when bFlag is set.
    virtual void ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast);

    CString m_strFileName;
};
