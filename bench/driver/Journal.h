// The simulated firmware's register and journal as the driver sees them.
#pragma once

#include "firmware/FirmwareState.h"

struct JournalProgress {
    int reads;                // reads since the mark
    int writes;               // writes since the mark
    bool readAfterLastWrite;  // a read came after the latest write
};

class CJournal {
public:
    BOOL IsOpen() const { return m_state.IsOpen(); }
    // Default register (both radios present and on, switch on), no delay.
    void Reset() { m_state.Reset(); }
    // Remembers the present request count; Since() sees only later requests.
    void Mark();
    JournalProgress Since();

private:
    CFirmwareState m_state;
    DWORD m_mark = 0;
};
