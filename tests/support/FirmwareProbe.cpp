#include "FirmwareProbe.h"

#include "firmware/RadioStatus.h"

void CFirmwareProbe::UseInstance(const char* name)
{
    ::SetEnvironmentVariableA("RAVO_OBRA_INSTANCE", name);
}

BYTE CFirmwareProbe::Status()
{
    BYTE status = 0;
    m_state.GetStatus(status);
    return status;
}

void CFirmwareProbe::SetStatus(BYTE status) { m_state.SetStatus(status); }
void CFirmwareProbe::SetUnanswered(BOOL unanswered) { m_state.SetUnanswered(unanswered); }
void CFirmwareProbe::SetDelay(DWORD delayMs) { m_state.SetDelay(delayMs); }
void CFirmwareProbe::Reset() { m_state.Reset(); }

void CFirmwareProbe::Mark()
{
    m_state.Access([this](FirmwareSharedState& s) { m_mark = s.sequence; });
}

std::vector<FirmwareJournalEntry> CFirmwareProbe::RequestsSinceMark()
{
    FirmwareSharedState snapshot;
    std::vector<FirmwareJournalEntry> result;
    if (!m_state.Snapshot(snapshot))
        return result;
    std::vector<FirmwareJournalEntry> all(FIRMWARE_JOURNAL_SIZE);
    const DWORD count = CFirmwareState::CopyJournal(snapshot, all.data(), FIRMWARE_JOURNAL_SIZE);
    for (DWORD i = 0; i < count; ++i) {
        if (all[i].sequence > m_mark)
            result.push_back(all[i]);
    }
    return result;
}

int CFirmwareProbe::ReadsSinceMark()
{
    int reads = 0;
    for (const FirmwareJournalEntry& e : RequestsSinceMark())
        reads += e.function == EVAL_READ ? 1 : 0;
    return reads;
}

std::vector<BYTE> CFirmwareProbe::WritesSinceMark()
{
    std::vector<BYTE> writes;
    for (const FirmwareJournalEntry& e : RequestsSinceMark()) {
        if (e.function == EVAL_WRITE && e.inputCount >= 2)
            writes.push_back(e.input[1]);
    }
    return writes;
}

BOOL CFirmwareProbe::WaitForReads(int n, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (ReadsSinceMark() < n) {
        if (::GetTickCount() - start >= timeoutMs)
            return FALSE;
        ::Sleep(10);
    }
    return TRUE;
}
