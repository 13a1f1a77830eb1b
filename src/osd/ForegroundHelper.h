// Brings the hidden main frame to the foreground, so that the selection
// panel may take the keyboard: the frame before it opens the panel, and the
// panel when it opens and at every key. Afterwards the frame gives the
// foreground back to the window that had it.
#pragma once

#include <windows.h>

class CForegroundHelper {
public:
    virtual ~CForegroundHelper() = default;

    // Attaches this thread's input to the foreground window's thread, makes
    // the main window foreground, focused and hidden, and detaches again.
    // TRUE when the attachment succeeded. The frame's foreground sequence
    // attaches once more after this; that second attachment is part of it.
    BOOL Activate();

    // Makes hWnd, the window that was in front before a display opened, the
    // foreground window again: only while a window of this program holds
    // the foreground (not while none does), and only if hWnd still exists
    // and is visible. TRUE when hWnd is the foreground window afterwards.
    static BOOL GiveBack(HWND hWnd);

    // Attaches this thread's input to threadId's, or detaches it; FALSE for
    // this thread itself or a thread that is gone.
    static BOOL AttachTo(DWORD threadId, BOOL bAttach);

private:
    DWORD m_dwForegroundThreadId = 0;
};
