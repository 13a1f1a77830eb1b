// Brings the hidden main frame to the foreground, so that the selection
// panel may take the keyboard: the frame before it opens the panel, and the
// panel when it opens and at every key.
#pragma once

#include <windows.h>

class CForegroundHelper {
public:
    virtual ~CForegroundHelper() = default;

    // Attaches this thread's input to the foreground window's thread (never
    // undone), then makes the main window foreground, focused and hidden.
    // TRUE when the attachment succeeded. The frame's foreground sequence
    // attaches once more after this; that second attachment is part of it.
    BOOL Activate();

private:
    DWORD m_dwForegroundThreadId = 0;
};
