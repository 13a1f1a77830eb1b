// CEvent: a kernel event, named or not.
#pragma once

#include "afx/SyncObject.h"

class CEvent : public CSyncObject {
public:
    // Creates the event, or opens an existing one of the same name (whose
    // state and reset mode then stay as they are).
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE,
                    LPCSTR lpszName = nullptr, LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

    BOOL SetEvent() { return ::SetEvent(m_hObject); }
    BOOL Unlock() override { return TRUE; }
};
