// Access to the simulated firmware's shared block for OBRA.dll, its control
// tool and tests. The block is a named file mapping of the session, backed
// by a file in the temporary folder so the register survives between
// processes. A lock word in the block guards every access; a named mutex
// guards only the block's creation.
//
// The environment variable RAVO_OBRA_INSTANCE (letters, digits, '-' and '_',
// up to 32 characters) selects a separate instance, so a test program can
// work on its own register; child processes inherit it.
#pragma once

#include <windows.h>

#include "firmware/FirmwareLayout.h"

class CFirmwareState {
public:
    static constexpr DWORD MAX_INSTANCE_LENGTH = 32;

    // Opens the instance, creating and initialising it on first use.
    CFirmwareState();
    // Opens nothing yet: for a holder that keeps the block open between
    // uses through OpenCurrent.
    struct Deferred {};
    constexpr explicit CFirmwareState(Deferred) {}
    ~CFirmwareState();

    CFirmwareState(const CFirmwareState&) = delete;
    CFirmwareState& operator=(const CFirmwareState&) = delete;

    BOOL IsOpen() const;
    // Keeps the block open if it is the one of the instance the environment
    // selects now; otherwise opens that one in its place. FALSE when no
    // block is open afterwards.
    BOOL OpenCurrent();

    // Calls fn(FirmwareSharedState&) while holding the lock. FALSE when the
    // block is not open or the lock cannot be taken; fn is then not called.
    template <typename Fn>
    BOOL Access(Fn fn)
    {
        if (!Lock())
            return FALSE;
        fn(*m_pShared);
        Unlock();
        return TRUE;
    }

    BOOL Snapshot(FirmwareSharedState& copy);
    BOOL GetStatus(BYTE& status);
    BOOL SetStatus(BYTE status);
    BOOL SetUnanswered(BOOL unanswered);
    BOOL SetDelay(DWORD delayMs);
    // Default register and settings; the journal is emptied, while the
    // sequence counter keeps counting.
    BOOL Reset();

    // Journal of a locked block or a snapshot: how many entries are valid,
    // and a copy of the newest of them, oldest first. Returns the number
    // copied.
    static DWORD JournalCount(const FirmwareSharedState& state);
    static DWORD CopyJournal(const FirmwareSharedState& state,
                             FirmwareJournalEntry* entries, DWORD maxEntries);
    // Appends an entry, giving it the next sequence number.
    static void Record(FirmwareSharedState& state, FirmwareJournalEntry entry);

    // The file that backs the selected instance. FALSE when the instance
    // name is invalid or the path does not fit.
    static BOOL BackingFilePath(char* path, DWORD size);

private:
    BOOL Lock();
    void Unlock();
    BOOL Open();
    // Releases whatever Open acquired; the block is then not open.
    void Close();
    static void Initialise(FirmwareSharedState& state);

    HANDLE m_hMapping = nullptr;
    FirmwareSharedState* m_pShared = nullptr;
    // Name suffix of the open instance ("" for the default one).
    char m_szInstance[MAX_INSTANCE_LENGTH + 2] = {};
};
