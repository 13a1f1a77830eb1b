// The simulated firmware as a test sees it: the register, the settings, and
// the requests OBRA.dll answered since a mark.
#pragma once

#include "firmware/FirmwareState.h"

#include <vector>

class CFirmwareProbe {
public:
    // Gives this test program (and the Ravo.exe it starts) a register of its
    // own, so test programs running side by side do not meet.
    static void UseInstance(const char* name);

    BYTE Status();
    void SetStatus(BYTE status);
    void SetUnanswered(BOOL unanswered);
    void SetDelay(DWORD delayMs);
    void Reset();

    // Remembers the present request count; the queries below see only later requests.
    void Mark();
    std::vector<FirmwareJournalEntry> RequestsSinceMark();
    int ReadsSinceMark();
    // The write values (second input byte) since the mark, in order.
    std::vector<BYTE> WritesSinceMark();
    // Waits until at least n reads happened since the mark.
    BOOL WaitForReads(int n, DWORD timeoutMs = 5000);

private:
    CFirmwareState m_state;
    DWORD m_mark = 0;
};
