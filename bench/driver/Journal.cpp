#include "Journal.h"

#include "firmware/RadioStatus.h"

void CJournal::Mark()
{
    m_state.Access([this](FirmwareSharedState& s) { m_mark = s.sequence; });
}

// Walks the ring in place under the lock: no copy of the whole block.
JournalProgress CJournal::Since()
{
    JournalProgress progress = { 0, 0, false };
    m_state.Access([&](FirmwareSharedState& s) {
        DWORD first = m_mark + 1;
        if (s.sequence - m_mark > FIRMWARE_JOURNAL_SIZE)
            first = s.sequence - FIRMWARE_JOURNAL_SIZE + 1;
        for (DWORD seq = first; seq != s.sequence + 1; ++seq) {
            const FirmwareJournalEntry& e = s.journal[seq % FIRMWARE_JOURNAL_SIZE];
            if (e.function == EVAL_WRITE) {
                ++progress.writes;
                progress.readAfterLastWrite = false;
            } else if (e.function == EVAL_READ) {
                ++progress.reads;
                if (progress.writes > 0)
                    progress.readAfterLastWrite = true;
            }
        }
    });
    return progress;
}
