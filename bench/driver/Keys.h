// A window of the driver's own that counts the key messages reaching it, to
// tell when a burst of injected keys has been fully delivered.
#pragma once

#include <windows.h>

class CKeySink {
public:
    CKeySink();
    ~CKeySink();
    CKeySink(const CKeySink&) = delete;
    CKeySink& operator=(const CKeySink&) = delete;

    BOOL IsOpen() const { return m_hWnd != nullptr; }
    // Makes the sink the foreground window with the keyboard focus.
    BOOL TakeFocus();
    // Injects count events (press and release in turn) of scanCode in one
    // SendInput call and pumps until all have arrived as key messages.
    // Returns the milliseconds from the call to the last arrival, or a
    // negative value when they did not all arrive within timeoutMs.
    double Burst(WORD scanCode, int count, double timeoutMs);
    long Received() const;

private:
    HWND m_hWnd = nullptr;
};
