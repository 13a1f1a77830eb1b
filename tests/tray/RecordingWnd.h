// A hidden window that records the messages the tray icon sends or posts
// to its notification window.
#pragma once

#include "afx/Wnd.h"

#include <vector>

class CRecordingWnd : public CWnd {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    BOOL CreateHidden();
    // Dispatches what is queued for this thread, recording as it goes.
    static void PumpPending();

    // WM_COMMAND and WM_NULL, in order of arrival.
    std::vector<Message> m_messages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
