// Brings the hidden main frame to the foreground, so that the selection
// panel it opens next may take the keyboard.
#pragma once

#include <windows.h>

class CForegroundHelper {
public:
    virtual ~CForegroundHelper() = default;

    // Attaches this thread's input to the foreground window's thread (never
    // undone), then makes the main window foreground, focused and hidden.
    // TRUE when the attachment succeeded.
    BOOL Activate();

private:
    DWORD m_dwForegroundThreadId = 0;
};
